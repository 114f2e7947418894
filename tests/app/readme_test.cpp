// README says what --help and the manual page say: its option, setting and key tables
// and its search order are the program's own tables, row for row.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/data_directory.h"
#include "app/help_text.h"

namespace {

std::vector<std::string> readmeLines() {
    std::ifstream in(std::string(VELMORA_TEST_DATA) + "/../../README.md");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines of the section under `heading`, up to the next heading.
std::vector<std::string> section(const std::string& heading) {
    const std::vector<std::string> lines = readmeLines();
    std::vector<std::string> out;
    bool inside = false;
    for (const std::string& line : lines) {
        if (line.rfind("## ", 0) == 0) {
            if (inside) break;
            inside = line == heading;
        } else if (inside) {
            out.push_back(line);
        }
    }
    return out;
}

std::string trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(' ');
    const size_t b = s.find_last_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// The body rows of the section's first table ("| a | b |"), as {a, b} pairs
// joined by " -> " for readable failures.
std::vector<std::string> tableRows(const std::string& heading) {
    std::vector<std::string> rows;
    int tableLine = 0;
    for (const std::string& line : section(heading)) {
        if (line.rfind("|", 0) != 0) {
            if (tableLine > 0) break;
            continue;
        }
        if (++tableLine <= 2) continue;  // the header and the |---| line
        std::vector<std::string> cells;
        std::istringstream in(line.substr(1));
        for (std::string cell; std::getline(in, cell, '|');) cells.push_back(trimmed(cell));
        rows.push_back(cells.size() == 2 ? cells[0] + " -> " + cells[1] : line);
    }
    return rows;
}

std::vector<std::string> helpRows(const std::vector<HelpRow>& table) {
    std::vector<std::string> rows;
    for (const HelpRow& row : table) rows.push_back(std::string(row.what) + " -> " + row.meaning);
    return rows;
}

TEST(Readme, OptionAndKeyTablesAreTheProgramsOwn) {
    EXPECT_EQ(tableRows("## Options"), helpRows(optionHelp()));
    EXPECT_EQ(tableRows("## Keys"), helpRows(keyHelp()));
    EXPECT_EQ(tableRows("## Settings"), helpRows(settingHelp()));
}

TEST(Readme, StatesTheSearchOrderOfTheScene) {
    // README lists the installed layout of a prefix; a build that keeps the
    // scene beside the program (Windows) names that place instead.
    if (dataSearchHelp().at(2) == "the program's own directory")
        GTEST_SKIP() << "this build keeps its scene beside the program";
    std::vector<std::string> listed;
    for (const std::string& line : section("## Data files")) {
        const size_t dot = line.find(". ");
        if (dot != std::string::npos && dot > 0 && line.find_first_not_of("0123456789") == dot)
            listed.push_back(line.substr(dot + 2));
    }
    EXPECT_EQ(listed, dataSearchHelp());
}

}  // namespace
