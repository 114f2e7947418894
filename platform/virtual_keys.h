// Windows virtual-key codes, the indices of the key table, and the mappings
// from X11 keysyms and whole X keyboard maps (x11/virtual_keys.cpp) and from
// GLUT key callbacks (virtual_keys.cpp) to them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// On Windows, <windows.h> (which GLUT's header brings in) defines these very
// codes as macros; included after it, this names none of its own.
#ifndef VK_TAB
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
    VK_F12 = 123,
};
#endif

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

// One physical key as the X keyboard map describes it. name is its XKB key
// name, which says where it sits whatever the layout: "AE01" to "AE10" are the
// digit row from 1 to 0, "AD01", "AC01" and "AB01" the first keys of the three
// letter rows; empty when the server gives no names. groups holds its keysyms
// per group (one layout each; the first is the one the labels are read from)
// and, within a group, per shift level (0 plain, 1 Shift, 2 AltGr, ...).
struct KeySymbols {
    std::string name;
    std::vector<std::vector<unsigned long>> groups;
};

// The virtual-key code of every key of a keyboard, in the order given; 0 for
// keys the program has no code for. Keys go by what they are labelled, as on
// Windows:
// - Tab, Shift, Control, the arrows and F1 to F5 by their plain keysym;
// - a key with a Latin letter a to z on its first group's plain or Shift level
//   gives that letter's upper-case code, and one with a digit there (AZERTY has
//   its digits on the Shift level) that digit's code;
// - a key left without a code takes a letter or digit from a later group, or
//   else by position: the digit row gives 1 to 0 and the letter rows the US
//   letters (what Windows gives on Cyrillic, Greek or Arabic layouts). Both only
//   for codes no key is labelled with, so no two keys share a letter or digit
//   unless the layout itself prints it twice.
// Keypad digits are not digit keys (Windows has codes of their own for them).
std::vector<int> virtualKeysOfKeyboard(const std::vector<KeySymbols>& keys);

// For the event fallback: an ordinary GLUT key (as glutKeyboardFunc reports it,
// possibly shifted or a control character) and a GLUT special key. A character
// does not say which layout typed it: shifted digit-row punctuation is read as
// on US, so on AZERTY, whose plain & " ' ( are US punctuation too, the digit
// keys count only with Shift (which types their digits there).
int virtualKeyFromGlutKey(unsigned char key);
int virtualKeyFromGlutSpecial(int key);
