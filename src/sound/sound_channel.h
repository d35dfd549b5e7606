#pragma once
// A logical sound channel: it remembers the clip it last started, so that a sound of one kind
// never overlaps itself. Destroying a channel does nothing to its clip.
#include "sound/sound_clip.h"

class QUORINSoundChannel {
  public:
    // 0 when idle (a clip that has stopped sounding is forgotten here); non-zero while busy.
    int poll();
    // 0 if idle, else the clip's stop result; the channel is idle afterwards.
    int stop();
    // 1 when the channel was busy and nothing happened; 0 when the clip was started (or its
    // start was attempted: the play result is not reported).
    int playIfIdle(QUORINSound& clip);

    QUORINSound* clip = nullptr;
};
