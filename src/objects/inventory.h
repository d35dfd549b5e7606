#pragma once
// The fixed set of objects the whole game works on: the surfaces (gfx/surfaces.h), the four
// compositing sprites, the nine sound clips and the five sound slots, and the start-up steps
// that fill them in, in this order: loadSheets, createLayers, openSounds, setupSprites.
// soundDisabled, which openSounds sets, lives beside the score table (objects/program_data.h).
#include <cstdint>
#include <vector>

#include "gfx/sprite.h"
#include "gfx/surfaces.h"
#include "sound/sound_channel.h"
#include "sound/sound_clip.h"

// Each copies one rectangle to the same place in another surface.
extern QUORINSprite presentSprite;      // backBuffer to screen, whole
extern QUORINSprite clearFieldSprite;   // bgLayer to fieldLayer, whole
extern QUORINSprite composeFieldSprite; // fieldLayer to backBuffer, whole
extern QUORINSprite presentFieldSprite; // backBuffer to screen, the 480 x 460 play area

extern QUORINSound clip128, clip129, clip130, clip131, clip132;
extern QUORINSound clip140, clip141, clip142, clip143;

extern QUORINSoundChannel musicSlot, spawnSlot, paddleSlot, blockSlot, descentSlot;

// Loads and then verifies the five sheets. Every missing file and then, only when all loaded,
// every altered file gets its own message. 1 when all five are good, else 0.
int loadSheets();
// Creates backBuffer, bgLayer, fieldLayer and snapshot, stopping at the first failure. 1 or 0.
int createLayers();
// Opens the nine clips in order; after a failure the sticky sound error fails the rest at once
// and soundDisabled is set. 1 when all opened, else 0.
int openSounds();
void setupSprites();
// The artwork and sound files the game reads, as relative paths, in the order it reads them.
const std::vector<const char*>& assetFiles();
