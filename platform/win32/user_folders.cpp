#include "platform/user_folders.h"

#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace {

// In the code page the C library's narrow file functions use, / as separator.
std::string narrow(const wchar_t* wide) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return "";
    std::string path(static_cast<size_t>(bytes - 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, path.data(), bytes, nullptr, nullptr);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace

std::string settingsFilePath() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    const std::string folder = appData ? narrow(appData) : "";
    return folder.empty() ? "" : folder + "/Velmora/velmora.conf";
}

const char* settingsFileDescription() {
    return "%APPDATA%\\Velmora\\velmora.conf";
}

std::string picturesFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &path)))
        folder = narrow(path);
    CoTaskMemFree(path);
    return folder;
}
