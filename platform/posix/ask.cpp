#include "platform/ask.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

extern char** environ;

namespace {

// 1 yes, 0 no, -1 when no dialog could be shown.
int askWithDialog(const std::string& text, const std::string& caption) {
    if (!std::getenv("DISPLAY")) return -1;
    const std::string title = "--title=" + caption;
    const std::string question = "--text=" + text;
    char* argv[] = {const_cast<char*>("zenity"), const_cast<char*>("--question"),
                    const_cast<char*>(title.c_str()), const_cast<char*>(question.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "zenity", nullptr, nullptr, argv, environ) != 0) return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    if (!WIFEXITED(status)) return -1;
    switch (WEXITSTATUS(status)) {
        case 0:
            return 1;
        case 1:
            return 0;  // No, or the dialog closed
        default:
            return -1;  // 127: no zenity; others: it could not show itself
    }
}

int askOnTerminal(const std::string& text, const std::string& caption) {
    if (!isatty(STDIN_FILENO)) return -1;
    std::cout << caption << ": " << text << " [y/N] " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) return 0;
    return (!line.empty() && (line[0] == 'y' || line[0] == 'Y')) ? 1 : 0;
}

}  // namespace

bool askYesNo(const std::string& text, const std::string& caption) {
    int answer = askWithDialog(text, caption);
    if (answer < 0) answer = askOnTerminal(text, caption);
    return answer == 1;
}
