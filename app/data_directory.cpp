#include "app/data_directory.h"

#include <unistd.h>

namespace {

bool holdsModel(const std::string& directory) {
    const std::string path = directory.empty() ? kModelFileName : directory + "/" + kModelFileName;
    return access(path.c_str(), R_OK) == 0;
}

}  // namespace

std::string chooseDataDirectory(const std::string& requested, const std::string& bundled) {
    if (!requested.empty()) return requested;
    if (holdsModel("")) return "";
    if (!bundled.empty() && holdsModel(bundled)) return bundled;
    return "";
}
