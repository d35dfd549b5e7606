#pragma once
// Decoding of .bmp files as the Windows loader reads them (core and info headers up to version 5;
// 1, 4 and 8 bits with a palette, RLE4 and RLE8, 16 and 32 bits with or without bit fields,
// 24 bits; bottom-up and top-down) into 24-bit bottom-up rows of blue, green, red bytes.
// Every read is checked against the given bytes: a truncated file, or one whose header lies about
// the sizes, is refused and nothing outside the bytes is touched.
#include <cstddef>
#include <cstdint>

// Files larger than this are not artwork; refusing them keeps a lying header from making us
// allocate without bound.
constexpr int32_t kBmpMaxSide = 16384;
constexpr int64_t kBmpMaxPixels = int64_t{1} << 24;

// 1 with the image's size when the file can be decoded, else 0. A width that is not a multiple
// of 4 is refused, so rows of 3 x width bytes keep the platform's 4-byte alignment.
int readBmpSize(const uint8_t* file, size_t fileSize, int32_t& width, int32_t& height);

// Fills pixels (pixelsSize must be at least 3 x width x height) with the image, bottom line first.
// 1 on success, 0 for a file readBmpSize refuses or whose pixel data is malformed.
int decodeBmp(const uint8_t* file, size_t fileSize, uint8_t* pixels, size_t pixelsSize);
