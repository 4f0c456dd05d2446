#include "commands.h"

#include <cstdio>
#include <cstring>

namespace corvane::ctl {
namespace {

// One line per subcommand; add new ones here.
const Command kCommands[] = {
    {"load", "load [FILE] [--multiple]", &Load},
    {"script", "script RECORD", &Script},
    {"adapters", "adapters", &Adapters},
    {"interfaces", "interfaces", &Interfaces},
    {"routes", "routes", &Routes},
    {"host", "host", &Host},
    {"go", "go SELECTOR [FILE]", &Go},
    {"renew", "renew CONNECTION|INDEX [--timeout SECONDS]", &Renew},
    {"ping", "ping HOST [-n COUNT] [-w TIMEOUT_MS] [--socket auto|dgram|raw]", &Ping},
    {"lookup",
     "lookup ADDRESS [--seconds N] [--protocols hsrp,vrrp,ospf,eigrp,rip] [--stats]\n"
     "       corvanectl lookup --file FILE [--protocols ...]",
     &Lookup},
    {"system", "system", &System},
};

int Overview() {
    std::fputs("usage: corvanectl COMMAND [ARGS]\ncommands:\n", stderr);
    for (const Command& c : kCommands)
        std::fprintf(stderr, "  %s\n", c.usage);
    return 2;
}

} // namespace

int Usage(const char* name) {
    for (const Command& c : kCommands) {
        if (std::strcmp(c.name, name) == 0)
            std::fprintf(stderr, "usage: corvanectl %s\n", c.usage);
    }
    return 2;
}

} // namespace corvane::ctl

int main(int argc, char** argv) {
    using namespace corvane::ctl;
    if (argc < 2)
        return Overview();
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0)
            return c.run(Args(argv + 2, argv + argc));
    }
    return Overview();
}
