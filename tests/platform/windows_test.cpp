// The Windows platform layer against the system itself (run under Wine in
// CI): the tick counter is GetTickCount's, keys count only while a window of
// ours is in front, and the program's path comes with forward slashes.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/executable.h"
#include "platform/keyboard.h"
#include "platform/tick.h"

TEST(WindowsPlatform, TicksKeysAndTheProgramsPath) {
    const DWORD before = GetTickCount();
    const std::uint32_t ours = getTickCount();
    EXPECT_LT(ours - before, 1000u);

    // A test has no window, so nothing counts, whatever is held.
    std::uint8_t down[256];
    std::fill(down, down + 256, 1);
    readKeyboard(down);
    EXPECT_EQ(std::count(down, down + 256, 0), 256);
    EXPECT_TRUE(keyboardIsPolled());

    const std::string exe = runningExecutable();
    EXPECT_EQ(exe.find('\\'), std::string::npos) << exe;
    EXPECT_EQ(exe.substr(exe.size() - 18), "/platform_test.exe") << exe;
}
