#pragma once
// The page's side of the web backend, written in JavaScript (library.js): the canvas, the input
// events, the clock with its pauses, WebAudio, the in-page dialog and the saved scores.
#include <cstdint>

extern "C" {

// Sets up the canvas, the caption, the listeners and the drawing of the picture at ptr (640 x 460
// blue-green-red bytes, top line first) on every animation frame after a change.
void vorbletPageStart(const uint8_t* picture, const char* caption);
void vorbletPictureChanged();
// One row of the controls, for the page's own listeners: the input by the page's name for it,
// the action as platform::Action numbers it, the game key, and whether it asks for Alt.
void vorbletBindControl(const char* name, int action, int virtualKey, int alt);
// The input as the page saw it last.
int vorbletKeyDown(int virtualKey);
// 0 with x (0..65535) and the button bits when a gamepad is connected, else 1.
int vorbletReadGamepad(uint32_t* x, uint32_t* buttons);
int32_t vorbletCursorX();
// The game's ms: the page's clock less the pauses (P, a hidden page, a page without the focus).
uint32_t vorbletGameTicks();
int vorbletPaused();
// The in-page message box; open while the player has not dismissed it.
void vorbletShowBox(const char* title, const char* text);
int vorbletBoxOpen();
// The score file at path has just been written: the page keeps a copy in IndexedDB.
void vorbletKeepScores(const char* path);
// The game has ended: the page says so.
void vorbletShowEnded(int exitCode);
// WebAudio: 0, or 1 when the page has no audio at all.
int vorbletAudioStart();
void vorbletAudioLoad(int handle, const uint8_t* bytes, int size);
void vorbletAudioPlay(int handle);
void vorbletAudioStop(int handle);
void vorbletAudioClose(int handle);

} // extern "C"
