#include "app/options.h"

#include <algorithm>

#include "app/data_directory.h"
#include "app/help_text.h"

Options parseOptions(int argc, const char* const* argv) {
    Options o;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i == 0) {
            o.glutArgs.push_back(arg);
        } else if (arg == "--fullscreen") {
            o.screen = Options::Screen::FullScreen;
        } else if (arg == "--windowed") {
            o.screen = Options::Screen::Windowed;
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--data") {
            if (i + 1 >= argc) {
                o.error = "--data needs a directory";
            } else {
                o.dataDir = argv[++i];
            }
        } else if (arg.rfind("--data=", 0) == 0) {
            o.dataDir = arg.substr(7);
        } else if (arg.rfind("--", 0) == 0) {
            o.error = "unknown option " + arg;
        } else {
            // GLUT's own options (-display, -geometry, ...) pass through unchanged.
            if (arg == "-display" && i + 1 < argc) o.displayName = argv[i + 1];
            o.glutArgs.push_back(arg);
        }
    }
    return o;
}

namespace {

void appendRows(std::string& text, const std::vector<HelpRow>& rows, size_t column) {
    for (const HelpRow& row : rows) {
        std::string what = row.what;
        what.resize(std::max(what.size() + 1, column), ' ');
        text += "  " + what + row.meaning + "\n";
    }
}

}  // namespace

std::string usageText(const std::string& programName) {
    std::string text = "Usage: " + programName +
                       " [--fullscreen | --windowed] [--data DIR] [GLUT options]\n"
                       "\n"
                       "A first-person walk through a prehistoric stone circle.\n"
                       "\n";
    appendRows(text, optionHelp(), 15);
    text += "\nThe scene (" + std::string(kModelFileName) +
            " and its images) is read from the first of:\n";
    int place = 0;
    for (const std::string& line : dataSearchHelp())
        text += "  " + std::to_string(++place) + ". " + line + "\n";
    text += "\nKeys:\n";
    appendRows(text, keyHelp(), 23);
    return text;
}

const char* programVersion() {
    return VELMORA_VERSION;
}

std::string versionText(const std::string& programName) {
    return programName + " " + programVersion() + "\n";
}
