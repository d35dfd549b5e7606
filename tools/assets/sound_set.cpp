#include "sound_set.h"

#include <cstdio>

#include "tunes.h"
#include "wav_writer.h"

namespace assets {

namespace {

struct SoundJob {
    const char* name;
    Clip (*make)();
};

const SoundJob jobs[] = {
    {"128", makeRoundIntro}, {"129", makeCalmLoop},    {"130", makeDangerLoop},
    {"131", makeTitleIntro}, {"132", makeTitleLoop},   {"140", makeLaunch},
    {"141", makePaddleHit},  {"142", makeBlockVanish}, {"143", makeFieldSink},
};

} // namespace

bool writeSounds(const std::string& folder) {
    for (const SoundJob& job : jobs) {
        std::string path = folder + "/" + job.name + ".wav";
        if (!writeWav(path, job.make(), sampleRate)) {
            std::fprintf(stderr, "vorblet_assets: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

} // namespace assets
