#include "platform/linux/linux_platform.h"

namespace corvane {

namespace {

struct LinuxPlatform : Platform {
    LinuxPlatform() {
        ipHelper = &ip;
        connectionNames = &names;
        hostInfo = &host;
    }
    LinuxIpHelper ip;
    LinuxConnectionNames names;
    LinuxHostInfo host;
};

} // namespace

std::unique_ptr<Platform> CreateSystemPlatform() {
    return std::make_unique<LinuxPlatform>();
}

} // namespace corvane
