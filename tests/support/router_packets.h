#pragma once
// Builds the IPv4 packets that routers send, byte by byte, for tests, the
// benchmark and the lab announcer. Addresses are dotted-quad texts.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace corvane::packets {

using Bytes = std::vector<std::uint8_t>;

inline std::uint32_t Addr(const std::string& text) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    std::sscanf(text.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d);
    return a << 24 | b << 16 | c << 8 | d;
}

inline void Put16(Bytes& p, std::size_t at, std::uint32_t v) {
    p[at] = static_cast<std::uint8_t>(v >> 8);
    p[at + 1] = static_cast<std::uint8_t>(v);
}
inline void Put32(Bytes& p, std::size_t at, std::uint32_t v) {
    Put16(p, at, v >> 16);
    Put16(p, at + 2, v);
}
inline void Append16(Bytes& p, std::uint32_t v) {
    p.push_back(static_cast<std::uint8_t>(v >> 8));
    p.push_back(static_cast<std::uint8_t>(v));
}
inline void Append32(Bytes& p, std::uint32_t v) {
    Append16(p, v >> 16);
    Append16(p, v);
}

// Internet checksum of p[from, to), with an initial partial sum.
inline std::uint16_t Checksum(const Bytes& p, std::size_t from, std::size_t to,
                              std::uint32_t sum = 0) {
    for (std::size_t i = from; i + 1 < to; i += 2)
        sum += static_cast<std::uint32_t>(p[i] << 8 | p[i + 1]);
    if ((to - from) & 1)
        sum += static_cast<std::uint32_t>(p[to - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

// A 20-byte IPv4 header (no options) in front of payload.
inline Bytes Ipv4(std::uint8_t protocol, const std::string& source, const std::string& destination,
                  std::uint8_t ttl, const Bytes& payload, std::uint16_t id = 0) {
    Bytes p(20);
    p[0] = 0x45;
    p[1] = 0xC0; // network control precedence, as routers send their hellos
    Put16(p, 2, static_cast<std::uint32_t>(20 + payload.size()));
    Put16(p, 4, id);
    p[8] = ttl;
    p[9] = protocol;
    Put32(p, 12, Addr(source));
    Put32(p, 16, Addr(destination));
    Put16(p, 10, Checksum(p, 0, 20));
    p.insert(p.end(), payload.begin(), payload.end());
    return p;
}

inline Bytes Udp(const std::string& source, const std::string& destination,
                 std::uint16_t sourcePort, std::uint16_t destinationPort, const Bytes& message,
                 std::uint8_t ttl = 1) {
    Bytes u;
    Append16(u, sourcePort);
    Append16(u, destinationPort);
    Append16(u, static_cast<std::uint32_t>(8 + message.size()));
    Append16(u, 0);
    u.insert(u.end(), message.begin(), message.end());
    std::uint32_t s = Addr(source), d = Addr(destination);
    std::uint32_t pseudo = (s >> 16) + (s & 0xFFFF) + (d >> 16) + (d & 0xFFFF) + 17 +
                           static_cast<std::uint32_t>(u.size());
    std::uint16_t sum = Checksum(u, 0, u.size(), pseudo);
    Put16(u, 6, sum ? sum : 0xFFFF);
    return Ipv4(17, source, destination, ttl, u);
}

// HSRP version 1 hello (RFC 2281) from `source` for virtual address `vip`.
inline Bytes HsrpHello(const std::string& source, const std::string& vip, std::uint8_t group = 1,
                       std::uint8_t priority = 100, std::uint8_t state = 16) {
    Bytes m = {0, 0, state, 3, 10, priority, group, 0, 'c', 'i', 's', 'c', 'o', 0, 0, 0};
    Append32(m, Addr(vip));
    return Udp(source, "224.0.0.2", 1985, 1985, m);
}

// VRRP version 2 advertisement (RFC 3768).
inline Bytes VrrpAdvert(const std::string& source, const std::vector<std::string>& vips,
                        std::uint8_t vrid = 1, std::uint8_t priority = 100) {
    Bytes m = {0x21, vrid, priority, static_cast<std::uint8_t>(vips.size()), 0, 1, 0, 0};
    for (const std::string& v : vips)
        Append32(m, Addr(v));
    m.insert(m.end(), 8, 0); // authentication data
    Put16(m, 6, Checksum(m, 0, m.size()));
    return Ipv4(112, source, "224.0.0.18", 255, m);
}

// OSPFv2 packet (RFC 2328) of `type`; a Hello (type 1) carries `mask`.
inline Bytes OspfPacket(const std::string& source, const std::string& mask, std::uint8_t type = 1,
                        const std::string& area = "0.0.0.0") {
    Bytes m = {2, type, 0, 0};
    Append32(m, Addr(source)); // router ID
    Append32(m, Addr(area));
    Append16(m, 0); // checksum
    Append16(m, 0); // no authentication
    m.insert(m.end(), 8, 0);
    if (type == 1) {
        Append32(m, Addr(mask));
        Append16(m, 10);   // hello interval
        m.push_back(0x02); // options: external routing
        m.push_back(1);    // router priority
        Append32(m, 40);   // dead interval
        Append32(m, 0);    // designated router
        Append32(m, 0);    // backup designated router
    } else {
        Append32(m, 0); // an empty update: no advertisements
    }
    Put16(m, 2, static_cast<std::uint32_t>(m.size()));
    Put16(m, 12, Checksum(m, 0, m.size())); // authentication is zero
    return Ipv4(89, source, "224.0.0.5", 1, m);
}

// EIGRP hello with the parameter and software version TLVs.
inline Bytes EigrpHello(const std::string& source, std::uint16_t as = 100) {
    Bytes m = {2, 5, 0, 0};
    Append32(m, 0); // flags
    Append32(m, 0); // sequence
    Append32(m, 0); // acknowledge
    Append16(m, 0); // virtual router
    Append16(m, as);
    Append16(m, 0x0001); // parameters: K1..K5, reserved, hold time
    Append16(m, 12);
    for (std::uint8_t k : {1, 0, 1, 0, 0, 0})
        m.push_back(k);
    Append16(m, 15);
    Append16(m, 0x0004); // software version
    Append16(m, 8);
    for (std::uint8_t v : {12, 4, 1, 2})
        m.push_back(v);
    Put16(m, 2, Checksum(m, 0, m.size()));
    return Ipv4(88, source, "224.0.0.10", 2, m);
}

// RIP response (RFC 1058 / RFC 2453) advertising `routes` (address, mask).
inline Bytes RipResponse(const std::string& source, std::uint8_t version,
                         const std::vector<std::pair<std::string, std::string>>& routes,
                         std::uint16_t destinationPort = 520) {
    Bytes m = {2, version, 0, 0};
    for (const auto& [address, mask] : routes) {
        Append16(m, 2); // AF_INET
        Append16(m, 0); // route tag
        Append32(m, Addr(address));
        Append32(m, version >= 2 ? Addr(mask) : 0);
        Append32(m, 0); // next hop
        Append32(m, 1); // metric
    }
    return Udp(source, version >= 2 ? "224.0.0.9" : "255.255.255.255", 520, destinationPort, m);
}

} // namespace corvane::packets
