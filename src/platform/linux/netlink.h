#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ip_helper.h"

namespace corvane::linux_backend {

// Plain copies of what rtnetlink reports, taken in one go so that the
// adapter list, the tables and the host addresses agree with each other.
struct Link {
    std::uint32_t index = 0;
    std::string name;
    std::string alias;
    std::string kind; // "veth", "dummy", ... empty for plain devices
    unsigned arptype = 0;
    unsigned flags = 0;         // IFF_*
    std::uint8_t operstate = 0; // IF_OPER_*
    std::vector<std::uint8_t> address;
};

struct Address {
    std::uint32_t index = 0;
    std::uint32_t local = 0; // host order
    int prefix = 0;
};

struct Route {
    std::uint32_t dest = 0; // host order
    int prefix = 0;
    std::uint32_t gateway = 0; // host order, 0 for a direct route
    std::uint32_t ifindex = 0;
    std::uint32_t priority = 0;
    std::uint8_t protocol = 0;
};

struct Snapshot {
    std::vector<Link> links;        // kernel order
    std::vector<Address> addresses; // IPv4 only, kernel order
    std::vector<Route> routes;      // main table, unicast, one entry per next hop
};

enum Parts : unsigned { kLinks = 1, kAddresses = 2, kRoutes = 4 };

// Reads the requested parts of the calling thread's network namespace.
SysError ReadSnapshot(unsigned parts, Snapshot& out);

// One link by index (when non-zero) or by name; ENODEV when there is none.
SysError ReadLink(std::uint32_t index, const std::string& name, Link& out);

// "255.255.255.0" for 24.
std::uint32_t PrefixMask(int prefix);
std::string Dotted(std::uint32_t hostOrder);

} // namespace corvane::linux_backend
