#include "input/input.h"

#include "platform/platform.h"

using namespace platform;

int readDirection(int joystick) {
    (void)joystick; // there is only joystick 0
    int d = 0;
    if (isKeyDown(kKeyRight)) d = 1;
    if (isKeyDown(kKeyLeft)) d = d - 1;
    uint32_t x = 0, buttons = 0;
    if (readJoystick(x, buttons) == 0) {
        // No dead zone: only the two centre values count as resting.
        if (x > 32768) d = d + 1;
        if (x < 32767) d = d - 1;
    }
    return d;
}

int readButtons(int joystick) {
    (void)joystick;
    buttonsPolled();
    int b = 0;
    if (isKeyDown(kKeySpace)) b = BUTTON_FIRE;
    if (isKeyDown(kKeyEscape)) b = b | BUTTON_ESCAPE;
    uint32_t x = 0, buttons = 0;
    if (readJoystick(x, buttons) == 0 && (buttons & 0x0001) != 0) b = b | BUTTON_FIRE;
    return b;
}

int readMouseButtons() {
    int m = 0;
    if (isKeyDown(kKeyLeftButton)) m = 1;
    if (isKeyDown(kKeyRightButton)) m = 2;
    return m;
}

int32_t readCursorX() {
    return cursorClientX();
}
