// velmora_manpage TEMPLATE OUTPUT: writes the manual page. The template's
// lines @OPTIONS@, @SETTINGS@, @KEYS@ and @SEARCH@ become the option, setting
// and key tables and the search order that --help prints, so the two cannot
// say different things; @VERSION@ becomes the project's version.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/data_directory.h"
#include "app/help_text.h"
#include "app/options.h"

namespace {

// Roff text: backslashes kept, a hyphen that opens a word (an option's
// "--") as a real minus so it can be copied, and a line that would start
// with a control character made plain.
std::string roff(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool wordStart = i == 0 || text[i - 1] == ' ' || text[i - 1] == '-';
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-' && wordStart) {
            out += "\\-";
        } else {
            out += c;
        }
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
    return out;
}

// An option: its name in bold, its argument ("DIR") in italics.
std::string optionItems() {
    std::string out;
    for (const HelpRow& row : optionHelp()) {
        const std::string what = row.what;
        const size_t space = what.find(' ');
        out += ".TP\n\\fB" + roff(what.substr(0, space)) + "\\fR";
        if (space != std::string::npos) out += " \\fI" + roff(what.substr(space + 1)) + "\\fR";
        out += "\n" + roff(row.meaning) + "\n";
    }
    return out;
}

std::string keyItems(const std::vector<HelpRow>& rows) {
    std::string out;
    for (const HelpRow& row : rows)
        out += ".TP\n\\fB" + roff(row.what) + "\\fR\n" + roff(row.meaning) + "\n";
    return out;
}

std::string searchItems() {
    std::string out;
    int n = 0;
    for (const std::string& line : dataSearchHelp())
        out += ".IP " + std::to_string(++n) + ". 4\n" + roff(line) + "\n";
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TEMPLATE OUTPUT\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "velmora_manpage: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream page;
    for (std::string line; std::getline(in, line);) {
        if (line == "@OPTIONS@") {
            page << optionItems();
        } else if (line == "@KEYS@") {
            page << keyItems(keyHelp());
        } else if (line == "@SETTINGS@") {
            page << keyItems(settingHelp());
        } else if (line == "@SEARCH@") {
            page << searchItems();
        } else {
            for (size_t at; (at = line.find("@VERSION@")) != std::string::npos;)
                line.replace(at, 9, programVersion());
            page << line << "\n";
        }
    }
    std::ofstream out(argv[2]);
    out << page.str();
    if (!out.flush()) {
        std::fprintf(stderr, "velmora_manpage: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
