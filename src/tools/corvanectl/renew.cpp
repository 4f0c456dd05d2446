#include "commands.h"
#include "core/app/user_message.h"
#include "core/setup/dhcp_renew.h"
#include "platform/platform.h"

#ifdef __linux__
#include "platform/linux/linux_platform.h"
#endif

#include <cstdio>
#include <cstdlib>

namespace corvane::ctl {

// renew NAME|INDEX [--timeout SECONDS]: what the tools window's "Renew IP"
// does for one adapter.
int Renew(const Args& args) {
    std::string which;
    int timeoutSeconds = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--timeout" && i + 1 < args.size())
            timeoutSeconds = std::atoi(args[++i].c_str());
        else if (which.empty())
            which = args[i];
        else
            return Usage("renew");
    }
    if (which.empty() || timeoutSeconds < 0)
        return Usage("renew");
    auto platform = CreateSystemPlatform();
#ifdef __linux__
    if (timeoutSeconds > 0)
        if (auto* helper = dynamic_cast<LinuxIpHelper*>(platform->ipHelper))
            helper->SetDhcpTimeouts(timeoutSeconds * 1000, timeoutSeconds * 1000);
#endif
    std::uint32_t index = 0;
    if (which.find_first_not_of("0123456789") == std::string::npos) {
        index = static_cast<std::uint32_t>(std::strtoul(which.c_str(), nullptr, 10));
    } else {
        std::vector<AdapterIndexMap> map;
        platform->ipHelper->GetInterfaceInfo(map);
        for (const AdapterIndexMap& entry : map)
            if (entry.Name == which ||
                platform->connectionNames->ConnectionNameOf(entry.Name) == which)
                index = entry.Index;
    }
    if (index == 0) {
        std::fprintf(stderr, "No adapter %s.\n", which.c_str());
        return 1;
    }
    bool failed = false;
    RenewAdapterAddress(*platform->ipHelper, index,
                        {[&](const UserMessage& m) {
                             std::fprintf(stderr, "%s: %s\n", m.title.c_str(), m.text.c_str());
                             failed = true;
                         },
                         {}});
    return failed ? 1 : 0;
}

} // namespace corvane::ctl
