// Windows has the key table itself: GetAsyncKeyState answers by virtual-key
// code, so there is no map to build and no event fallback.
#include "platform/keyboard.h"

#include <windows.h>

bool openKeyboard(const char*) {
    return true;
}

void readKeyboard(std::uint8_t down[256]) {
    // Whose window is in front decides elsewhere (platform/focus.h).
    for (int code = 0; code < 256; ++code) {
        down[code] = (GetAsyncKeyState(code) & 0x8000) != 0 ? 1 : 0;  // down now; not "since"
    }
}

void noteKeyEvent(int, bool) {}

void noteModifiers(bool, bool) {}

bool keyboardIsPolled() {
    return true;
}
