#include "platform/program_info.h"

#include <climits>
#include <string>
#include <unistd.h>

namespace corvane {

std::optional<std::string> ProgramFileVersion() {
    return std::string(CORVANE_VERSION) + "." + CORVANE_BUILD_NUMBER;
}

bool OperatingSystemSupported() {
    return true;
}

// Our network shell is installed beside the program.
std::string SystemDirectory() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    std::string exe(path, static_cast<std::size_t>(n));
    std::string dir = exe.substr(0, exe.rfind('/'));
    return dir.size() > 259 ? dir.substr(0, 259) : dir;
}

} // namespace corvane
