#include "platform/keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>

#include "platform/virtual_keys.h"

namespace {

Display* display = nullptr;
std::uint8_t keycodeToVirtualKey[256] = {};  // filled once when the connection opens
std::uint8_t eventTable[256] = {};           // the fallback's view of the keyboard

void buildKeycodeTable() {
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    for (int kc = minKeycode; kc <= maxKeycode && kc < 256; ++kc) {
        const KeySym sym = XkbKeycodeToKeysym(display, static_cast<KeyCode>(kc), 0, 0);
        keycodeToVirtualKey[kc] = static_cast<std::uint8_t>(virtualKeyFromKeysym(sym));
    }
}

}  // namespace

bool openKeyboard(const char* displayName) {
    if (display) return true;
    display = XOpenDisplay(displayName);
    if (!display) {
        std::fprintf(stderr,
                     "cannot poll the keyboard (no X display '%s'); "
                     "following key events instead\n",
                     displayName ? displayName : "");
        return false;
    }
    buildKeycodeTable();
    return true;
}

void readKeyboard(std::uint8_t down[256]) {
    if (!display) {
        std::memcpy(down, eventTable, sizeof eventTable);
        return;
    }
    char keys[32];
    XQueryKeymap(display, keys);
    std::memset(down, 0, 256);
    for (int kc = 0; kc < 256; ++kc) {
        if (keys[kc / 8] & (1 << (kc % 8))) {
            const int vk = keycodeToVirtualKey[kc];
            if (vk) down[vk] = 1;
        }
    }
}

void noteKeyEvent(int virtualKey, bool down) {
    if (virtualKey > 0 && virtualKey < 256) eventTable[virtualKey] = down ? 1 : 0;
}

void noteModifiers(bool shift, bool control) {
    eventTable[VK_SHIFT] = shift ? 1 : 0;
    eventTable[VK_CONTROL] = control ? 1 : 0;
}

bool keyboardIsPolled() {
    return display != nullptr;
}
