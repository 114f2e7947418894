// The key table built from whole keyboard maps: keys by what they are labelled
// on real layouts, whatever their plain symbol.
#include <gtest/gtest.h>

// After GoogleTest, whose names Xlib's macros (None, Bool) would otherwise replace.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstddef>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/virtual_keys.h"
#include "xkb_layouts.h"

namespace {

// Parses lines of "NAME | keysym keysym ... | keysym ..." into keys.
std::vector<KeySymbols> parseKeys(const std::string& text) {
    std::vector<KeySymbols> keys;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        KeySymbols key;
        if (!(words >> key.name)) continue;
        for (std::string word; words >> word;) {
            if (word == "|") {
                key.groups.emplace_back();
                continue;
            }
            const KeySym keysym = XStringToKeysym(word.c_str());
            EXPECT_TRUE(keysym != NoSymbol || word == "NoSymbol") << word;
            key.groups.back().push_back(keysym);
        }
        keys.push_back(key);
    }
    return keys;
}

// The code of each key by its name, for a keyboard of the common keys plus a layout's rows.
std::map<std::string, int> codesByName(const char* layout, bool withNames = true) {
    std::vector<KeySymbols> keys = parseKeys(std::string(xkb_layouts::kCommonKeys) + layout);
    std::vector<std::string> names;
    for (KeySymbols& key : keys) {
        names.push_back(key.name);
        if (!withNames) key.name.clear();
    }
    const std::vector<int> codes = virtualKeysOfKeyboard(keys);
    std::map<std::string, int> byName;
    for (std::size_t i = 0; i < keys.size(); ++i) byName[names[i]] = codes[i];
    return byName;
}

// The keys of the four rows, in the order the expectations below spell them.
const std::vector<std::vector<std::string>>& rows() {
    static const std::vector<std::vector<std::string>> r = [] {
        std::vector<std::vector<std::string>> out(4);
        auto range = [](const char* row, int n) {
            std::vector<std::string> v;
            for (int i = 1; i <= n; ++i)
                v.push_back(row + std::string(i < 10 ? "0" : "") + std::to_string(i));
            return v;
        };
        out[0] = {"TLDE"};
        for (const std::string& k : range("AE", 12)) out[0].push_back(k);
        out[1] = range("AD", 12);
        out[2] = range("AC", 11);
        out[2].push_back("BKSL");
        out[3] = {"LSGT"};
        for (const std::string& k : range("AB", 10)) out[3].push_back(k);
        return out;
    }();
    return r;
}

struct Layout {
    const char* setxkbmap;
    const char* keys;
    // The code of each key of the four rows (TLDE and the digit row; the top
    // letter row; the home row and BKSL; LSGT and the bottom row) as the
    // character it is, '.' for none.
    const char* expected[4];
};

const Layout kLayouts[] = {
    {"us", xkb_layouts::kUs, {".1234567890..", "QWERTYUIOP..", "ASDFGHJKL...", ".ZXCVBNM..."}},
    {"fr", xkb_layouts::kFr, {".1234567890..", "AZERTYUIOP..", "QSDFGHJKLM..", ".WXCVBN...."}},
    {"de", xkb_layouts::kDe, {".1234567890..", "QWERTZUIOP..", "ASDFGHJKL...", ".YXCVBNM..."}},
    {"us dvorak",
     xkb_layouts::kUsDvorak,
     {".1234567890..", "...PYFGCRL..", "AOEUIDHTNS..", "..QJKXBMWVZ"}},
    {"gb", xkb_layouts::kGb, {".1234567890..", "QWERTYUIOP..", "ASDFGHJKL...", ".ZXCVBNM..."}},
    // Cyrillic, Hebrew and Greek letter keys give the US letters at their
    // place, as on Windows: by position, or (Hebrew) by the Latin capital on
    // the Shift level.
    {"ru", xkb_layouts::kRu, {".1234567890..", "QWERTYUIOP..", "ASDFGHJKL...", ".ZXCVBNM..."}},
    {"il", xkb_layouts::kIl, {".1234567890..", "QWERTYUIOP..", "ASDFGHJKL...", ".ZXCVBNM..."}},
    {"gr", xkb_layouts::kGr, {".1234567890..", "QWERTYUIOP..", "ASDFGHJKL...", ".ZXCVBNM..."}},
    // A Cyrillic first group takes its letters from the French second one; the
    // key with a comma where US has M stays without a code, as M is taken.
    {"ru,fr", xkb_layouts::kRuFr, {".1234567890..", "AZERTYUIOP..", "QSDFGHJKLM..", ".WXCVBN...."}},
    // Digits only on AltGr: by position.
    {"lt", xkb_layouts::kLt, {".1234567890..", "QWERTYUIOP..", "ASDFGHJKL...", ".ZXCVBNM..."}},
    // Digits on the Shift level in their own order; the first key has none,
    // and 1 is the fifth key's, not its own by position.
    {"us dvp",
     xkb_layouts::kUsDvp,
     {"..7531902468.", "...PYFGCRL..", "AOEUIDHTNS..", "..QJKXBMWVZ"}},
    // Turkish letters sit where US has E, G, X and B, which this layout has
    // elsewhere: they get no code. Both ı/I and i/İ are labelled I.
    {"tr f", xkb_layouts::kTrF, {".1234567890..", "FG.IODRNHPQW", "UIEA.TKMLY.X", ".J.VC.ZSB.."}},
};

TEST(KeyboardLayouts, KeysGiveWhatTheyAreLabelledWithOnRealLayouts) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.setxkbmap);
        std::map<std::string, int> codes = codesByName(layout.keys);
        for (int r = 0; r < 4; ++r) {
            std::string got;
            for (const std::string& key : rows()[r]) {
                ASSERT_EQ(codes.count(key), 1u) << key;
                got += codes[key] ? static_cast<char>(codes[key]) : '.';
            }
            EXPECT_EQ(got, layout.expected[r]);
        }

        // The keys of the key map beside the letters and digits, the same on
        // every layout; keypad digits are not digit keys.
        EXPECT_EQ(codes["TAB"], VK_TAB);
        EXPECT_EQ(codes["LFSH"], VK_SHIFT);
        EXPECT_EQ(codes["RTSH"], VK_SHIFT);
        EXPECT_EQ(codes["LCTL"], VK_CONTROL);
        EXPECT_EQ(codes["RCTL"], VK_CONTROL);
        EXPECT_EQ(codes["LEFT"], VK_LEFT);
        EXPECT_EQ(codes["UP"], VK_UP);
        EXPECT_EQ(codes["RGHT"], VK_RIGHT);
        EXPECT_EQ(codes["DOWN"], VK_DOWN);
        for (int f = 1; f <= 5; ++f) {
            EXPECT_EQ(codes["FK0" + std::to_string(f)], VK_F1 + f - 1);
        }
        for (const char* none : {"FK06", "KP1", "KP2", "KP5", "KP0", "KPEN", "LALT", "ALT", "CAPS",
                                 "SPCE", "RTRN", "I187"}) {
            EXPECT_EQ(codes[none], 0) << none;
        }
    }
}

TEST(KeyboardLayouts, AzertyDigitRowSetNoViewpointCodes) {
    // Its plain symbols are & é " ' (; the digits are on the Shift level.
    std::map<std::string, int> codes = codesByName(xkb_layouts::kFr);
    EXPECT_EQ(codes["AE01"], 49);
    EXPECT_EQ(codes["AE02"], 50);
    EXPECT_EQ(codes["AE03"], 51);
    EXPECT_EQ(codes["AE04"], 52);
    EXPECT_EQ(codes["AE05"], 53);
}

TEST(KeyboardLayouts, WithoutKeyNamesLabelsStillCountAndNothingIsGuessed) {
    // A server without XKB names its keys nothing: AZERTY still finds its
    // digits on the Shift level, Russian letter keys get no code at all
    // rather than wrong ones.
    std::map<std::string, int> fr = codesByName(xkb_layouts::kFr, false);
    EXPECT_EQ(fr["AE02"], 50);
    EXPECT_EQ(fr["AD01"], 'A');
    EXPECT_EQ(fr["AB07"], 0);
    std::map<std::string, int> ru = codesByName(xkb_layouts::kRu, false);
    EXPECT_EQ(ru["AE02"], 50);
    EXPECT_EQ(ru["AD01"], 0);
    EXPECT_EQ(ru["TAB"], VK_TAB);

    // Keys with no symbols, no groups or empty groups, and names that are no
    // position, give no code.
    std::vector<KeySymbols> odd = {
        {"AE01", {}},
        {"AE02", {{}}},
        {"AD01", {{NoSymbol, NoSymbol}}},
        {"AE1", {{XK_eacute}}},
        {"AEx1", {{XK_eacute}}},
        {"AE13", {{XK_eacute}}},
        {"AC10", {{XK_eacute}}},
        {"", {{}, {XK_q}}},
    };
    const std::vector<int> codes = virtualKeysOfKeyboard(odd);
    const std::vector<int> expected = {0, 0, 0, 0, 0, 0, 0, 'Q'};
    EXPECT_EQ(codes, expected);
    EXPECT_TRUE(virtualKeysOfKeyboard({}).empty());
}

}  // namespace
