#include "commands.h"
#include "core/app/records.h"

#include <cstdio>

namespace corvane::ctl {

int Load(const Args& args) {
    std::string path = kAddressFileName;
    bool multiple = false;
    bool havePath = false;
    for (const std::string& a : args) {
        if (a == "--multiple")
            multiple = true;
        else if (!havePath && !a.starts_with("-")) {
            path = a;
            havePath = true;
        } else
            return Usage("load");
    }
    ConfigLines lines;
    if (!LoadAddressFile(lines, multiple, path)) {
        std::fputs("Couldn't read IP Address File.\n", stderr);
        return 1;
    }
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
    return 0;
}

} // namespace corvane::ctl
