#pragma once
// The game makes its surfaces and opens its clips once per process. A test that uses them makes
// them afresh and leaves them unmade and closed, so that no test sees a sheet of another size, a
// busy slot or a kept sound error that an earlier test left behind.
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "gfx/image.h"
#include "gfx/surfaces.h"
#include "sound/sound_channel.h"
#include "sound/sound_clip.h"

#include <memory>

inline void renew(QUORINImage& surface) {
    std::destroy_at(&surface);
    std::construct_at(&surface);
}

// Every surface of the inventory and the screen unmade, and the screen unbound.
inline void renewSurfaces() {
    for (QUORINImage& surface : surfaceTable)
        renew(surface);
    renew(snapshot);
    renew(screen);
    screenBound = 0;
}

inline QUORINSound* const allClips[] = {&clip128, &clip129, &clip130, &clip131, &clip132,
                                        &clip140, &clip141, &clip142, &clip143};
inline QUORINSoundChannel* const allSlots[] = {&musicSlot, &spawnSlot, &paddleSlot, &blockSlot,
                                               &descentSlot};

// Every clip of the inventory closed, every slot idle, no kept error and sound enabled. A clip
// that the headless backend no longer knows (it was reset since) counts as closed too.
inline void closeSound() {
    for (QUORINSound* clip : allClips) {
        soundError = 0;
        if (clip->deviceId != 0) clip->close();
        clip->deviceId = 0;
    }
    soundError = 0;
    for (QUORINSoundChannel* slot : allSlots)
        slot->clip = nullptr;
    soundDisabled = 0;
}
