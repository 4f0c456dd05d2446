#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Addresses in network byte order: the first octet is the first byte in memory,
// whatever the machine's byte order.
inline constexpr std::uint32_t kInaddrNone = 0xFFFFFFFFu;

// The classic address parser: one to four parts, each decimal, octal (leading 0)
// or hexadecimal (leading 0x); the last part fills the remaining bytes. Parsing
// stops at the end or at a blank. kInaddrNone for anything else, and so also for
// "255.255.255.255" itself.
std::uint32_t InetAddr(std::string_view text);

// Dotted-quad text of a network-order address: decimal, no leading zeros.
std::string InetNtoa(std::uint32_t networkOrder);

// Dotted-quad text of the four bytes at p.
std::string DottedQuadAt(const std::uint8_t* p);

// Conversions between a host-order value (first octet most significant) and
// the network-order value.
std::uint32_t ToNetworkOrder(std::uint32_t hostOrder);
std::uint32_t ToHostOrder(std::uint32_t networkOrder);

} // namespace corvane
