// The WAV files the two audio backends accept: the headless backend must take exactly the files a
// real device takes, with the clip lengths that the virtual clock plays them for.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/audio.h"
#include "platform/platform.h"
#include "platform/sdl/audio.h"
#include "platform/wav_file.h"
#include "platform/wav_length.h"
#include "support/headless_probe.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

void putLe(Bytes& b, uint32_t v, int size) {
    for (int i = 0; i < size; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void putBe(Bytes& b, uint32_t v, int size) {
    for (int i = size - 1; i >= 0; --i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
// Byte by byte: GCC 12 at -O2 takes a 4-byte insert into an empty vector for an overflow.
void putTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(tag[i]));
}

struct Wav {
    uint16_t format = 1; // PCM
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    uint32_t dataBytes = 4410; // 100 ms of 16-bit mono
    bool withFormat = true, withData = true;
    int64_t declaredData = -1; // the data chunk's size field, when it lies
};

Bytes build(const Wav& w) {
    Bytes body;
    putTag(body, "WAVE");
    if (w.withFormat) {
        const uint16_t align = static_cast<uint16_t>(w.channels * w.bits / 8);
        putTag(body, "fmt ");
        putLe(body, 16, 4);
        putLe(body, w.format, 2);
        putLe(body, w.channels, 2);
        putLe(body, w.rate, 4);
        putLe(body, w.rate * align, 4);
        putLe(body, align, 2);
        putLe(body, w.bits, 2);
    }
    if (w.withData) {
        putTag(body, "data");
        putLe(body, w.declaredData >= 0 ? uint32_t(w.declaredData) : w.dataBytes, 4);
        body.resize(body.size() + w.dataBytes, 0);
        if (w.dataBytes & 1) body.push_back(0);
    }
    Bytes file;
    putTag(file, "RIFF");
    putLe(file, uint32_t(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// 100 ms of 16-bit mono in an AIFF file, a format the mixer reads by itself.
Bytes aiff() {
    const uint32_t frames = 2205;
    Bytes body;
    putTag(body, "AIFF");
    putTag(body, "COMM");
    putBe(body, 18, 4);
    putBe(body, 1, 2);
    putBe(body, frames, 4);
    putBe(body, 16, 2);
    putBe(body, 0x400D, 2); // 22050 as an 80-bit extended value: 2^14 × 1.3458...
    putBe(body, 22050u << 17, 4);
    putBe(body, 0, 4);
    putTag(body, "SSND");
    putBe(body, 8 + frames * 2, 4);
    putBe(body, 0, 4);
    putBe(body, 0, 4);
    body.resize(body.size() + frames * 2, 0);
    Bytes file;
    putTag(file, "FORM");
    putBe(file, uint32_t(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

class WavFileTest : public testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vorblet-wav-" + std::to_string(::getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        platform::probe::resetHeadless();
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string put(const std::string& name, const Bytes& bytes) {
        fs::path path = folder / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }
    fs::path folder;
};

// Every kind of file a clip's path may name, good or not, and what the backends make of it.
struct Case {
    const char* name;
    Bytes bytes;
    bool accepted;
    uint32_t lengthMs; // when accepted
};

std::vector<Case> cases() {
    Wav stereo8;
    stereo8.channels = 2, stereo8.bits = 8, stereo8.rate = 11025, stereo8.dataBytes = 5513;
    Wav floats;
    floats.format = 3, floats.bits = 32, floats.rate = 8000, floats.dataBytes = 8000;
    Wav muLaw;
    muLaw.format = 7, muLaw.bits = 8, muLaw.rate = 8000, muLaw.dataBytes = 4000;
    Wav unknownFormat;
    unknownFormat.format = 0x1234;
    Wav noFormat;
    noFormat.withFormat = false;
    Wav noData;
    noData.withData = false;
    Wav noSamples;
    noSamples.dataBytes = 0;
    Wav zeroRate;
    zeroRate.rate = 0;
    Wav cutShort;
    cutShort.declaredData = 1 << 20;
    return {
        {"pcm16", build(Wav{}), true, 100},
        // The half frame at the end is not played.
        {"pcm8stereo", build(stereo8), true, 250},
        {"float", build(floats), true, 250},
        {"mulaw", build(muLaw), true, 500},
        {"unknownformat", build(unknownFormat), false, 0},
        {"noformat", build(noFormat), false, 0},
        {"nodata", build(noData), false, 0},
        // A device takes a clip with no samples, which ends as soon as it starts.
        {"nosamples", build(noSamples), true, 0},
        {"zerorate", build(zeroRate), false, 0},
        // A file cut short plays the samples it holds.
        {"cutshort", build(cutShort), true, 100},
        {"aiff", aiff(), false, 0},
        {"text", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', '\n'}, false, 0},
        {"empty", Bytes{}, false, 0},
    };
}

// SDL's decoder judges the files where there is SDL; our own reading, where there is none,
// judges them the same.
TEST_F(WavFileTest, AcceptsWhatSdlDecodesWithItsLength) {
    for (auto* judge : {platform::openWavFile, platform::wavFileLength}) {
        for (const Case& c : cases()) {
            const std::string path = put(std::string(c.name) + ".wav", c.bytes);
            uint32_t length = 12345;
            const int result = judge(path.c_str(), length);
            if (c.accepted) {
                EXPECT_EQ(result, 0) << c.name;
                EXPECT_EQ(length, c.lengthMs) << c.name;
            } else {
                EXPECT_EQ(result, platform::kAudioErrorBadFile) << c.name;
            }
        }
    }
}

TEST_F(WavFileTest, OnlyARegularFileIsOpened) {
    const std::string good = put("good.wav", build(Wav{}));
    fs::create_directory(folder / "folder.wav");
    ASSERT_EQ(::mkfifo((folder / "fifo.wav").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", folder / "device.wav");
    fs::create_symlink(good, folder / "link.wav");
    for (const char* name : {"folder.wav", "fifo.wav", "device.wav", "missing.wav"}) {
        uint32_t length = 0;
        EXPECT_EQ(platform::openWavFile((folder / name).c_str(), length),
                  platform::kAudioErrorBadFile)
            << name;
    }
    uint32_t length = 0;
    EXPECT_EQ(platform::openWavFile((folder / "link.wav").c_str(), length), 0);
    EXPECT_EQ(length, 100u);
}

TEST_F(WavFileTest, HeadlessOpensPlayForTheLengthSdlDecodes) {
    for (const Case& c : cases()) {
        platform::probe::resetHeadless();
        const std::string path = put(std::string(c.name) + ".wav", c.bytes);
        int handle = -1;
        const int result = platform::headless::audioOpen(path.c_str(), handle);
        if (!c.accepted) {
            EXPECT_EQ(result, platform::kAudioErrorBadFile) << c.name;
            continue;
        }
        ASSERT_EQ(result, 0) << c.name;
        ASSERT_EQ(platform::headless::audioPlay(handle), 0);
        int playing = 0;
        if (c.lengthMs > 0) {
            platform::probe::advanceClock(c.lengthMs - 1);
            EXPECT_EQ(platform::headless::audioIsPlaying(handle, playing), 0);
            EXPECT_EQ(playing, 1) << c.name;
            platform::probe::advanceClock(1);
        }
        EXPECT_EQ(platform::headless::audioIsPlaying(handle, playing), 0);
        EXPECT_EQ(playing, 0) << c.name;
        EXPECT_EQ(platform::headless::audioClose(handle), 0);
    }
    // A folder is refused like any other file that is not a clip, not thrown on.
    fs::create_directory(folder / "folder.wav");
    int handle = -1;
    EXPECT_EQ(platform::headless::audioOpen((folder / "folder.wav").c_str(), handle),
              platform::kAudioErrorBadFile);
}

TEST_F(WavFileTest, HeadlessAndWindowBackendsTakeTheSameFiles) {
    // The window backend needs a sound device: SDL's dummy driver is one on every machine.
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::vector<Case> all = cases();
    fs::create_directory(folder / "folder.wav");
    all.push_back({"folder", {}, false, 0});
    all.push_back({"missing", {}, false, 0});
    for (const Case& c : all) {
        const std::string path = c.bytes.empty() && std::string(c.name) != "empty"
                                     ? (folder / (std::string(c.name) + ".wav")).string()
                                     : put(std::string(c.name) + ".wav", c.bytes);
        int windowHandle = -1, headlessHandle = -1;
        const int window = platform::sdl::audioOpen(path.c_str(), windowHandle);
        ASSERT_NE(window, platform::kAudioErrorNoDevice) << "no dummy sound device";
        const int headless = platform::headless::audioOpen(path.c_str(), headlessHandle);
        EXPECT_EQ(window, headless) << c.name;
        EXPECT_EQ(window, c.accepted ? 0 : platform::kAudioErrorBadFile) << c.name;
        if (window == 0) {
            EXPECT_EQ(platform::sdl::audioClose(windowHandle), 0);
        }
        if (headless == 0) {
            EXPECT_EQ(platform::headless::audioClose(headlessHandle), 0);
        }
    }
}

TEST(GameSounds, KeepTheLengthsTheirHeadersGive) {
    // The headless traces of whole runs depend on these lengths: each is the data chunk's bytes
    // over the byte rate, rounded up to a whole millisecond.
    int count = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(VORBLET_GAME_DIR) / "wav")) {
        std::ifstream in(entry.path(), std::ios::binary);
        Bytes b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        auto read32 = [&](size_t at) {
            return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
                   uint32_t(b[at + 3]) << 24;
        };
        ASSERT_GE(b.size(), 44u) << entry.path();
        uint32_t byteRate = read32(28), dataBytes = 0;
        for (size_t at = 12; at + 8 <= b.size(); at += 8 + read32(at + 4) + (read32(at + 4) & 1))
            if (std::string(b.begin() + long(at), b.begin() + long(at) + 4) == "data")
                dataBytes = read32(at + 4);
        ASSERT_GT(byteRate, 0u);
        const uint32_t expected = uint32_t((uint64_t(dataBytes) * 1000 + byteRate - 1) / byteRate);
        uint32_t length = 0;
        EXPECT_EQ(platform::openWavFile(entry.path().c_str(), length), 0) << entry.path();
        EXPECT_EQ(length, expected) << entry.path();
        ++count;
    }
    EXPECT_EQ(count, 9);
}

} // namespace

namespace {

TEST(WavLength, TheGamesOwnSoundsLastAsLongAsSdlSays) {
    int files = 0;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(VORBLET_GAME_DIR) / "wav")) {
        uint32_t bySdl = 0, byUs = 1;
        ASSERT_EQ(platform::openWavFile(entry.path().c_str(), bySdl), 0) << entry.path();
        ASSERT_EQ(platform::wavFileLength(entry.path().c_str(), byUs), 0) << entry.path();
        EXPECT_EQ(byUs, bySdl) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 9);
}

} // namespace
