#include "platform/system/file_replace.h"

#include <cstring>
#include <random>

namespace {

constexpr size_t kUniqueLength = 6;
constexpr char kUniqueLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

} // namespace

std::string temporaryName(const std::string& prefix) {
    std::random_device random;
    std::uniform_int_distribution<size_t> letter(0, sizeof kUniqueLetters - 2);
    std::string name = prefix;
    for (size_t i = 0; i < kUniqueLength; ++i)
        name += kUniqueLetters[letter(random)];
    return name;
}

bool isTemporaryName(const char* name, const char* fileName) {
    const size_t length = std::strlen(fileName);
    if (std::strncmp(name, fileName, length) != 0 || name[length] != '.') return false;
    const char* unique = name + length + 1;
    if (std::strlen(unique) != kUniqueLength) return false;
    for (const char* c = unique; *c != '\0'; ++c)
        if (std::strchr(kUniqueLetters, *c) == nullptr) return false;
    return true;
}
