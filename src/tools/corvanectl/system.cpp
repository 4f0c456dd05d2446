#include "commands.h"
#include "platform/program_info.h"

#include <cstdio>

namespace corvane::ctl {

int System(const Args& args) {
    if (!args.empty())
        return Usage("system");
    std::printf("System directory: %s\n", SystemDirectory().c_str());
    const auto fileVersion = ProgramFileVersion();
    std::printf("File version: %s\n", fileVersion ? fileVersion->c_str() : "none");
    if (!OperatingSystemSupported()) {
        std::fprintf(stderr, "This software needs Windows 2000 or Windows XP, aborting.\n");
        return 1;
    }
    return 0;
}

} // namespace corvane::ctl
