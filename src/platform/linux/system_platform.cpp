#include "platform/linux/linux_platform.h"
#include "platform/linux/reg_file_store.h"
#include "platform/capture_source.h"
#include "platform/host_resolver.h"
#include "platform/icmp_echo.h"

namespace corvane {

namespace {

// Where the per-adapter APIPA switch is kept, as on the system that defined it.
constexpr const char* kInterfacesKey =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";

struct LinuxPlatform : Platform {
    LinuxPlatform(const LinuxPaths& paths, const std::string& storePath)
        : ip(paths), store(storePath) {
        ipHelper = &ip;
        connectionNames = &names;
        hostInfo = &host;
        settings = &store;
        icmp = echo.get();
        capture = captureSource.get();
        resolver = hostResolver.get();
        ip.SetApipaLookup([this](const std::string& adapter) -> std::optional<std::uint32_t> {
            auto key = store.OpenKey(StoreRoot::LocalMachine, kInterfacesKey + adapter,
                                     KeyAccess::ExistingReadOnly);
            if (!key.ok() || !key.value)
                return std::nullopt;
            auto value = key.value->ReadDword("IPAutoconfigurationEnabled");
            if (!value.ok())
                return std::nullopt;
            return value.value;
        });
    }
    LinuxIpHelper ip;
    LinuxConnectionNames names;
    LinuxHostInfo host;
    RegFileStore store;
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
