// corvane-netsh -f FILE: applies the lines that the script builder writes to
// the connections they name, all or nothing.
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <string>

#include "core/netsh/shell.h"
#include "platform/linux/linux_net_config.h"
#include "platform/linux/reg_file_store.h"
#include "platform/linux/resolver.h"

namespace {

int Usage() {
    std::fputs("usage: corvane-netsh -f SCRIPT\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    using namespace corvane;
    if (argc != 3 || std::strcmp(argv[1], "-f") != 0)
        return Usage();
    const std::string file = argv[2];
    auto script = linux_backend::ReadTextFile(file);
    if (!script) {
        std::fprintf(stderr, "Cannot read %s: %s\n", file.c_str(), std::strerror(errno));
        return 1;
    }
    RegFileStore store;
    LinuxNetConfig target(store);
    const int status = RunShellScript(*script, target, [](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    });
    return status;
}
