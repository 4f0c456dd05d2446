#include "platform/system_info.h"

#ifndef CORVANE_FILE_VERSION
#define CORVANE_FILE_VERSION "0.0.0.0"
#endif

namespace corvane {

std::optional<std::uint32_t> WindowsVersion() {
    return std::nullopt;
}

std::optional<std::string> ProgramFileVersion() {
    return CORVANE_FILE_VERSION;
}

} // namespace corvane
