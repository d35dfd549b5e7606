#include "sound/sound_channel.h"

int QUORINSoundChannel::poll() {
    if (clip == nullptr) return 0;
    int r = clip->isPlaying();
    if (r == 0) clip = nullptr;
    return r;
}

int QUORINSoundChannel::stop() {
    if (clip == nullptr) return 0;
    int r = clip->stop();
    clip = nullptr;
    return r;
}

int QUORINSoundChannel::playIfIdle(QUORINSound& next) {
    if (poll() != 0) return 1;
    clip = &next;
    next.play();
    return 0;
}
