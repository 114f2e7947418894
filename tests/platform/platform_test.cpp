#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "platform/tick.h"
#include "platform/virtual_keys.h"

namespace {

TEST(TickCounter, ElapsedTimeIsRightAcrossTheWrap) {
    // Readings of a nanosecond counter (POSIX) and a millisecond one (Windows)
    // 0x110 ms apart, on either side of 2^32 ms.
    const std::uint64_t wrap = std::uint64_t{1} << 32;
    for (const std::uint64_t perMs : {std::uint64_t{1000000}, std::uint64_t{1}}) {
        const std::uint32_t then = millisecondsOfTimer((wrap - 0x100u) * perMs, perMs * 1000u);
        const std::uint32_t now =
            millisecondsOfTimer((wrap + 0x10u) * perMs + perMs - 1, perMs * 1000u);
        EXPECT_EQ(then, 0xFFFFFF00u);
        EXPECT_EQ(now, 0x10u);
        EXPECT_EQ(now - then, 0x110u);
    }

    // The real clock is monotonic.
    const std::uint32_t a = getTickCount();
    const std::uint32_t b = getTickCount();
    EXPECT_LT(b - a, 1000u);
}

TEST(VirtualKeys, KeysymsMapToWindowsCodesWhateverShiftOrCapsLock) {
    EXPECT_EQ(virtualKeyFromKeysym(XK_p), 80);
    EXPECT_EQ(virtualKeyFromKeysym(XK_P), 80);
    EXPECT_EQ(virtualKeyFromKeysym(XK_t), 84);
    EXPECT_EQ(virtualKeyFromKeysym(XK_a), 65);
    EXPECT_EQ(virtualKeyFromKeysym(XK_z), 90);
    EXPECT_EQ(virtualKeyFromKeysym(XK_1), 49);
    EXPECT_EQ(virtualKeyFromKeysym(XK_5), 53);
    EXPECT_EQ(virtualKeyFromKeysym(XK_0), 48);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Tab), VK_TAB);
    EXPECT_EQ(virtualKeyFromKeysym(XK_ISO_Left_Tab), VK_TAB);  // Shift+Tab on some layouts
    EXPECT_EQ(virtualKeyFromKeysym(XK_Shift_L), VK_SHIFT);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Shift_R), VK_SHIFT);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Control_L), VK_CONTROL);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Control_R), VK_CONTROL);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Left), 37);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Up), 38);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Right), 39);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Down), 40);
    EXPECT_EQ(virtualKeyFromKeysym(XK_F1), 112);
    EXPECT_EQ(virtualKeyFromKeysym(XK_F5), 116);
    // Keys the program has no use for have no code.
    EXPECT_EQ(virtualKeyFromKeysym(XK_F6), 0);
    EXPECT_EQ(virtualKeyFromKeysym(XK_exclam), 0);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Alt_L), 0);
    EXPECT_EQ(virtualKeyFromKeysym(0), 0);
}

TEST(VirtualKeys, GlutEventsNormaliseToTheSameCodes) {
    EXPECT_EQ(virtualKeyFromGlutKey('p'), 80);
    EXPECT_EQ(virtualKeyFromGlutKey('P'), 80);  // Shift+P
    EXPECT_EQ(virtualKeyFromGlutKey('1'), 49);
    EXPECT_EQ(virtualKeyFromGlutKey('!'), 49);  // Shift+1
    EXPECT_EQ(virtualKeyFromGlutKey('%'), 53);  // Shift+5
    EXPECT_EQ(virtualKeyFromGlutKey('\t'), VK_TAB);
    EXPECT_EQ(virtualKeyFromGlutKey(16), 80);  // Control+P
    EXPECT_EQ(virtualKeyFromGlutKey(' '), 0);
    EXPECT_EQ(virtualKeyFromGlutKey(0), 0);

    EXPECT_EQ(virtualKeyFromGlutSpecial(1), VK_F1);  // GLUT_KEY_F1
    EXPECT_EQ(virtualKeyFromGlutSpecial(5), VK_F5);  // GLUT_KEY_F5
    EXPECT_EQ(virtualKeyFromGlutSpecial(6), 0);      // GLUT_KEY_F6
    EXPECT_EQ(virtualKeyFromGlutSpecial(100), VK_LEFT);
    EXPECT_EQ(virtualKeyFromGlutSpecial(103), VK_DOWN);
    EXPECT_EQ(virtualKeyFromGlutSpecial(112), VK_SHIFT);    // GLUT_KEY_SHIFT_L
    EXPECT_EQ(virtualKeyFromGlutSpecial(115), VK_CONTROL);  // GLUT_KEY_CTRL_R
}

TEST(VirtualKeys, EscapeF11AndF12ReachTheirCodesByPollingAndByEvents) {
    EXPECT_EQ(virtualKeyFromKeysym(XK_Escape), 27);
    EXPECT_EQ(virtualKeyFromKeysym(XK_F11), 122);
    EXPECT_EQ(virtualKeyFromKeysym(XK_F10), 0);
    EXPECT_EQ(virtualKeyFromKeysym(XK_F12), 123);
    EXPECT_EQ(virtualKeyFromGlutKey(27), VK_ESCAPE);
    EXPECT_EQ(virtualKeyFromGlutSpecial(11), VK_F11);  // GLUT_KEY_F11
    EXPECT_EQ(virtualKeyFromGlutSpecial(12), VK_F12);  // GLUT_KEY_F12
    EXPECT_EQ(virtualKeyFromGlutSpecial(10), 0);       // GLUT_KEY_F10
}

}  // namespace
