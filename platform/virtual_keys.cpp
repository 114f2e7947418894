#include "platform/virtual_keys.h"

#include <cstring>

namespace {

// GLUT's special-key numbers (freeglut_std.h and freeglut_ext.h); spelled out
// so that this mapping needs no GL header.
enum GlutSpecial : int {
    kGlutF1 = 1,
    kGlutF5 = 5,
    kGlutF11 = 11,
    kGlutF12 = 12,
    kGlutLeft = 100,
    kGlutUp = 101,
    kGlutRight = 102,
    kGlutDown = 103,
    kGlutShiftL = 112,
    kGlutShiftR = 113,
    kGlutCtrlL = 114,
    kGlutCtrlR = 115,
};

}  // namespace

int virtualKeyFromGlutKey(unsigned char key) {
    if (key == '\t') return VK_TAB;  // also what Control+I sends; Tab wins
    if (key == 27) return VK_ESCAPE;
    if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
    if (key >= 'A' && key <= 'Z') return key;
    if (key >= '0' && key <= '9') return key;
    if (key >= 1 && key <= 26) return key - 1 + 'A';  // Control+letter
    // Shift turns the digit row into punctuation (US layout).
    static const char shiftedDigits[] = ")!@#$%^&*(";
    if (key != 0) {
        if (const char* p = std::strchr(shiftedDigits, key)) {
            return '0' + static_cast<int>(p - shiftedDigits);
        }
    }
    return 0;
}

int virtualKeyFromGlutSpecial(int key) {
    if (key >= kGlutF1 && key <= kGlutF5) return key - kGlutF1 + VK_F1;
    switch (key) {
        case kGlutF11:
            return VK_F11;
        case kGlutF12:
            return VK_F12;
        case kGlutLeft:
            return VK_LEFT;
        case kGlutUp:
            return VK_UP;
        case kGlutRight:
            return VK_RIGHT;
        case kGlutDown:
            return VK_DOWN;
        case kGlutShiftL:
        case kGlutShiftR:
            return VK_SHIFT;
        case kGlutCtrlL:
        case kGlutCtrlR:
            return VK_CONTROL;
        default:
            return 0;
    }
}
