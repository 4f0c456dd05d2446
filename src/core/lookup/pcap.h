#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace corvane {

enum class PcapStatus {
    Ok,
    NotPcap,         // no classic capture file header
    UnsupportedLink, // a link type we cannot find IPv4 packets in
    Truncated,       // the file ends inside a record; the records before it were read
};

struct PcapSummary {
    PcapStatus status = PcapStatus::Ok;
    std::uint32_t linkType = 0;
    std::size_t records = 0; // records read
    std::size_t ipv4 = 0;    // IPv4 packets handed on
};

// Reads a classic capture file (either byte order, micro- or nanosecond
// stamps) and calls `each` with every IPv4 packet in it, starting at the IPv4
// header, with the captured length. Link types: Ethernet (with VLAN tags),
// raw IP, Linux cooked (v1 and v2), BSD loopback.
PcapSummary ForEachPcapIpv4(std::span<const std::uint8_t> file,
                            const std::function<void(const std::uint8_t*, std::size_t)>& each);

} // namespace corvane
