// The X11 side of the key codes: keysyms and whole keyboard maps.
#include "platform/virtual_keys.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <cstring>
#include <memory>
#include <set>
#include <utility>

namespace {

// A letter's upper-case code or a digit's code; 0 for any other keysym.
int characterCode(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<int>(keysym - XK_a) + 'A';
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<int>(keysym - XK_A) + 'A';
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<int>(keysym - XK_0) + '0';
    return 0;
}

// The letter or digit on a group's plain or Shift level, the plain one first.
int labelOf(const std::vector<unsigned long>& levels) {
    for (std::size_t level = 0; level < levels.size() && level < 2; ++level) {
        if (const int code = characterCode(levels[level])) return code;
    }
    return 0;
}

// The code Windows gives the key at this position on the US layout, for the
// digit row and the letter rows; 0 elsewhere.
int codeByPosition(const std::string& name) {
    if (name.size() != 4 || name[2] < '0' || name[2] > '9' || name[3] < '0' || name[3] > '9') {
        return 0;
    }
    const std::size_t column = static_cast<std::size_t>((name[2] - '0') * 10 + (name[3] - '0'));
    const std::string row = name.substr(0, 2);
    const char* codes = row == "AE"   ? "1234567890"
                        : row == "AD" ? "QWERTYUIOP"
                        : row == "AC" ? "ASDFGHJKL"
                        : row == "AB" ? "ZXCVBNM"
                                      : "";
    if (column < 1 || column > std::strlen(codes)) return 0;
    return codes[column - 1];
}

bool hasSymbols(const KeySymbols& key) {
    for (const std::vector<unsigned long>& levels : key.groups) {
        for (unsigned long keysym : levels) {
            if (keysym != NoSymbol) return true;
        }
    }
    return false;
}

bool isCharacterCode(int code) {
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z');
}

}  // namespace

int virtualKeyFromKeysym(unsigned long keysym) {
    if (const int code = characterCode(keysym)) return code;
    if (keysym >= XK_F1 && keysym <= XK_F5) return static_cast<int>(keysym - XK_F1) + VK_F1;
    switch (keysym) {
        case XK_Tab:
        case XK_ISO_Left_Tab:
            return VK_TAB;
        case XK_Escape:
            return VK_ESCAPE;
        case XK_F11:
            return VK_F11;
        case XK_F12:
            return VK_F12;
        case XK_Shift_L:
        case XK_Shift_R:
            return VK_SHIFT;
        case XK_Control_L:
        case XK_Control_R:
            return VK_CONTROL;
        case XK_Left:
            return VK_LEFT;
        case XK_Up:
            return VK_UP;
        case XK_Right:
            return VK_RIGHT;
        case XK_Down:
            return VK_DOWN;
        default:
            return 0;
    }
}

std::vector<int> virtualKeysOfKeyboard(const std::vector<KeySymbols>& keys) {
    std::vector<int> codes(keys.size(), 0);
    std::set<int> labelled;  // letters and digits some key already gives
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].groups.empty() || keys[i].groups[0].empty()) continue;
        const std::vector<unsigned long>& first = keys[i].groups[0];
        codes[i] = virtualKeyFromKeysym(first[0]);
        if (!codes[i]) codes[i] = labelOf(first);
        if (isCharacterCode(codes[i])) labelled.insert(codes[i]);
    }
    // Fallbacks in two rounds, so that a key labelled in another group keeps
    // its letter before a key that has only its position to go by.
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (codes[i]) continue;
        for (std::size_t g = 1; g < keys[i].groups.size(); ++g) {
            const int code = labelOf(keys[i].groups[g]);
            if (!code) continue;
            if (labelled.insert(code).second) codes[i] = code;
            break;
        }
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (codes[i] || !hasSymbols(keys[i])) continue;
        const int code = codeByPosition(keys[i].name);
        if (code && labelled.insert(code).second) codes[i] = code;
    }
    return codes;
}
