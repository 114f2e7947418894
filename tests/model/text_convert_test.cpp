// The number conversions must behave as reading from a string stream in the
// classic locale did; the stream itself is the reference here.
#include "model/text_convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace {

template <typename T>
bool streamConvert(const std::string& text, T& value) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    T read{};
    if (!(in >> std::dec >> read)) return false;
    value = read;
    return true;
}

const std::vector<std::string> kTexts = {
    "",
    " ",
    "1",
    "-1",
    "+1",
    "  \t\n42",
    "42abc",
    "4 2",
    "007",
    "-0",
    "+-1",
    "-",
    "+",
    ".",
    "1.5",
    "-1.5e3",
    "1e",
    "1e+",
    "1e-2",
    "1E2",
    ".5",
    "5.",
    "-.5",
    "0.e5",
    ".e5",
    "1.2.3",
    "1e5.3",
    "1e5e2",
    "0x1A",
    "inf",
    "nan",
    "1,5",
    "2147483647",
    "2147483648",
    "-2147483648",
    "-2147483649",
    "99999999999999999999",
    "1e308",
    "1e309",
    "-1e309",
    "1e-400",
    "-1e-400",
    "4e-320",
    "1e-40",
    "3.4028236e38",
    "0.1000000000000000055511151231257827021181583404541015625",
    "123456789012345678901234567890e-20",
    "\v\f\r7",
    "7\r",
    "1/2/3",
    "/4",
    "\x80"
    "1",
};

// Short texts over the characters that matter to a number, from a fixed seed.
std::vector<std::string> randomTexts() {
    const char alphabet[] = "0123456789+-.eE /x\t";
    std::vector<std::string> texts;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int len = i % 9;
        for (int k = 0; k < len; ++k) {
            state = state * 1103515245u + 12345u;
            text += alphabet[(state >> 16) % (sizeof alphabet - 1)];
        }
        texts.push_back(text);
    }
    return texts;
}

}  // namespace

TEST(TextConvert, RandomTextsConvertAsAStreamDoes) {
    for (const std::string& text : randomTexts()) {
        int expectedInt = 5, actualInt = 5;
        ASSERT_EQ(toInt(text, actualInt), streamConvert(text, expectedInt)) << '"' << text << '"';
        ASSERT_EQ(actualInt, expectedInt) << '"' << text << '"';
        double expected = 5.0, actual = 5.0;
        ASSERT_EQ(toDouble(text, actual), streamConvert(text, expected)) << '"' << text << '"';
        ASSERT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0) << '"' << text << '"';
    }
}

TEST(TextConvert, PrintedNumbersRoundAsAStreamRoundsThem) {
    // Coordinates as exporters print them, and long or extreme ones that
    // leave the fast path: every one must give the stream's double exactly.
    const char* formats[] = {"%.6f", "%.1f", "%.17g", "%.3e", "%.20f", "%.25g", "%g"};
    unsigned state = 7;
    for (int i = 0; i < 30000; ++i) {
        state = state * 1103515245u + 12345u;
        const double magnitude = std::pow(10.0, static_cast<int>(state % 40) - 20);
        state = state * 1103515245u + 12345u;
        const double number = (static_cast<double>(state) / 4294967296.0 - 0.5) * magnitude;
        char text[128];
        std::snprintf(text, sizeof text, formats[i % 7], number);
        double expected = 0.0, actual = 0.0;
        ASSERT_EQ(toDouble(text, actual), streamConvert(text, expected)) << text;
        ASSERT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0) << text;
    }
}

TEST(TextConvert, ToIntMatchesAStreamAndKeepsTheValueOnFailure) {
    for (const std::string& text : kTexts) {
        int expected = -77;
        int actual = -77;
        const bool expectedOk = streamConvert(text, expected);
        EXPECT_EQ(toInt(text, actual), expectedOk) << '"' << text << '"';
        EXPECT_EQ(actual, expected) << '"' << text << '"';
    }
}

TEST(TextConvert, ToDoubleMatchesAStreamBitForBit) {
    for (const std::string& text : kTexts) {
        double expected = -77.0;
        double actual = -77.0;
        const bool expectedOk = streamConvert(text, expected);
        EXPECT_EQ(toDouble(text, actual), expectedOk) << '"' << text << '"';
        EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0)
            << '"' << text << "\": " << actual << " vs " << expected;
    }
}

TEST(TextConvert, ToFloatMatchesAStreamAndGivesZeroOnFailure) {
    for (const std::string& text : kTexts) {
        float expected = 0.0f;
        if (!streamConvert(text, expected)) expected = 0.0f;
        const float actual = toFloat(text);
        EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0)
            << '"' << text << "\": " << actual << " vs " << expected;
    }
}

TEST(TextConvert, DirectoryOfPrefersTheLastBackslash) {
    EXPECT_EQ(directoryOf("sthenge3.obj"), "");
    EXPECT_EQ(directoryOf("models/sthenge3.obj"), "models/");
    EXPECT_EQ(directoryOf("/a/b/c.obj"), "/a/b/");
    EXPECT_EQ(directoryOf("a\\b.obj"), "a\\");
    EXPECT_EQ(directoryOf("a\\b/c.obj"), "a\\");  // a backslash wins over a later slash
    EXPECT_EQ(directoryOf("a/b\\c/d.obj"), "a/b\\");
    EXPECT_EQ(directoryOf("dir/"), "dir/");
    EXPECT_EQ(directoryOf(""), "");
}
