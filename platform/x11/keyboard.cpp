#include "platform/keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/virtual_keys.h"
#include "platform/x11/connection.h"

namespace {

Display* display = nullptr;
bool xkb = false;       // the server speaks XKB: key names and groups as it sees them
int xkbEventBase = -1;  // the event type of all XKB events on this connection
std::uint8_t keycodeToVirtualKey[256] = {};  // rebuilt whenever the server's map changes
std::uint8_t eventTable[256] = {};           // the fallback's view of the keyboard

// Every key's XKB name and keysyms per group and level, indexed by keycode.
std::vector<KeySymbols> xkbKeyboard() {
    std::vector<KeySymbols> keys(256);
    XkbDescPtr desc = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (!desc) return keys;
    const bool named =
        XkbGetNames(display, XkbKeyNamesMask, desc) == Success && desc->names && desc->names->keys;
    for (int kc = desc->min_key_code; kc <= desc->max_key_code && kc < 256; ++kc) {
        KeySymbols& key = keys[kc];
        if (named) {
            const char* name = desc->names->keys[kc].name;  // not terminated when 4 long
            key.name.assign(name, strnlen(name, XkbKeyNameLength));
        }
        for (int g = 0; g < XkbKeyNumGroups(desc, kc); ++g) {
            std::vector<unsigned long> levels;
            for (int level = 0; level < XkbKeyGroupWidth(desc, kc, g); ++level) {
                levels.push_back(XkbKeySymEntry(desc, kc, level, g));
            }
            key.groups.push_back(levels);
        }
    }
    XkbFreeKeyboard(desc, 0, True);
    return keys;
}

// The core protocol's view, without key names: per keycode the keysyms of
// group 1 plain and Shift, group 2 plain and Shift, then group 1's further levels.
std::vector<KeySymbols> coreKeyboard() {
    std::vector<KeySymbols> keys(256);
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    int perKeycode = 0;
    KeySym* syms = XGetKeyboardMapping(display, static_cast<KeyCode>(minKeycode),
                                       maxKeycode - minKeycode + 1, &perKeycode);
    if (!syms) return keys;
    for (int kc = minKeycode; kc <= maxKeycode && kc < 256; ++kc) {
        const KeySym* s = syms + (kc - minKeycode) * perKeycode;
        auto at = [&](int i) { return i < perKeycode ? s[i] : NoSymbol; };
        keys[kc].groups = {{at(0), at(1), at(4), at(5)}, {at(2), at(3)}};
    }
    XFree(syms);
    return keys;
}

void buildKeycodeTable() {
    const std::vector<int> codes = virtualKeysOfKeyboard(xkb ? xkbKeyboard() : coreKeyboard());
    for (std::size_t kc = 0; kc < 256; ++kc) {
        keycodeToVirtualKey[kc] = static_cast<std::uint8_t>(kc < codes.size() ? codes[kc] : 0);
    }
}

// Whether the events that arrived with the last reply say the keyboard map
// changed (setxkbmap, a layout switch in the desktop, xmodmap).
bool mappingChanged() {
    bool changed = false;
    while (XEventsQueued(display, QueuedAlready) > 0) {
        XEvent e;
        XNextEvent(display, &e);
        if (e.type == MappingNotify) {
            XRefreshKeyboardMapping(&e.xmapping);
            if (e.xmapping.request != MappingPointer) changed = true;
        }
        if (xkb && e.type == xkbEventBase) changed = true;  // only the map events are selected
    }
    return changed;
}

}  // namespace

bool openKeyboard(const char* displayName) {
    if (display) return true;
    display = openX11Connection(displayName);
    if (!display) {
        std::fprintf(stderr,
                     "cannot poll the keyboard (no X display '%s'); "
                     "following key events instead\n",
                     displayName ? displayName : "");
        return false;
    }
    int opcode = 0;
    int error = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    xkb = XkbQueryExtension(display, &opcode, &xkbEventBase, &error, &major, &minor);
    if (xkb) {
        // A new layout arrives as one of these; the core MappingNotify that a
        // server sends otherwise is handled as well.
        const unsigned int mask = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(display, XkbUseCoreKbd, mask, mask);
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
    // A map change the server made before this query came in ahead of its
    // reply, so the table is right for the keys just read.
    if (mappingChanged()) buildKeycodeTable();
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
