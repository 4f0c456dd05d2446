#pragma once
#include <string>
#include <vector>

#include "platform/ip_helper.h"

namespace corvane {

// The host's name and the IPv4 addresses it resolves to.
class HostInfo {
  public:
    virtual ~HostInfo() = default;
    virtual SysError HostName(std::string& name) = 0;
    // Dotted quads in the system's order. A machine without a usable network
    // answers a loopback address, as a resolver would.
    virtual SysError HostAddresses(std::vector<std::string>& addresses) = 0;
};

} // namespace corvane
