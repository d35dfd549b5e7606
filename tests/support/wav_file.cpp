#include "support/wav_file.h"

#include "support/files.h"

void writeSilentWav(const std::filesystem::path& path, uint32_t ms) {
    const uint32_t rate = 22050;
    const uint32_t bytes = rate * ms / 1000 * 2;
    std::vector<uint8_t> b;
    auto text = [&](const char* s) {
        for (; *s != '\0'; ++s)
            b.push_back(static_cast<uint8_t>(*s));
    };
    auto put = [&](uint32_t v, int size) {
        for (int i = 0; i < size; ++i)
            b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    text("RIFF");
    put(36 + bytes, 4);
    text("WAVEfmt ");
    put(16, 4);       // format chunk size
    put(1, 2);        // PCM
    put(1, 2);        // mono
    put(rate, 4);     // samples a second
    put(rate * 2, 4); // bytes a second
    put(2, 2);        // bytes a sample
    put(16, 2);       // bits a sample
    text("data");
    put(bytes, 4);
    b.resize(b.size() + bytes, 0);
    writeFile(path, b);
}

namespace {

Wave failed(const char* why) {
    Wave wave;
    wave.error = why;
    return wave;
}

} // namespace

Wave readWave(const std::filesystem::path& path) {
    Wave wave;
    std::vector<uint8_t> file = readBytes(path);
    if (file.size() < 12 || std::string(file.begin(), file.begin() + 4) != "RIFF" ||
        std::string(file.begin() + 8, file.begin() + 12) != "WAVE")
        return failed("not a RIFF WAVE file");
    if (le32(file, 4) + 8 != file.size()) return failed("RIFF size does not match");
    bool format = false;
    for (size_t at = 12; at + 8 <= file.size();) {
        std::string id(file.begin() + at, file.begin() + at + 4);
        uint32_t size = le32(file, at + 4);
        if (at + 8 + size > file.size()) return failed("chunk runs past the end");
        if (id == "fmt ") {
            if (size < 16 || le16(file, at + 8) != 1 || le16(file, at + 10) != 1 ||
                le16(file, at + 22) != 16)
                return failed("not 16-bit mono PCM");
            wave.rate = le32(file, at + 12);
            if (le32(file, at + 16) != wave.rate * 2 || le16(file, at + 20) != 2)
                return failed("byte rate or block size is wrong");
            format = true;
        } else if (id == "data") {
            if (!format) return failed("data before fmt");
            for (size_t i = 0; i + 1 < size; i += 2)
                wave.samples.push_back(static_cast<int16_t>(le16(file, at + 8 + i)));
        }
        at += 8 + size + (size & 1);
    }
    if (!format) return failed("no fmt chunk");
    return wave;
}

uint32_t wavLengthMs(const std::filesystem::path& path) {
    const Wave wave = readWave(path);
    if (!wave.error.empty() || wave.rate == 0) return 0;
    return uint32_t((uint64_t(wave.samples.size()) * 1000 + wave.rate - 1) / wave.rate);
}
