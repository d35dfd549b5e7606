#include "platform/record/reader.h"

#include <cstring>

namespace platform::record {

bool decodeEntry(const uint8_t*& at, const uint8_t* end, Entry& entry) {
    if (at >= end) return false;
    entry = Entry{};
    const uint8_t code = *at++;
    if (code < kKindCount) {
        entry.type = Entry::value;
        entry.kind = Kind(code);
        if (entry.kind == kDataOpen) {
            uint64_t size = 0;
            if (!getSigned(at, end, entry.fields[0]) || !getVarint(at, end, size)) return false;
            if (size > kMaxDataBytes || size > uint64_t(end - at)) return false;
            entry.data = at;
            entry.dataSize = size_t(size);
            at += size;
            return true;
        }
        for (int i = 0; i < fieldCount(entry.kind); ++i)
            if (!getSigned(at, end, entry.fields[i])) return false;
        return true;
    }
    if (code >= kRunShort && code < kRunShort + kRunShortMax) {
        entry.type = Entry::run;
        entry.count = uint64_t(code - kRunShort) + 1;
        return true;
    }
    switch (code) {
    case kRunLong:
        entry.type = Entry::run;
        return getVarint(at, end, entry.count) && entry.count > 0;
    case kClose:
        entry.type = Entry::close;
        return true;
    case kEnd:
        entry.type = Entry::end;
        return getSigned(at, end, entry.fields[0]) && getSigned(at, end, entry.fields[1]);
    default:
        return false;
    }
}

namespace {

bool readHeader(const uint8_t*& at, const uint8_t* end, Header& header, std::string& error) {
    const uint8_t* start = at;
    if (end - at < ptrdiff_t(sizeof kMagic) || std::memcmp(at, kMagic, sizeof kMagic) != 0) {
        error = "not a Vorblet recording";
        return false;
    }
    at += sizeof kMagic;
    const char* cut = "the recording's header is cut short";
    if (end - at < 2) {
        error = cut;
        return false;
    }
    header.format = uint16_t(at[0] | at[1] << 8);
    at += 2;
    if (header.format != kFormatVersion) {
        error = "the recording is in format " + std::to_string(header.format) +
                ", and this game reads format " + std::to_string(kFormatVersion);
        return false;
    }
    auto getText = [&](std::string& text) {
        if (at == end || size_t(end - at) < size_t(1) + *at) return false;
        text.assign(reinterpret_cast<const char*>(at + 1), *at);
        at += 1 + *at;
        return true;
    };
    uint64_t count = 0;
    if (!getText(header.gameVersion) || at == end) {
        error = cut;
        return false;
    }
    if (*at > uint8_t(Recorder::headless)) {
        error = "the recording's header is damaged";
        return false;
    }
    header.recorder = Recorder(*at++);
    if (!getVarint(at, end, count)) {
        error = cut;
        return false;
    }
    // Each sum takes at least 11 bytes: a count beyond what is left is damage, not a big file.
    if (count > uint64_t(end - at) / 11) {
        error = "the recording's header is damaged";
        return false;
    }
    for (uint64_t i = 0; i < count; ++i) {
        AssetSum sum;
        uint32_t low = 0, high = 0;
        if (!getText(sum.path) || at == end) {
            error = cut;
            return false;
        }
        if (*at > 1) {
            error = "the recording's header is damaged";
            return false;
        }
        sum.present = *at++ == 1;
        if (!getVarint(at, end, sum.size) || !getU32(at, end, low) || !getU32(at, end, high)) {
            error = cut;
            return false;
        }
        sum.hash = uint64_t(high) << 32 | low;
        header.assets.push_back(sum);
    }
    const size_t covered = size_t(at - start);
    uint32_t crc = 0;
    if (!getU32(at, end, crc)) {
        error = cut;
        return false;
    }
    if (crc != crc32(start, covered)) {
        error = "the recording's header is damaged (its checksum does not match)";
        return false;
    }
    return true;
}

} // namespace

int parseRecording(const uint8_t* bytes, size_t size, Recording& out, std::string& error) {
    out = Recording{};
    if (size > kMaxFileBytes) {
        error = "the recording is larger than any session makes";
        return 0;
    }
    const uint8_t* at = bytes;
    const uint8_t* end = bytes + size;
    if (!readHeader(at, end, out.header, error)) return 0;
    int block = 0;
    while (at < end) {
        ++block;
        const std::string where = "block " + std::to_string(block) + " of the recording";
        if (out.ended) {
            error = where + " follows its end";
            return 0;
        }
        uint64_t length = 0;
        uint32_t crc = 0;
        if (!getVarint(at, end, length) || length == 0 || length > kMaxBlockBytes) {
            error = where + " is damaged";
            return 0;
        }
        if (length > uint64_t(end - at) || uint64_t(end - at) - length < 4) {
            error = "the recording is cut short in " + where;
            return 0;
        }
        const uint8_t* payload = at;
        at += length;
        getU32(at, end, crc);
        if (crc != crc32(payload, size_t(length))) {
            error = where + " is damaged (its checksum does not match)";
            return 0;
        }
        for (const uint8_t* p = payload; p < payload + length;) {
            Entry entry;
            if (out.ended || !decodeEntry(p, payload + length, entry)) {
                error = where + " holds a damaged entry";
                return 0;
            }
            out.ended = entry.type == Entry::end;
        }
        out.entries.insert(out.entries.end(), payload, payload + length);
    }
    return 1;
}

} // namespace platform::record
