#include "platform/executable.h"

#include <windows.h>

#include <algorithm>
#include <vector>

std::string runningExecutable() {
    // Paths may be longer than MAX_PATH; the buffer grows until the name fits.
    std::vector<wchar_t> wide(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
        if (n == 0) return "";
        if (n < wide.size()) {
            wide.resize(n);
            break;
        }
        wide.resize(wide.size() * 2);
    }
    // In the code page the C library's narrow file functions use.
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string path(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), path.data(), bytes,
                        nullptr, nullptr);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// The scene stands beside velmora.exe, in the zip as installed.
std::string installedDataPlace(const std::string&) {
    return "the program's own directory";
}
