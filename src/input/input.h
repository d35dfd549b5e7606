#pragma once
// Polled controls: every call asks the platform for the state at that instant.
#include <cstdint>

constexpr int BUTTON_FIRE = 0x01;
constexpr int BUTTON_ESCAPE = 0x80;

// -2..2: the arrow keys and joystick 0's X axis added up, positive to the right.
int readDirection(int joystick);
// BUTTON_FIRE (Space or joystick button 1) and BUTTON_ESCAPE.
int readButtons(int joystick);
// 0 none, 1 left button, 2 right button (the right button wins).
int readMouseButtons();
// The cursor's x in the window's client coordinates, unclamped.
int32_t readCursorX();
