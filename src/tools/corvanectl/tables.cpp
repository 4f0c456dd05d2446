#include "core/setup/tables.h"
#include "commands.h"
#include "platform/platform.h"

#include <cstdio>

namespace corvane::ctl {

namespace {

int Print(const TableRefresh& t) {
    if (!t.message.empty())
        std::fprintf(stderr, "%s\n", t.message.c_str());
    if (t.outcome != TableRefresh::Outcome::Replace)
        return 1;
    for (const auto& row : t.rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i)
            line += (i ? ";" : "") + row[i];
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

} // namespace

int Interfaces(const Args& args) {
    if (!args.empty())
        return Usage("interfaces");
    return Print(ReadInterfaceTable(*CreateSystemPlatform()->ipHelper));
}

int Routes(const Args& args) {
    if (!args.empty())
        return Usage("routes");
    return Print(ReadRouteTable(*CreateSystemPlatform()->ipHelper));
}

} // namespace corvane::ctl
