#pragma once
// Whole files read and written in one go, their little-endian fields, and the one-byte change
// that spoils a bitmap's checksum.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The file's bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);
std::vector<uint8_t> readBytes(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// Flips the lowest bit of the first byte of a bitmap's pixel array (offset 54), which the
// artwork's checksum covers.
void alter(const std::filesystem::path& bitmap);

// Little-endian fields of a file's bytes.
inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
inline uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
