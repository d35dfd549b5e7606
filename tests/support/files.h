#pragma once
// Whole files read and written in one go, and the one-byte change that spoils a bitmap's checksum.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The file's bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);
std::vector<uint8_t> readBytes(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// Flips the lowest bit of the first byte of a bitmap's pixel array (offset 54), which the
// artwork's checksum covers.
void alter(const std::filesystem::path& bitmap);
