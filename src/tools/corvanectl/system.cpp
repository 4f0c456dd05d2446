#include "commands.h"
#include "core/app/system_check.h"
#include "platform/net_shell.h"
#include "platform/platform.h"
#include "platform/system_info.h"

#include <cstdio>

namespace corvane::ctl {

int System(const Args& args) {
    if (!args.empty())
        return Usage("system");
    const auto version = WindowsVersion();
    if (version) {
        // Low byte major, next byte minor, the build in the high word (NT only).
        std::printf("Windows version: %u.%u (build %u)\n", *version & 0xFFu,
                    (*version >> 8) & 0xFFu, (*version >> 16) & 0x7FFFu);
    } else {
        std::printf("Windows version: none\n");
    }
    auto platform = CreateSystemPlatform();
    std::printf("System directory: %s\n",
                platform->netsh ? platform->netsh->SystemDirectory().c_str() : "none");
    const auto fileVersion = ProgramFileVersion();
    std::printf("File version: %s\n", fileVersion ? fileVersion->c_str() : "none");
    if (!SystemSupported(version)) {
        std::fprintf(stderr, "%s\n", kUnsupportedSystemText);
        return 1;
    }
    return 0;
}

} // namespace corvane::ctl
