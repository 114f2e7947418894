#include "platform/console.h"

#include <windows.h>

#include <cstdio>
#include <iostream>

namespace {

bool errorsReachSomeone = false;

// A standard handle that leads somewhere: a console, a file or a pipe.
bool leadsSomewhere(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void attachConsole() {
    const bool output = leadsSomewhere(STD_OUTPUT_HANDLE);
    const bool errors = leadsSomewhere(STD_ERROR_HANDLE);
    bool attached = false;
    if ((!output || !errors) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        attached = true;
        // Streams redirected by the caller stay where they were sent.
        if (!output) std::freopen("CONOUT$", "w", stdout);
        if (!errors) std::freopen("CONOUT$", "w", stderr);
        std::cout.clear();
        std::cerr.clear();
    }
    errorsReachSomeone = errors || attached;
}

void showNotice(const std::string& line) {
    std::cerr << line << "\n" << std::flush;
    if (!errorsReachSomeone) {
        MessageBoxA(nullptr, line.c_str(), "Velmora", MB_OK | MB_ICONWARNING);
    }
}
