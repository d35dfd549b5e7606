#pragma once
// WAV files for the sound tests: silent clips of a chosen length, and a reader, written apart
// from the asset maker and the audio backend, that checks a file as any other reader would.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A 22050 Hz, 16-bit mono PCM file of ms milliseconds of silence.
void writeSilentWav(const std::filesystem::path& path, uint32_t ms);

struct Wave {
    std::string error; // empty when the file is a well-formed 16-bit mono PCM WAVE file
    uint32_t rate = 0;
    std::vector<int16_t> samples;
    double seconds() const { return samples.size() / double(rate); }
};

Wave readWave(const std::filesystem::path& path);

// How long the file plays, in whole milliseconds rounded up; 0 when it is not a file readWave
// accepts.
uint32_t wavLengthMs(const std::filesystem::path& path);
