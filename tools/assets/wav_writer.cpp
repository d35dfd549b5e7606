#include "wav_writer.h"

#include <cstdio>

namespace assets {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool writeWav(const std::string& path, const std::vector<int16_t>& samples, int rate) {
    auto dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 36 + dataSize);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, static_cast<uint32_t>(rate));
    put32(out, static_cast<uint32_t>(rate) * 2); // bytes per second
    put16(out, 2);                               // bytes per frame
    put16(out, 16);                              // bits per sample
    putTag(out, "data");
    put32(out, dataSize);
    for (int16_t s : samples)
        put16(out, static_cast<uint16_t>(s));

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}

} // namespace assets
