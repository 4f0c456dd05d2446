#pragma once
#include <cstddef>
#include <cstdint>

#include "core/lookup/network_list.h"

namespace corvane {

// The protocol choice bits, as stored in "Option Flags".
enum ProtocolBit : std::uint32_t {
    kProtocolHSRP = 1,
    kProtocolVRRP = 2,
    kProtocolOSPF = 4,
    kProtocolEIGRP = 8,
    kProtocolRIP = 16,
    kAllProtocols = 31,
};

// Shortest packet each decoder reads; a shorter one is ignored by that decoder.
inline constexpr std::size_t kHSRPMinLength = 48;
inline constexpr std::size_t kVRRPMinLength = 32;
inline constexpr std::size_t kOSPFMinLength = 48;
inline constexpr std::size_t kEIGRPMinLength = 20;
inline constexpr std::size_t kRIPMinLength = 30;

// Each decoder looks at one received IPv4 packet (starting with a 20-byte
// header, `length` bytes valid) and adds what it reveals to `list`. They return
// the number of rows added.
int DecodeHSRP(const std::uint8_t* packet, std::size_t length, NetworkList& list);
int DecodeVRRP(const std::uint8_t* packet, std::size_t length, NetworkList& list);
int DecodeOSPF(const std::uint8_t* packet, std::size_t length, NetworkList& list);
int DecodeEIGRP(const std::uint8_t* packet, std::size_t length, NetworkList& list);
int DecodeRIP(const std::uint8_t* packet, std::size_t length, NetworkList& list);

// Runs the decoders chosen in `protocols` (ProtocolBit set) in the order HSRP,
// VRRP, OSPF, EIGRP, RIP. Returns the number of rows added.
int DecodePacket(const std::uint8_t* packet, std::size_t length, std::uint32_t protocols,
                 NetworkList& list);

} // namespace corvane
