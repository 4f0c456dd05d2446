#include "commands.h"
#include "core/setup/adapter_info.h"
#include "platform/local_time.h"
#include "platform/platform.h"

#include <cstdio>

namespace corvane::ctl {

int Adapters(const Args& args) {
    if (!args.empty())
        return Usage("adapters");
    auto platform = CreateSystemPlatform();
    if (const std::uint32_t report = platform->ipHelper->BindingReport()) {
        std::fprintf(stderr, "%s\n", InitErrorText(report).c_str());
        return 1;
    }
    AdapterInfo info =
        ReadAdapterInfo(*platform->ipHelper, *platform->connectionNames, false, &ToLocalTime);
    for (const std::string& line : info.summaries)
        std::printf("%s\n", line.c_str());
    for (SysError code : info.shownErrors) {
        auto text = ShowErrorText(*platform->ipHelper, code);
        std::fprintf(stderr, "%s\n",
                     text ? text->c_str() : ("error " + std::to_string(code)).c_str());
    }
    if (info.readError)
        std::fprintf(stderr, "%s\n", kCouldntReadAdapterInfo);
    return info.readFailed ? 1 : 0;
}

} // namespace corvane::ctl
