#pragma once
#include <string>

#include "platform/host_info.h"

namespace corvane {

// One reading of the host's addresses as UpdateHostAddress makes it.
struct HostAddressReading {
    std::string hostName; // empty when the name could not be read
    std::string text;     // the addresses joined by ",", as far as read
    std::string first;    // FirstHostAddress
    int state = 0;        // HostAddressState: address count, -1 for a loopback address
    bool failed = false;  // FNoUsableNetwork
};

HostAddressReading ReadHostAddress(HostInfo& host);

} // namespace corvane
