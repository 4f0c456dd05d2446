#include "core/app/host_address.h"

#include <vector>

#include "core/addr/ip.h"

namespace corvane {

HostAddressReading ReadHostAddress(HostInfo& host) {
    HostAddressReading r;
    std::string name;
    if (host.HostName(name) != kSuccess) {
        r.failed = true;
        return r;
    }
    r.hostName = name;
    std::vector<std::string> addresses;
    if (host.HostAddresses(addresses) != kSuccess) {
        r.failed = true;
        return r;
    }
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        if (i)
            r.text += ",";
        r.text += addresses[i];
        if (i == 0)
            r.first = addresses[i];
        if (ip(addresses[i]).isLoopback()) {
            r.state = -1;
            r.failed = true;
            return r;
        }
        ++r.state;
    }
    return r;
}

} // namespace corvane
