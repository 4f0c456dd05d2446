#include "platform/linux/linux_net_config.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <linux/if.h>
#include <linux/rtnetlink.h>
#include <netlink/addr.h>
#include <netlink/cache.h>
#include <netlink/errno.h>
#include <netlink/msg.h>
#include <netlink/netlink.h>
#include <netlink/route/addr.h>
#include <netlink/route/route.h>
#include <netlink/socket.h>

#include "core/setup/apipa.h"
#include "platform/linux/adapter_values.h"
#include "platform/linux/netlink.h"
#include "platform/linux/resolver.h"
#include "platform/store_tree.h"

namespace corvane {

using namespace linux_backend;

namespace {

// Objects copied out of a libnl cache; each holds a reference.
class Objects {
  public:
    Objects() = default;
    Objects(const Objects&) = delete;
    Objects& operator=(const Objects&) = delete;
    Objects(Objects&& o) noexcept : items_(std::move(o.items_)) {}
    ~Objects() {
        for (nl_object* o : items_)
            nl_object_put(o);
    }
    void Add(nl_object* o) {
        nl_object_get(o);
        items_.push_back(o);
    }
    const std::vector<nl_object*>& items() const { return items_; }

  private:
    std::vector<nl_object*> items_;
};

nl_addr* Ipv4(std::uint32_t hostOrder, int prefix) {
    const std::uint32_t be = htonl(hostOrder);
    nl_addr* a = nl_addr_build(AF_INET, &be, 4);
    if (a)
        nl_addr_set_prefixlen(a, prefix);
    return a;
}

std::string Text(nl_addr* a) {
    if (!a)
        return "-";
    char buf[128];
    return nl_addr2str(a, buf, sizeof buf);
}

int KernelErrorHandler(sockaddr_nl*, nlmsgerr* e, void* arg) {
    *static_cast<int*>(arg) = -e->error;
    return NL_STOP;
}

class Netlink {
  public:
    Netlink() : sock_(nl_socket_alloc()) {}
    ~Netlink() {
        if (sock_)
            nl_socket_free(sock_);
    }
    Netlink(const Netlink&) = delete;
    Netlink& operator=(const Netlink&) = delete;

    SysError Open() {
        if (!sock_)
            return ENOMEM;
        return nl_connect(sock_, NETLINK_ROUTE) < 0 ? EIO : kSuccess;
    }

    SysError Addresses(int ifindex, Objects& out) {
        nl_cache* cache = nullptr;
        if (rtnl_addr_alloc_cache(sock_, &cache) < 0)
            return EIO;
        for (nl_object* o = nl_cache_get_first(cache); o; o = nl_cache_get_next(o)) {
            auto* a = reinterpret_cast<rtnl_addr*>(o);
            if (rtnl_addr_get_family(a) == AF_INET && rtnl_addr_get_ifindex(a) == ifindex)
                out.Add(o);
        }
        nl_cache_free(cache);
        return kSuccess;
    }

    // Main-table routes through the interface, except the ones the kernel
    // keeps for its addresses.
    SysError Routes(int ifindex, Objects& out) {
        nl_cache* cache = nullptr;
        if (rtnl_route_alloc_cache(sock_, AF_INET, 0, &cache) < 0)
            return EIO;
        for (nl_object* o = nl_cache_get_first(cache); o; o = nl_cache_get_next(o)) {
            auto* r = reinterpret_cast<rtnl_route*>(o);
            if (rtnl_route_get_table(r) != RT_TABLE_MAIN ||
                rtnl_route_get_protocol(r) == RTPROT_KERNEL)
                continue;
            bool through = false;
            for (int i = 0; i < rtnl_route_get_nnexthops(r); ++i)
                through =
                    through || rtnl_route_nh_get_ifindex(rtnl_route_nexthop_n(r, i)) == ifindex;
            if (through)
                out.Add(o);
        }
        nl_cache_free(cache);
        return kSuccess;
    }

    SysError AddAddress(rtnl_addr* a) {
        nl_msg* msg = nullptr;
        if (rtnl_addr_build_add_request(a, NLM_F_EXCL, &msg) < 0)
            return EINVAL;
        SysError e = Send(msg);
        return e == EEXIST ? kSuccess : e;
    }
    SysError DeleteAddress(rtnl_addr* a) {
        nl_msg* msg = nullptr;
        if (rtnl_addr_build_delete_request(a, 0, &msg) < 0)
            return EINVAL;
        SysError e = Send(msg);
        return e == EADDRNOTAVAIL ? kSuccess : e;
    }
    // Without NLM_F_EXCL: a second default route of the same metric through
    // another router is a new route, not a clash; only the very same route is.
    SysError AddRoute(rtnl_route* r) {
        nl_msg* msg = nullptr;
        if (rtnl_route_build_add_request(r, 0, &msg) < 0)
            return EINVAL;
        SysError e = Send(msg);
        return e == EEXIST ? kSuccess : e;
    }
    SysError DeleteRoute(rtnl_route* r) {
        nl_msg* msg = nullptr;
        if (rtnl_route_build_del_request(r, 0, &msg) < 0)
            return EINVAL;
        SysError e = Send(msg);
        return e == ESRCH ? kSuccess : e;
    }

  private:
    // libnl folds the kernel's error codes into its own; keep the kernel's.
    SysError Send(nl_msg* msg) {
        int kernelError = 0;
        nl_socket_modify_err_cb(sock_, NL_CB_CUSTOM, KernelErrorHandler, &kernelError);
        int e = nl_send_auto(sock_, msg);
        nlmsg_free(msg);
        if (e >= 0)
            e = nl_wait_for_ack(sock_);
        nl_socket_modify_err_cb(sock_, NL_CB_DEFAULT, nullptr, nullptr);
        if (kernelError)
            return static_cast<SysError>(kernelError);
        return e < 0 ? EIO : kSuccess;
    }

    nl_sock* sock_;
};

std::string AddressKey(std::uint32_t address, int prefix) {
    return linux_backend::Dotted(address) + "/" + std::to_string(prefix);
}

std::string AddressKey(nl_object* o) {
    auto* a = reinterpret_cast<rtnl_addr*>(o);
    nl_addr* local = rtnl_addr_get_local(a);
    std::uint32_t value = 0;
    if (local && nl_addr_get_len(local) == 4) {
        std::memcpy(&value, nl_addr_get_binary_addr(local), 4);
        value = ntohl(value);
    }
    return AddressKey(value, rtnl_addr_get_prefixlen(a));
}

std::string RouteKey(nl_object* o) {
    auto* r = reinterpret_cast<rtnl_route*>(o);
    std::string key = Text(rtnl_route_get_dst(r)) + " tos " +
                      std::to_string(rtnl_route_get_tos(r)) + " metric " +
                      std::to_string(rtnl_route_get_priority(r)) + " type " +
                      std::to_string(rtnl_route_get_type(r));
    for (int i = 0; i < rtnl_route_get_nnexthops(r); ++i) {
        rtnl_nexthop* nh = rtnl_route_nexthop_n(r, i);
        key += " via " + Text(rtnl_route_nh_get_gateway(nh)) + " dev " +
               std::to_string(rtnl_route_nh_get_ifindex(nh));
    }
    return key;
}

using KeyOf = std::string (*)(nl_object*);

bool Contains(const Objects& list, const std::string& key, KeyOf keyOf) {
    for (nl_object* o : list.items())
        if (keyOf(o) == key)
            return true;
    return false;
}

int IndexOf(const std::string& interfaceName) {
    Link link;
    return ReadLink(0, interfaceName, link) == kSuccess ? static_cast<int>(link.index) : 0;
}

bool IsDefault(nl_object* o) {
    nl_addr* dst = rtnl_route_get_dst(reinterpret_cast<rtnl_route*>(o));
    return !dst || nl_addr_get_prefixlen(dst) == 0;
}

SysError DeleteDefaultRoutes(Netlink& nl, int ifindex) {
    Objects routes;
    if (SysError e = nl.Routes(ifindex, routes))
        return e;
    for (nl_object* o : routes.items())
        if (IsDefault(o))
            if (SysError e = nl.DeleteRoute(reinterpret_cast<rtnl_route*>(o)))
                return e;
    return kSuccess;
}

SysError DeleteAddresses(Netlink& nl, const Objects& addresses) {
    // Secondaries go with their primary, so a missing one is no failure.
    for (nl_object* o : addresses.items())
        if (SysError e = nl.DeleteAddress(reinterpret_cast<rtnl_addr*>(o)))
            return e;
    return kSuccess;
}

std::vector<std::string> Dotted(const std::vector<std::uint32_t>& servers) {
    std::vector<std::string> out;
    for (std::uint32_t s : servers)
        out.push_back(linux_backend::Dotted(s));
    return out;
}

} // namespace

struct LinuxNetConfig::Saved {
    Objects addresses;
    Objects routes;
    DhcpClient client;
    std::optional<std::string> remembered;
    std::optional<std::uint32_t> enabled;
    bool resolved = false;
    std::vector<std::string> resolvedDns;
    std::optional<std::string> resolvConf;
    std::optional<std::string> wins;
};

LinuxNetConfig::LinuxNetConfig(SettingsStore& store, Options options)
    : store_(store), options_(std::move(options)), dhcp_(&store, options_.paths) {}

LinuxNetConfig::~LinuxNetConfig() = default;

SysError LinuxNetConfig::FindConnection(const std::string& connection, std::string& interfaceName) {
    Snapshot s;
    if (SysError e = ReadSnapshot(kLinks, s))
        return e;
    int found = 0;
    for (const Link& l : s.links) {
        if (l.flags & IFF_LOOPBACK)
            continue;
        if (store_tree::EqualNoCase(l.alias.empty() ? l.name : l.alias, connection)) {
            interfaceName = l.name;
            ++found;
        }
    }
    if (found == 0)
        return ENODEV;
    return found == 1 ? kSuccess : ENOTUNIQ;
}

SysError LinuxNetConfig::Save(const std::string& interfaceName) {
    const int ifindex = IndexOf(interfaceName);
    if (!ifindex)
        return ENODEV;
    auto saved = std::make_unique<Saved>();
    Netlink nl;
    if (SysError e = nl.Open())
        return e;
    if (SysError e = nl.Addresses(ifindex, saved->addresses))
        return e;
    if (SysError e = nl.Routes(ifindex, saved->routes))
        return e;
    saved->client = dhcp_.Find(interfaceName);
    saved->remembered = dhcp_.Remembered(interfaceName);
    saved->enabled = dhcp_.Enabled(interfaceName);
    saved->resolved = ResolvedRuns(options_.paths.run);
    if (saved->resolved) {
        if (SysError e = ResolvedLinkDns(interfaceName, saved->resolvedDns))
            return e;
    } else {
        saved->resolvConf = ReadTextFile(options_.paths.resolvConf);
    }
    saved->wins = ReadAdapterText(store_, WinsKey(interfaceName), kWinsValueName);
    saved_[interfaceName] = std::move(saved);
    return kSuccess;
}

SysError LinuxNetConfig::Restore(const std::string& interfaceName) {
    auto it = saved_.find(interfaceName);
    if (it == saved_.end())
        return ENOENT;
    const Saved& s = *it->second;
    const int ifindex = IndexOf(interfaceName);
    if (!ifindex)
        return ENODEV;
    SysError first = kSuccess;
    auto note = [&](SysError e) {
        if (e && !first)
            first = e;
    };

    // A client the script started goes first, so that it cannot add its lease
    // back behind us.
    DhcpClient now = dhcp_.Find(interfaceName);
    if (now.running() && (!s.client.running() || now.pid != s.client.pid))
        note(dhcp_.Stop(interfaceName));

    Netlink nl;
    if (SysError e = nl.Open())
        return e;
    Objects addresses, routes;
    note(nl.Addresses(ifindex, addresses));
    for (nl_object* o : addresses.items())
        if (!Contains(s.addresses, AddressKey(o), static_cast<KeyOf>(AddressKey)))
            note(nl.DeleteAddress(reinterpret_cast<rtnl_addr*>(o)));
    Objects remaining;
    note(nl.Addresses(ifindex, remaining));
    for (nl_object* o : s.addresses.items())
        if (!Contains(remaining, AddressKey(o), static_cast<KeyOf>(AddressKey)))
            note(nl.AddAddress(reinterpret_cast<rtnl_addr*>(o)));

    note(nl.Routes(ifindex, routes));
    for (nl_object* o : routes.items())
        if (!Contains(s.routes, RouteKey(o), RouteKey))
            note(nl.DeleteRoute(reinterpret_cast<rtnl_route*>(o)));
    Objects remainingRoutes;
    note(nl.Routes(ifindex, remainingRoutes));
    for (nl_object* o : s.routes.items())
        if (!Contains(remainingRoutes, RouteKey(o), RouteKey))
            note(nl.AddRoute(reinterpret_cast<rtnl_route*>(o)));

    if (s.client.running() && !dhcp_.Find(interfaceName).running())
        note(dhcp_.Resume(interfaceName, s.client));
    if (dhcp_.Remembered(interfaceName) != s.remembered)
        dhcp_.SetRemembered(interfaceName, s.remembered);
    dhcp_.SetEnabled(interfaceName, s.enabled);

    if (s.resolved) {
        note(SetResolvedLinkDns(interfaceName, s.resolvedDns));
    } else if (s.resolvConf && ReadTextFile(options_.paths.resolvConf) != s.resolvConf) {
        note(WriteResolverFile(options_.paths.resolvConf, *s.resolvConf));
    }
    if (ReadAdapterText(store_, WinsKey(interfaceName), kWinsValueName) != s.wins)
        if (!WriteAdapterText(store_, WinsKey(interfaceName), kWinsValueName, s.wins.value_or(""))
                 .ok())
            note(EIO);
    return first;
}

SysError LinuxNetConfig::SetStaticAddress(const std::string& interfaceName, std::uint32_t address,
                                          int prefix) {
    const int ifindex = IndexOf(interfaceName);
    if (!ifindex)
        return ENODEV;
    if (SysError e = dhcp_.Disable(interfaceName))
        return e;
    Netlink nl;
    if (SysError e = nl.Open())
        return e;
    Objects addresses;
    if (SysError e = nl.Addresses(ifindex, addresses))
        return e;
    nl_addr* wanted = Ipv4(address, prefix);
    if (!wanted)
        return ENOMEM;
    const bool already = addresses.items().size() == 1 &&
                         AddressKey(addresses.items()[0]) == AddressKey(address, prefix);
    SysError result = kSuccess;
    if (!already) {
        // All old addresses first: a new one in the same network would be a
        // secondary that goes when the old primary goes.
        result = DeleteAddresses(nl, addresses);
        if (!result) {
            rtnl_addr* a = rtnl_addr_alloc();
            rtnl_addr_set_ifindex(a, ifindex);
            rtnl_addr_set_family(a, AF_INET);
            rtnl_addr_set_local(a, wanted);
            rtnl_addr_set_prefixlen(a, prefix);
            if (prefix < 31) {
                const std::uint32_t mask = PrefixMask(prefix);
                if (nl_addr* b = Ipv4(address | ~mask, 32)) {
                    rtnl_addr_set_broadcast(a, b);
                    nl_addr_put(b);
                }
            }
            result = nl.AddAddress(a);
            rtnl_addr_put(a);
        }
    }
    nl_addr_put(wanted);
    if (result)
        return result;
    return DeleteDefaultRoutes(nl, ifindex);
}

SysError LinuxNetConfig::AddDefaultGateway(const std::string& interfaceName, std::uint32_t gateway,
                                           std::uint32_t metric) {
    const int ifindex = IndexOf(interfaceName);
    if (!ifindex)
        return ENODEV;
    Netlink nl;
    if (SysError e = nl.Open())
        return e;
    rtnl_route* r = rtnl_route_alloc();
    rtnl_route_set_family(r, AF_INET);
    rtnl_route_set_table(r, RT_TABLE_MAIN);
    rtnl_route_set_protocol(r, RTPROT_STATIC);
    rtnl_route_set_scope(r, RT_SCOPE_UNIVERSE);
    rtnl_route_set_type(r, RTN_UNICAST);
    rtnl_route_set_priority(r, metric);
    nl_addr* dst = Ipv4(0, 0);
    nl_addr* gw = Ipv4(gateway, 32);
    rtnl_nexthop* nh = rtnl_route_nh_alloc();
    SysError result = ENOMEM;
    if (dst && gw && nh) {
        rtnl_route_set_dst(r, dst);
        rtnl_route_nh_set_ifindex(nh, ifindex);
        rtnl_route_nh_set_gateway(nh, gw);
        rtnl_route_add_nexthop(r, nh);
        nh = nullptr; // the route owns it now
        result = nl.AddRoute(r);
    }
    if (nh)
        rtnl_route_nh_free(nh);
    if (dst)
        nl_addr_put(dst);
    if (gw)
        nl_addr_put(gw);
    rtnl_route_put(r);
    return result;
}

SysError LinuxNetConfig::EnableDhcp(const std::string& interfaceName) {
    const int ifindex = IndexOf(interfaceName);
    if (!ifindex)
        return ENODEV;
    if (dhcp_.Find(interfaceName).running()) {
        dhcp_.SetEnabled(interfaceName, 1);
        return kSuccess;
    }
    Netlink nl;
    if (SysError e = nl.Open())
        return e;
    Objects addresses;
    if (SysError e = nl.Addresses(ifindex, addresses))
        return e;
    if (SysError e = DeleteAddresses(nl, addresses))
        return e;
    if (SysError e = DeleteDefaultRoutes(nl, ifindex))
        return e;
    return dhcp_.Start(interfaceName, options_.dhcpStartWaitMs);
}

SysError LinuxNetConfig::SetNameServers(const std::string& interfaceName,
                                        const std::vector<std::string>& servers) {
    if (ResolvedRuns(options_.paths.run))
        return SetResolvedLinkDns(interfaceName, servers);
    const std::string text = ReadTextFile(options_.paths.resolvConf).value_or("");
    const std::string changed = WithNameServers(text, servers);
    if (changed == text)
        return kSuccess;
    return WriteResolverFile(options_.paths.resolvConf, changed);
}

SysError LinuxNetConfig::SetDnsServers(const std::string& interfaceName,
                                       const std::vector<std::uint32_t>& servers) {
    return SetNameServers(interfaceName, Dotted(servers));
}

SysError LinuxNetConfig::SetDnsByDhcp(const std::string& interfaceName) {
    if (ResolvedRuns(options_.paths.run))
        return RevertResolvedLink(interfaceName);
    // Without a resolver manager the lease's servers are written here; a lease
    // still to come brings its own through the DHCP client's script.
    return SetNameServers(interfaceName, dhcp_.LeaseDns(interfaceName));
}

SysError LinuxNetConfig::SetWinsServers(const std::string& interfaceName,
                                        const std::vector<std::uint32_t>& servers) {
    StoreError e = WriteWinsServers(store_, interfaceName, Dotted(servers));
    if (e.ok())
        return kSuccess;
    return e.systemCode ? static_cast<SysError>(e.systemCode) : EIO;
}

SysError LinuxNetConfig::SetWinsByDhcp(const std::string& interfaceName) {
    // No DHCP client here asks for WINS servers, so none come by DHCP.
    return SetWinsServers(interfaceName, {});
}

std::string LinuxNetConfig::ErrorText(SysError code) const {
    switch (code) {
    case ENODEV:
        return "there is no such connection";
    case ENOTUNIQ:
        return "more than one interface carries this connection name";
    default:
        break;
    }
    const char* text = strerrordesc_np(static_cast<int>(code));
    return text ? text : "error " + std::to_string(code);
}

} // namespace corvane
