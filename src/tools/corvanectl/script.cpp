#include "commands.h"
#include "core/netsh/config_script.h"

#include <cstdio>

namespace corvane::ctl {

int Script(const Args& args) {
    if (args.size() != 1)
        return Usage("script");
    for (const std::string& line : BuildConfigScript(args[0]))
        std::printf("%s\n", line.c_str());
    return 0;
}

} // namespace corvane::ctl
