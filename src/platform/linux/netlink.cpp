#include "platform/linux/netlink.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <linux/rtnetlink.h>
#include <netlink/addr.h>
#include <netlink/cache.h>
#include <netlink/errno.h>
#include <netlink/route/addr.h>
#include <netlink/route/link.h>
#include <netlink/route/route.h>
#include <netlink/socket.h>

namespace corvane::linux_backend {

namespace {

// libnl reports its own negative codes; callers want errno values.
SysError FromNl(int nlError) {
    switch (-nlError) {
    case NLE_NOMEM:
        return ENOMEM;
    case NLE_PERM:
    case NLE_NOACCESS:
        return EPERM;
    case NLE_AGAIN:
        return EAGAIN;
    case NLE_INTR:
        return EINTR;
    case NLE_NODEV:
        return ENODEV;
    case NLE_OPNOTSUPP:
        return EOPNOTSUPP;
    case NLE_AF_NOSUPPORT:
        return EAFNOSUPPORT;
    case NLE_BAD_SOCK:
        return ENOTSOCK;
    case NLE_MSGSIZE:
        return EMSGSIZE;
    default:
        return EIO;
    }
}

struct Socket {
    nl_sock* sock = nl_socket_alloc();
    ~Socket() {
        if (sock)
            nl_socket_free(sock);
    }
};

struct Cache {
    nl_cache* cache = nullptr;
    ~Cache() {
        if (cache)
            nl_cache_free(cache);
    }
};

std::uint32_t HostOrderOf(nl_addr* addr) {
    if (!addr || nl_addr_get_family(addr) != AF_INET || nl_addr_get_len(addr) != 4)
        return 0;
    std::uint32_t v;
    std::memcpy(&v, nl_addr_get_binary_addr(addr), 4);
    return ntohl(v);
}

Link CopyLink(rtnl_link* l) {
    Link link;
    link.index = static_cast<std::uint32_t>(rtnl_link_get_ifindex(l));
    if (const char* n = rtnl_link_get_name(l))
        link.name = n;
    if (const char* a = rtnl_link_get_ifalias(l))
        link.alias = a;
    if (const char* k = rtnl_link_get_type(l))
        link.kind = k;
    link.arptype = rtnl_link_get_arptype(l);
    link.flags = rtnl_link_get_flags(l);
    link.operstate = rtnl_link_get_operstate(l);
    if (nl_addr* a = rtnl_link_get_addr(l)) {
        auto* b = static_cast<const std::uint8_t*>(nl_addr_get_binary_addr(a));
        link.address.assign(b, b + nl_addr_get_len(a));
    }
    return link;
}

void ReadLinks(nl_cache* cache, std::vector<Link>& out) {
    for (nl_object* o = nl_cache_get_first(cache); o; o = nl_cache_get_next(o))
        out.push_back(CopyLink(reinterpret_cast<rtnl_link*>(o)));
}

void ReadAddresses(nl_cache* cache, std::vector<Address>& out) {
    for (nl_object* o = nl_cache_get_first(cache); o; o = nl_cache_get_next(o)) {
        auto* a = reinterpret_cast<rtnl_addr*>(o);
        if (rtnl_addr_get_family(a) != AF_INET)
            continue;
        Address addr;
        addr.index = static_cast<std::uint32_t>(rtnl_addr_get_ifindex(a));
        addr.local = HostOrderOf(rtnl_addr_get_local(a));
        addr.prefix = rtnl_addr_get_prefixlen(a);
        out.push_back(addr);
    }
}

void ReadRoutes(nl_cache* cache, std::vector<Route>& out) {
    for (nl_object* o = nl_cache_get_first(cache); o; o = nl_cache_get_next(o)) {
        auto* r = reinterpret_cast<rtnl_route*>(o);
        if (rtnl_route_get_family(r) != AF_INET || rtnl_route_get_table(r) != RT_TABLE_MAIN ||
            rtnl_route_get_type(r) != RTN_UNICAST)
            continue;
        Route route;
        nl_addr* dst = rtnl_route_get_dst(r);
        route.dest = HostOrderOf(dst);
        route.prefix = dst ? static_cast<int>(nl_addr_get_prefixlen(dst)) : 0;
        route.priority = rtnl_route_get_priority(r);
        route.protocol = rtnl_route_get_protocol(r);
        const int hops = rtnl_route_get_nnexthops(r);
        for (int i = 0; i < hops; ++i) {
            rtnl_nexthop* nh = rtnl_route_nexthop_n(r, i);
            Route hop = route;
            hop.gateway = HostOrderOf(rtnl_route_nh_get_gateway(nh));
            hop.ifindex = static_cast<std::uint32_t>(rtnl_route_nh_get_ifindex(nh));
            out.push_back(hop);
        }
    }
}

} // namespace

std::uint32_t PrefixMask(int prefix) {
    if (prefix <= 0)
        return 0;
    if (prefix >= 32)
        return 0xFFFFFFFFu;
    return ~((1u << (32 - prefix)) - 1);
}

std::string Dotted(std::uint32_t v) {
    return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 255) + "." +
           std::to_string((v >> 8) & 255) + "." + std::to_string(v & 255);
}

SysError ReadLink(std::uint32_t index, const std::string& name, Link& out) {
    Socket s;
    if (!s.sock)
        return ENOMEM;
    if (int e = nl_connect(s.sock, NETLINK_ROUTE); e < 0)
        return FromNl(e);
    rtnl_link* link = nullptr;
    int e = rtnl_link_get_kernel(s.sock, static_cast<int>(index), index ? nullptr : name.c_str(),
                                 &link);
    if (e < 0)
        return e == -NLE_OBJ_NOTFOUND || e == -NLE_NODEV ? ENODEV : FromNl(e);
    out = CopyLink(link);
    rtnl_link_put(link);
    return kSuccess;
}

SysError ReadSnapshot(unsigned parts, Snapshot& out) {
    out = {};
    Socket s;
    if (!s.sock)
        return ENOMEM;
    if (int e = nl_connect(s.sock, NETLINK_ROUTE); e < 0)
        return FromNl(e);
    if (parts & kLinks) {
        Cache c;
        if (int e = rtnl_link_alloc_cache(s.sock, AF_UNSPEC, &c.cache); e < 0)
            return FromNl(e);
        ReadLinks(c.cache, out.links);
    }
    if (parts & kAddresses) {
        Cache c;
        if (int e = rtnl_addr_alloc_cache(s.sock, &c.cache); e < 0)
            return FromNl(e);
        ReadAddresses(c.cache, out.addresses);
    }
    if (parts & kRoutes) {
        Cache c;
        if (int e = rtnl_route_alloc_cache(s.sock, AF_INET, 0, &c.cache); e < 0)
            return FromNl(e);
        ReadRoutes(c.cache, out.routes);
    }
    return kSuccess;
}

} // namespace corvane::linux_backend
