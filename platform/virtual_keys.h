// Windows virtual-key codes, the indices of the key table, and the mappings
// from X11 keysyms and GLUT key callbacks to them.
#pragma once

#include <cstdint>

enum VirtualKey : int {
    VK_TAB = 9,
    VK_ESCAPE = 27,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_F1 = 112,
    VK_F2 = 113,
    VK_F3 = 114,
    VK_F4 = 115,
    VK_F5 = 116,
    VK_F11 = 122,
};

// Letters are their upper-case ASCII code and digits their ASCII code.
inline constexpr int vkLetter(char upper) {
    return upper;
}
inline constexpr int vkDigit(char digit) {
    return digit;
}

// The code for an unshifted X keysym, or 0 for keys the program has no code for.
// Both Shift keys give VK_SHIFT, both Control keys VK_CONTROL; a letter gives its
// upper-case code whether the keysym is the lower- or upper-case one.
int virtualKeyFromKeysym(unsigned long keysym);

// For the event fallback: an ordinary GLUT key (as glutKeyboardFunc reports it,
// possibly shifted or a control character) and a GLUT special key.
int virtualKeyFromGlutKey(unsigned char key);
int virtualKeyFromGlutSpecial(int key);
