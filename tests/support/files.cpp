#include "support/files.h"

#include <fstream>
#include <iterator>

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> readBytes(const std::filesystem::path& path) {
    const std::string bytes = readFile(path);
    return {bytes.begin(), bytes.end()};
}

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void alter(const std::filesystem::path& bitmap) {
    std::fstream file(bitmap, std::ios::in | std::ios::out | std::ios::binary);
    file.seekg(54);
    char byte = 0;
    file.read(&byte, 1);
    byte = static_cast<char>(byte ^ 1);
    file.seekp(54);
    file.write(&byte, 1);
}
