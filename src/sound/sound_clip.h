#pragma once
// One opened WAV clip, played without blocking through the platform's audio functions, and the
// process-wide error code that silences every clip after the first failure.
#include <cstdint>

// The first failing audio result (soundError), kept for the rest of the run: while it is
// non-zero no clip operation reaches the platform and each returns this code. The game never
// clears it; a test that starts the program afresh does.
int32_t currentSoundError();
void clearSoundError();

class QUORINSound {
  public:
    QUORINSound() = default;
    // An open clip is closed (which does nothing once soundError is set).
    ~QUORINSound();
    QUORINSound(const QUORINSound&) = delete;
    QUORINSound& operator=(const QUORINSound&) = delete;

    // Results: 0 success, -1 for a clip in the wrong open state (nothing is sent), otherwise the
    // platform's error code. Every operation returns soundError at once while it is set.
    int open(const char* path); // in the game folder; -1 when already open
    int play();                 // from the start; -1 when not open
    // 1 while the clip sounds, 0 when it does not or the query failed (which sets soundError);
    // -1 when not open; soundError while that is set. Callers treat non-zero as busy.
    int isPlaying();
    int stop();  // -1 when not open
    int close(); // -1 when not open; on success the clip is closed

    // The platform's handle + 1, so that 0 means "not open" whatever handles the platform uses.
    uint32_t deviceId = 0;
    // The path given to open (a constant of the program, not copied) and the clip number taken
    // from its file name, "wav/128.wav" giving 128, which the sound trace names.
    const char* path = nullptr;
    int number = 0;
};

// The number in a clip's file name: the digits after the last folder separator; 0 if none.
int clipNumberOf(const char* path);
