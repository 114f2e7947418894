// The names F12 gives its pictures; the pictures themselves are checked
// against the window end to end.
#include "screenshot/screenshot.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(Screenshot, NamesCarryTheTimeAndANumberWhenTaken) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 9;
    when.tm_hour = 1;
    when.tm_min = 2;
    when.tm_sec = 3;
    std::set<std::string> taken;
    const auto isTaken = [&](const std::string& p) { return taken.count(p) > 0; };
    for (const char* expected :
         {"shots/velmora-20261209-010203.png", "shots/velmora-20261209-010203-2.png",
          "shots/velmora-20261209-010203-3.png"}) {
        const std::string path = screenshotPath("shots", when, isTaken);
        EXPECT_EQ(path, expected);
        taken.insert(path);
    }
}

}  // namespace
