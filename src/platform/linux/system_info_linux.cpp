#include "platform/system_info.h"

#include <filesystem>

#ifndef CORVANE_FILE_VERSION
#define CORVANE_FILE_VERSION "0.0.0.0"
#endif

namespace corvane {

std::optional<std::uint32_t> WindowsVersion() {
    return std::nullopt;
}

// Our own network shell is installed beside the program.
std::string SystemDirectory() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

std::optional<std::string> ProgramFileVersion() {
    return CORVANE_FILE_VERSION;
}

} // namespace corvane
