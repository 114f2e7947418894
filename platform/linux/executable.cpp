#include "platform/executable.h"

#include <limits.h>
#include <unistd.h>

std::string runningExecutable() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "";
    return std::string(buffer, static_cast<size_t>(n));
}

std::string installedDataPlace(const std::string& relative) {
    return relative + " from the program's own directory (an installed or moved prefix)";
}
