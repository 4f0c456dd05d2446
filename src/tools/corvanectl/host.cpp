#include "commands.h"
#include "core/app/host_address.h"
#include "platform/platform.h"

#include <cstdio>

namespace corvane::ctl {

int Host(const Args& args) {
    if (!args.empty())
        return Usage("host");
    HostAddressReading r = ReadHostAddress(*CreateSystemPlatform()->hostInfo);
    std::printf("%s\n%s\n%d\n", r.hostName.c_str(), r.text.c_str(), r.state);
    return 0;
}

} // namespace corvane::ctl
