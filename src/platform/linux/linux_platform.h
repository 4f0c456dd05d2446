#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/connection_names.h"
#include "platform/host_info.h"
#include "platform/ip_helper.h"
#include "platform/platform.h"

namespace corvane {

namespace linux_backend {
class DhcpControl;
}

// Where the Linux back end looks; tests point these at temporary paths.
struct LinuxPaths {
    std::string sysClassNet = "/sys/class/net";
    std::string proc = "/proc";
    std::string dhclientDefaultLease = "/var/lib/dhcp/dhclient.leases";
    std::string networkdLeases = "/run/systemd/netif/leases";
    std::string networkManager = "/var/lib/NetworkManager";
    std::string resolvConf = "/etc/resolv.conf";
    std::string resolvedUplinks = "/run/systemd/resolve/resolv.conf";
    std::string run = "/run";
    std::string dhcpLeaseDir = "/var/lib/dhcp"; // where a dhclient we start keeps its lease
};

// The IP helper over rtnetlink and sysfs. Only the network namespace of the
// calling thread is seen.
class LinuxIpHelper : public IpHelper {
  public:
    // The stored APIPA switch of an adapter (nullopt: not stored, which means on)
    // and its WINS servers (primary, secondary).
    using ApipaLookup = std::function<std::optional<std::uint32_t>(const std::string& adapterName)>;
    using WinsLookup =
        std::function<std::pair<std::string, std::string>(const std::string& adapterName)>;

    explicit LinuxIpHelper(LinuxPaths paths = {});
    void SetApipaLookup(ApipaLookup f) { apipa_ = std::move(f); }
    void SetWinsLookup(WinsLookup f) { wins_ = std::move(f); }
    // Release and renew go through `dhcp`; without it they are not available.
    void SetDhcpControl(linux_backend::DhcpControl* dhcp) { dhcp_ = dhcp; }
    // How long release and renew may take before they count as failed.
    void SetDhcpTimeouts(int releaseMs, int renewMs) {
        releaseMs_ = releaseMs;
        renewMs_ = renewMs;
    }

    std::uint32_t BindingReport() const override { return 0; }
    SysError GetAdaptersInfo(std::vector<AdapterRecord>& adapters) override;
    SysError GetPerAdapterInfo(std::uint32_t index, PerAdapterInfo& info) override;
    SysError GetInterfaceInfo(std::vector<AdapterIndexMap>& map) override;
    SysError IpReleaseAddress(const AdapterIndexMap& entry) override;
    SysError IpRenewAddress(const AdapterIndexMap& entry) override;
    SysError GetIfTable(std::vector<IfRow>& rows, bool sorted) override;
    SysError GetIfEntry(IfRow& row) override;
    SysError GetIpForwardTable(std::vector<ForwardRow>& rows, bool sorted) override;
    std::optional<std::string> ErrorText(SysError code) const override;

  private:
    LinuxPaths paths_;
    ApipaLookup apipa_;
    WinsLookup wins_;
    linux_backend::DhcpControl* dhcp_ = nullptr;
    int releaseMs_ = 10000;
    int renewMs_ = 30000;
};

// Connection name = the interface's alias, else its name; empty for an
// interface that does not exist.
class LinuxConnectionNames : public ConnectionNames {
  public:
    std::string ConnectionNameOf(const std::string& adapterName) override;
};

// Host name, and the IPv4 addresses of up, non-loopback interfaces in kernel
// order; 127.0.0.1 alone when there is none.
class LinuxHostInfo : public HostInfo {
  public:
    SysError HostName(std::string& name) override;
    SysError HostAddresses(std::vector<std::string>& addresses) override;
};

// The Linux platform with its files elsewhere (tests); CreateSystemPlatform is
// this with the defaults and the machine-wide settings file.
std::unique_ptr<Platform> CreateLinuxPlatform(const LinuxPaths& paths,
                                              const std::string& storePath);

// IP helper type number for a Linux link (ARPHRD_* type, wireless flag).
std::uint32_t IfTypeOf(unsigned arptype, bool wireless);
// IP helper operational status for a kernel operstate (IF_OPER_*) and flags (IFF_*).
std::uint32_t OperStatusOf(std::uint8_t operstate, unsigned flags);
// DNS servers (IPv4) of a resolv.conf text, in its order.
std::vector<std::string> NameServersOf(std::string_view resolvConf);

} // namespace corvane
