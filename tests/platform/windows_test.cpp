// The Windows platform layer against the system itself (run under Wine in
// CI): the tick counter is GetTickCount's, the key table is read whole with
// nothing held, no window means nothing to take the focus from, and the
// program's path comes with forward slashes.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/executable.h"
#include "platform/focus.h"
#include "platform/keyboard.h"
#include "platform/tick.h"

TEST(WindowsPlatform, TicksKeysAndTheProgramsPath) {
    const DWORD before = GetTickCount();
    const std::uint32_t ours = getTickCount();
    EXPECT_LT(ours - before, 1000u);

    std::uint8_t down[256];
    std::fill(down, down + 256, 1);
    readKeyboard(down);
    EXPECT_EQ(std::count(down, down + 256, 0), 256);
    EXPECT_TRUE(keyboardIsPolled());
    EXPECT_TRUE(windowHasKeyboardFocus());  // no GL context, no window to ask about

    const std::string exe = runningExecutable();
    EXPECT_EQ(exe.find('\\'), std::string::npos) << exe;
    EXPECT_EQ(exe.substr(exe.size() - 18), "/platform_test.exe") << exe;
}
