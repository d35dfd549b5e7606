#pragma once
// In-process control of the headless backend, for tests: set the controls and the clock directly
// and look at what the game showed, without a script file.
#include <cstdint>
#include <string>
#include <vector>

namespace platform::probe {

// Selects the headless backend with no script, no trace and a fresh state (clock 0, no keys,
// no joystick, cursor at 320, a white window picture, sound enabled unless noSound).
void resetHeadless(bool noSound = false);
void setKey(int virtualKey, bool down);
void setJoystick(bool present, uint32_t x = 32768, bool button1 = false);
void setCursorX(int32_t x);
// The joystick's button 1, for setKey and scheduleKey.
constexpr int kJoyFire = 0x100;
// A key or button (a kKey* code or kJoyFire) goes down or up when the virtual clock reaches ms,
// as a script line would make it; dropScheduledKeys forgets those still to come.
void scheduleKey(uint32_t ms, int virtualKey, bool down);
void dropScheduledKeys();
void advanceClock(uint32_t ms);
// Sets the clock without delivering anything, for instance to just before the tick count wraps.
void setClock(uint32_t ms);
// The window picture, 640 x 460, blue-green-red bytes, top line first.
const std::vector<uint8_t>& windowPicture();
// The 64-bit picture hash that the trace writes after every copy into the window.
uint64_t pictureHash();
// Every box shown so far as "TITLE|TEXT", and every sound trace line as "ACTION CLIP RESULT";
// both lists are emptied by taking them.
std::vector<std::string> takeBoxes();
std::vector<std::string> takeSoundEvents();
// How many copies into the window have been made so far.
uint64_t presentCount();

} // namespace platform::probe
