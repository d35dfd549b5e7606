#include "platform/record/format.h"

namespace platform::record {

int fieldCount(Kind kind) {
    switch (kind) {
    case kJoystick:
    case kSound:
        return 3;
    case kAudioOpen:
    case kAudioPlaying:
        return 2;
    case kReadWindow:
    case kSendDestroy:
    case kDataOpen:
        return 0;
    default:
        return 1;
    }
}

uint64_t hashBytes(const uint8_t* bytes, size_t size, uint64_t hash) {
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 0x100000001b3ull;
    return hash;
}

uint32_t crc32(const uint8_t* bytes, size_t size) {
    static const auto table = [] {
        struct Table {
            uint32_t entry[256];
        } t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t.entry[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table.entry[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void putVarint(std::vector<uint8_t>& out, uint64_t value) {
    while (value >= 0x80) {
        out.push_back(uint8_t(value | 0x80));
        value >>= 7;
    }
    out.push_back(uint8_t(value));
}

void putSigned(std::vector<uint8_t>& out, int64_t value) {
    putVarint(out, (uint64_t(value) << 1) ^ uint64_t(value >> 63));
}

void putU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

bool getVarint(const uint8_t*& at, const uint8_t* end, uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (at == end) return false;
        const uint8_t byte = *at++;
        // The tenth byte may carry only the top bit.
        if (shift == 63 && byte > 1) return false;
        value |= uint64_t(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return true;
    }
    return false;
}

bool getSigned(const uint8_t*& at, const uint8_t* end, int64_t& value) {
    uint64_t raw = 0;
    if (!getVarint(at, end, raw)) return false;
    value = int64_t(raw >> 1) ^ -int64_t(raw & 1);
    return true;
}

bool getU32(const uint8_t*& at, const uint8_t* end, uint32_t& value) {
    if (end - at < 4) return false;
    value = uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
    at += 4;
    return true;
}

std::vector<uint8_t> encodeHeader(const Header& header) {
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
    out.push_back(uint8_t(header.format));
    out.push_back(uint8_t(header.format >> 8));
    auto putText = [&](const std::string& text) {
        const size_t size = text.size() < 255 ? text.size() : 255;
        out.push_back(uint8_t(size));
        out.insert(out.end(), text.begin(), text.begin() + ptrdiff_t(size));
    };
    putText(header.gameVersion);
    out.push_back(uint8_t(header.recorder));
    putVarint(out, header.assets.size());
    for (const AssetSum& asset : header.assets) {
        putText(asset.path);
        out.push_back(asset.present ? 1 : 0);
        putVarint(out, asset.size);
        putU32(out, uint32_t(asset.hash));
        putU32(out, uint32_t(asset.hash >> 32));
    }
    putU32(out, crc32(out.data(), out.size()));
    return out;
}

} // namespace platform::record
