#include "platform/linux/linux_platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <linux/ethtool.h>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/sockios.h>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

#include "platform/linux/dhcp_client.h"
#include "platform/linux/dhcp_leases.h"
#include "platform/linux/netlink.h"

namespace corvane {

using namespace linux_backend;

namespace {

std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::stringstream buf;
    buf << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return buf.str();
}

std::int64_t ModifiedTime(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_mtime) : 0;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool IsLoopback(const Link& l) {
    return l.arptype == ARPHRD_LOOPBACK || (l.flags & IFF_LOOPBACK);
}

bool IsWireless(const LinuxPaths& p, const std::string& name) {
    return Exists(p.sysClassNet + "/" + name + "/wireless") ||
           Exists(p.sysClassNet + "/" + name + "/phy80211");
}

// Driver and bus position as ethtool reports them; the link kind or the
// hardware type when the device has no driver information.
std::string DescriptionOf(const Link& l) {
    std::string driver, bus;
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd >= 0) {
        ethtool_drvinfo info{};
        info.cmd = ETHTOOL_GDRVINFO;
        ifreq req{};
        std::strncpy(req.ifr_name, l.name.c_str(), IFNAMSIZ - 1);
        req.ifr_data = reinterpret_cast<char*>(&info);
        if (::ioctl(fd, SIOCETHTOOL, &req) == 0) {
            driver.assign(info.driver, strnlen(info.driver, sizeof info.driver));
            bus.assign(info.bus_info, strnlen(info.bus_info, sizeof info.bus_info));
        }
        ::close(fd);
    }
    if (driver.empty())
        driver = l.kind;
    if (driver.empty())
        driver = IsLoopback(l) ? "Loopback" : "Network adapter";
    if (!bus.empty() && bus != "N/A")
        driver += " " + bus;
    return driver;
}

// Interface speed in bit/s from sysfs (Mbit/s there); 0 when the driver does
// not know it, saturated at the field's limit.
std::uint32_t SpeedOf(const LinuxPaths& p, const std::string& name) {
    auto text = ReadFile(p.sysClassNet + "/" + name + "/speed");
    if (!text)
        return 0;
    long long mbps = std::atoll(text->c_str());
    if (mbps <= 0)
        return 0;
    unsigned long long bits = static_cast<unsigned long long>(mbps) * 1000000ull;
    return bits > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(bits);
}

IfRow RowOf(const LinuxPaths& p, const Link& l) {
    IfRow row;
    row.dwIndex = l.index;
    row.dwType = IfTypeOf(l.arptype, IsWireless(p, l.name));
    row.dwSpeed = SpeedOf(p, l.name);
    row.dwOperStatus = OperStatusOf(l.operstate, l.flags);
    // The loopback device's all-zero address is no hardware address.
    if (!IsLoopback(l) && l.arptype != ARPHRD_NONE)
        SetPhysAddr(row, l.address);
    SetDescr(row, DescriptionOf(l));
    return row;
}

struct LeaseInfo {
    bool managed = false;
    DhcpLease lease;
};

// DHCP state of one interface: a running dhclient, else systemd-networkd, else
// a NetworkManager lease that still holds the interface's address.
LeaseInfo DhcpStateOf(const LinuxPaths& p, const Link& l, const std::string& address,
                      const std::vector<std::vector<std::string>>& dhclients) {
    LeaseInfo out;
    for (const auto& argv : dhclients) {
        if (auto file = LeaseFileOfDhclient(argv, l.name, p.dhclientDefaultLease)) {
            out.managed = true;
            if (auto text = ReadFile(*file))
                if (auto lease = LastDhclientLease(*text, l.name))
                    out.lease = *lease;
            return out;
        }
    }
    const std::string networkd = p.networkdLeases + "/" + std::to_string(l.index);
    if (auto text = ReadFile(networkd)) {
        out.managed = true;
        if (auto lease = KeyValueLease(*text, ModifiedTime(networkd)))
            out.lease = *lease;
        return out;
    }
    if (address == "0.0.0.0")
        return out;
    const std::string suffix = "-" + l.name + ".lease";
    if (DIR* dir = opendir(p.networkManager.c_str())) {
        while (dirent* e = readdir(dir)) {
            std::string name = e->d_name;
            if (name.size() <= suffix.size() ||
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
                continue;
            const std::string path = p.networkManager + "/" + name;
            auto text = ReadFile(path);
            if (!text)
                continue;
            auto lease = name.rfind("dhclient", 0) == 0 ? LastDhclientLease(*text, l.name)
                                                        : KeyValueLease(*text, ModifiedTime(path));
            if (lease && lease->address == address) {
                out.managed = true;
                out.lease = *lease;
                break;
            }
        }
        closedir(dir);
    }
    return out;
}

} // namespace

std::uint32_t IfTypeOf(unsigned arptype, bool wireless) {
    switch (arptype) {
    case ARPHRD_ETHER:
    case ARPHRD_EETHER:
        return wireless ? 71 : 6;
    case ARPHRD_IEEE802_TR:
        return 9;
    case ARPHRD_FDDI:
        return 15;
    case ARPHRD_PPP:
        return 23;
    case ARPHRD_LOOPBACK:
        return 24;
    case ARPHRD_SLIP:
    case ARPHRD_CSLIP:
    case ARPHRD_SLIP6:
    case ARPHRD_CSLIP6:
        return 28;
    case ARPHRD_ATM:
        return 37;
    case ARPHRD_IEEE80211:
    case ARPHRD_IEEE80211_PRISM:
    case ARPHRD_IEEE80211_RADIOTAP:
        return 71;
    case ARPHRD_TUNNEL:
    case ARPHRD_TUNNEL6:
    case ARPHRD_SIT:
    case ARPHRD_IPGRE:
    case ARPHRD_IP6GRE:
        return 131;
    case ARPHRD_IEEE1394:
        return 144;
    case ARPHRD_INFINIBAND:
        return 199;
    default:
        return 1;
    }
}

std::uint32_t OperStatusOf(std::uint8_t operstate, unsigned flags) {
    const bool up = flags & IFF_UP;
    switch (operstate) {
    case IF_OPER_UP:
        return 5;
    case IF_OPER_DORMANT:
        return 3;
    case IF_OPER_LOWERLAYERDOWN:
        return 2;
    case IF_OPER_DOWN:
        return up ? 2 : 0;
    case IF_OPER_UNKNOWN:
        // Devices without carrier reporting (loopback, dummy) stay "unknown".
        if (!up)
            return 0;
        return (flags & IFF_RUNNING) ? 5 : 2;
    default:
        return 0;
    }
}

std::vector<std::string> NameServersOf(std::string_view text) {
    std::vector<std::string> servers;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key, value;
        if (!(words >> key >> value) || key != "nameserver")
            continue;
        if (value.find(':') == std::string::npos)
            servers.push_back(value);
    }
    return servers;
}

LinuxIpHelper::LinuxIpHelper(LinuxPaths paths) : paths_(std::move(paths)) {}

SysError LinuxIpHelper::GetAdaptersInfo(std::vector<AdapterRecord>& adapters) {
    Snapshot s;
    if (SysError e = ReadSnapshot(kLinks | kAddresses | kRoutes, s))
        return e;
    const auto dhclients = DhclientCommandLines(paths_.proc);
    adapters.clear();
    for (const Link& l : s.links) {
        if (IsLoopback(l))
            continue;
        AdapterRecord r;
        r.AdapterName = l.name;
        r.Description = DescriptionOf(l);
        if (l.arptype != ARPHRD_NONE) {
            r.AddressLength =
                static_cast<std::uint32_t>(std::min<std::size_t>(l.address.size(), 8));
            std::copy_n(l.address.begin(), r.AddressLength, r.Address.begin());
        }
        r.Index = l.index;
        r.Type = IfTypeOf(l.arptype, IsWireless(paths_, l.name));
        r.IpAddress = r.IpMask = "0.0.0.0";
        for (const Address& a : s.addresses)
            if (a.index == l.index) {
                r.IpAddress = Dotted(a.local);
                r.IpMask = Dotted(PrefixMask(a.prefix));
                break;
            }
        for (const Route& rt : s.routes)
            if (rt.prefix == 0 && rt.gateway != 0 && rt.ifindex == l.index) {
                r.Gateway = Dotted(rt.gateway);
                break;
            }
        LeaseInfo dhcp = DhcpStateOf(paths_, l, r.IpAddress, dhclients);
        r.DhcpEnabled = dhcp.managed ? 1 : 0;
        if (dhcp.managed) {
            r.DhcpServer = dhcp.lease.server;
            r.LeaseObtained = dhcp.lease.obtained;
            r.LeaseExpires = dhcp.lease.expires;
        }
        if (wins_) {
            auto [primary, secondary] = wins_(l.name);
            r.PrimaryWinsServer = primary;
            r.SecondaryWinsServer = secondary;
            r.HaveWins = (!primary.empty() || !secondary.empty()) ? 1 : 0;
        }
        adapters.push_back(std::move(r));
    }
    return kSuccess;
}

SysError LinuxIpHelper::GetPerAdapterInfo(std::uint32_t index, PerAdapterInfo& info) {
    Link link;
    if (index == 0 || index > 0x7FFFFFFF)
        return ENODEV;
    if (SysError e = ReadLink(index, {}, link))
        return e;
    info = {};
    std::optional<std::uint32_t> stored = apipa_ ? apipa_(link.name) : std::nullopt;
    info.AutoconfigEnabled = stored.value_or(1) != 0 ? 1 : 0;
    if (auto text = ReadFile(paths_.resolvConf)) {
        info.DnsServerList = NameServersOf(*text);
        // The local stub resolver only forwards; the servers it forwards to are
        // the ones in use.
        if (info.DnsServerList == std::vector<std::string>{"127.0.0.53"})
            if (auto uplinks = ReadFile(paths_.resolvedUplinks))
                info.DnsServerList = NameServersOf(*uplinks);
    }
    return kSuccess;
}

SysError LinuxIpHelper::GetInterfaceInfo(std::vector<AdapterIndexMap>& map) {
    Snapshot s;
    if (SysError e = ReadSnapshot(kLinks, s))
        return e;
    map.clear();
    for (const Link& l : s.links)
        if (!IsLoopback(l))
            map.push_back({l.index, l.name});
    return kSuccess;
}

namespace {

// The interface an interface map entry stands for: its index decides, as
// the name may have changed since the map was read.
SysError InterfaceOf(const AdapterIndexMap& entry, std::string& name) {
    Link link;
    if (SysError e = ReadLink(entry.Index, entry.Name, link))
        return e;
    name = link.name;
    return kSuccess;
}

} // namespace

SysError LinuxIpHelper::IpReleaseAddress(const AdapterIndexMap& entry) {
    if (!dhcp_)
        return ENOSYS;
    std::string name;
    if (SysError e = InterfaceOf(entry, name))
        return e;
    return dhcp_->Release(name, releaseMs_);
}

SysError LinuxIpHelper::IpRenewAddress(const AdapterIndexMap& entry) {
    if (!dhcp_)
        return ENOSYS;
    std::string name;
    if (SysError e = InterfaceOf(entry, name))
        return e;
    return dhcp_->Renew(name, renewMs_);
}

SysError LinuxIpHelper::GetIfTable(std::vector<IfRow>& rows, bool sorted) {
    Snapshot s;
    if (SysError e = ReadSnapshot(kLinks, s))
        return e;
    rows.clear();
    for (const Link& l : s.links)
        rows.push_back(RowOf(paths_, l));
    if (sorted)
        std::stable_sort(rows.begin(), rows.end(),
                         [](const IfRow& a, const IfRow& b) { return a.dwIndex < b.dwIndex; });
    return kSuccess;
}

SysError LinuxIpHelper::GetIfEntry(IfRow& row) {
    Link link;
    if (row.dwIndex == 0 || row.dwIndex > 0x7FFFFFFF)
        return ENODEV;
    if (SysError e = ReadLink(row.dwIndex, {}, link))
        return e;
    row = RowOf(paths_, link);
    return kSuccess;
}

SysError LinuxIpHelper::GetIpForwardTable(std::vector<ForwardRow>& rows, bool sorted) {
    Snapshot s;
    if (SysError e = ReadSnapshot(kRoutes, s))
        return e;
    rows.clear();
    for (const Route& r : s.routes) {
        ForwardRow row;
        row.dwForwardDest = NetworkOrder(r.dest);
        row.dwForwardMask = NetworkOrder(PrefixMask(r.prefix));
        row.dwForwardNextHop = NetworkOrder(r.gateway);
        row.dwForwardIfIndex = r.ifindex;
        row.dwForwardType = r.gateway ? 4 : 3;
        row.dwForwardProto = r.protocol == 2 /* kernel */ ? 2 : 3;
        row.dwForwardMetric1 = static_cast<std::int32_t>(r.priority);
        rows.push_back(row);
    }
    if (sorted)
        std::stable_sort(rows.begin(), rows.end(), [](const ForwardRow& a, const ForwardRow& b) {
            return std::make_tuple(HostOrder(a.dwForwardDest), HostOrder(a.dwForwardMask),
                                   HostOrder(a.dwForwardNextHop), a.dwForwardIfIndex) <
                   std::make_tuple(HostOrder(b.dwForwardDest), HostOrder(b.dwForwardMask),
                                   HostOrder(b.dwForwardNextHop), b.dwForwardIfIndex);
        });
    return kSuccess;
}

std::optional<std::string> LinuxIpHelper::ErrorText(SysError code) const {
    if (code == kSuccess || code == kNotBound || code > 0x7FFFFFFF)
        return std::nullopt;
    const char* text = strerrordesc_np(static_cast<int>(code));
    if (!text)
        return std::nullopt;
    return std::string(text);
}

std::string LinuxConnectionNames::ConnectionNameOf(const std::string& adapterName) {
    Link link;
    if (adapterName.empty() || adapterName.size() >= 16 ||
        ReadLink(0, adapterName, link) != kSuccess || link.name != adapterName)
        return {};
    return link.alias.empty() ? link.name : link.alias;
}

SysError LinuxHostInfo::HostName(std::string& name) {
    char buf[256] = {};
    if (::gethostname(buf, sizeof buf - 1) != 0)
        return static_cast<SysError>(errno);
    name = buf;
    return kSuccess;
}

SysError LinuxHostInfo::HostAddresses(std::vector<std::string>& addresses) {
    Snapshot s;
    if (SysError e = ReadSnapshot(kLinks | kAddresses, s))
        return e;
    addresses.clear();
    for (const Address& a : s.addresses) {
        auto l = std::find_if(s.links.begin(), s.links.end(),
                              [&](const Link& k) { return k.index == a.index; });
        // An interface without carrier counts as gone, as a media-sensing
        // resolver would see it.
        if (l == s.links.end() || IsLoopback(*l) || !(l->flags & IFF_UP) ||
            !(l->flags & IFF_RUNNING) || (a.local >> 24) == 127)
            continue;
        addresses.push_back(Dotted(a.local));
    }
    if (addresses.empty())
        addresses.push_back("127.0.0.1");
    return kSuccess;
}

} // namespace corvane
