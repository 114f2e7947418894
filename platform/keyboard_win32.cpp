// Windows has the key table itself: GetAsyncKeyState answers by virtual-key
// code, so there is no map to build and no event fallback.
#include <windows.h>

#include <cstring>

#include "platform/keyboard.h"

namespace {

// Keys count only while a window of this process is in the foreground:
// GetAsyncKeyState itself answers for whichever window has the keyboard.
bool ourWindowInFront() {
    const HWND front = GetForegroundWindow();
    if (front == nullptr) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(front, &process);
    return process == GetCurrentProcessId();
}

}  // namespace

bool openKeyboard(const char*) {
    return true;
}

void readKeyboard(std::uint8_t down[256]) {
    std::memset(down, 0, 256);
    if (!ourWindowInFront()) return;
    for (int code = 0; code < 256; ++code) {
        down[code] = (GetAsyncKeyState(code) & 0x8000) != 0 ? 1 : 0;  // down now; not "since"
    }
}

void noteKeyEvent(int, bool) {}

void noteModifiers(bool, bool) {}

bool keyboardIsPolled() {
    return true;
}
