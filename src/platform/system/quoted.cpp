#include "platform/system/quoted.h"

#include <cstdio>

std::string quotedForMessage(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}
