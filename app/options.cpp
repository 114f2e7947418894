#include "app/options.h"

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

std::string usageText(const std::string& programName) {
    return "Usage: " + programName +
           " [--fullscreen | --windowed] [--data DIR] [GLUT options]\n"
           "\n"
           "A first-person walk through a prehistoric stone circle.\n"
           "\n"
           "  --fullscreen   start full screen without asking\n"
           "  --windowed     start in a window without asking\n"
           "  --data DIR     read the scene's files from DIR\n"
           "  --help         show this text\n"
           "\n"
           "Keys:\n"
           "  Up / Down              walk forwards / backwards\n"
           "  Left / Right           turn left / right\n"
           "  Shift + Left / Right   step sideways\n"
           "  Shift + Up / Down      look up / down\n"
           "  Ctrl + Up / Down       rise / sink\n"
           "  1 2 3 4 5              jump to a viewpoint (5: the start view)\n"
           "  T                      fly to a random viewpoint\n"
           "  Tab                    day, twilight, night\n"
           "  F1 F2 F3 F4            yellow, cyan, red, pale blue spot light\n"
           "  P / Shift + P          model normals: file, per face, per vertex\n"
           "  F5                     full screen on / off\n";
}
