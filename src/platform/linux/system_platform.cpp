#include "core/setup/apipa.h"
#include "platform/linux/adapter_values.h"
#include "platform/linux/dhcp_client.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/net_shell_runner.h"
#include "platform/linux/reg_file_store.h"
#include "platform/capture_source.h"
#include "platform/host_resolver.h"
#include "platform/icmp_echo.h"

namespace corvane {

namespace {

struct LinuxPlatform : Platform {
    LinuxPlatform(const LinuxPaths& paths, const std::string& storePath)
        : store(storePath), dhcp(&store), ip(paths) {
        ipHelper = &ip;
        connectionNames = &names;
        hostInfo = &host;
        settings = &store;
        netsh = &shell;
        ip.SetDhcpControl(&dhcp);
        icmp = echo.get();
        capture = captureSource.get();
        resolver = hostResolver.get();
        // Values the Linux back end keeps in the store on the system's behalf.
        ip.SetApipaLookup([this](const std::string& adapter) -> std::optional<std::uint32_t> {
            return ReadApipaSetting(store, adapter) ? 1u : 0u;
        });
        ip.SetWinsLookup([this](const std::string& adapter) {
            return linux_backend::ReadWinsServers(store, adapter);
        });
    }
    RegFileStore store;
    linux_backend::DhcpControl dhcp;
    LinuxIpHelper ip;
    LinuxConnectionNames names;
    LinuxHostInfo host;
    LinuxNetShellRunner shell;
    std::unique_ptr<IcmpEcho> echo = CreateSystemIcmpEcho();
    std::unique_ptr<CaptureSource> captureSource = CreateSystemCaptureSource();
    std::unique_ptr<HostResolver> hostResolver = CreateSystemHostResolver();
};

} // namespace

std::unique_ptr<Platform> CreateLinuxPlatform(const LinuxPaths& paths,
                                              const std::string& storePath) {
    return std::make_unique<LinuxPlatform>(paths, storePath);
}

std::unique_ptr<Platform> CreateSystemPlatform() {
    return CreateLinuxPlatform(LinuxPaths{}, RegFileStore::DefaultPath());
}

} // namespace corvane
