#include "platform/capture_source.h"
#include "platform/host_resolver.h"
#include "platform/icmp_echo.h"
#include "platform/platform.h"
#include "platform/registry_connection_names.h"
#include "platform/win32/host_info_win32.h"
#include "platform/win32/ip_helper_win32.h"
#include "platform/win32/net_shell_win32.h"
#include "platform/win32/registry_store.h"

namespace corvane {

namespace {

struct Win32Platform : Platform {
    Win32Platform() {
        ipHelper = &ip;
        connectionNames = &names;
        hostInfo = &host;
        settings = &store;
        netsh = &shell;
        icmp = echo.get();
        capture = captureSource.get();
        resolver = hostResolver.get();
    }
    RegistryStore store;
    Win32IpHelper ip;
    RegistryConnectionNames names{store};
    Win32HostInfo host;
    Win32NetShellRunner shell;
    std::unique_ptr<IcmpEcho> echo = CreateSystemIcmpEcho();
    std::unique_ptr<CaptureSource> captureSource = CreateSystemCaptureSource();
    std::unique_ptr<HostResolver> hostResolver = CreateSystemHostResolver();
};

} // namespace

std::unique_ptr<Platform> CreateSystemPlatform() {
    return std::make_unique<Win32Platform>();
}

} // namespace corvane
