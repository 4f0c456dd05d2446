#pragma once
#include <memory>

#include "platform/icmp_echo.h"

namespace corvane {

enum class IcmpSocketKind {
    Auto,     // datagram socket, raw socket when the system allows no datagram one
    Datagram, // unprivileged ICMP datagram socket only
    Raw,      // raw socket only (needs CAP_NET_RAW)
};

std::unique_ptr<IcmpEcho> CreateLinuxIcmpEcho(IcmpSocketKind kind);

} // namespace corvane
