#include "core/lookup/decoders.h"

#include <string>

#include "core/addr/inet.h"

namespace corvane {
namespace {

constexpr std::size_t kProtocolOffset = 9;
constexpr std::size_t kSourceOffset = 12;

std::uint16_t Word(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

int Add(NetworkList& list, const std::string& address, const char* mask, const char* protocol) {
    return list.AddUnlessListed(address, mask, protocol) ? 1 : 0;
}

} // namespace

int DecodeHSRP(const std::uint8_t* packet, std::size_t length, NetworkList& list) {
    // The protocol byte is not looked at: a source port of 1985 is enough.
    if (length < kHSRPMinLength || Word(packet + 20) != 1985)
        return 0;
    int added = Add(list, DottedQuadAt(packet + 44), kHostMask, "HSRP");
    return added + Add(list, DottedQuadAt(packet + kSourceOffset), kHostMask, "HSRP");
}

int DecodeVRRP(const std::uint8_t* packet, std::size_t length, NetworkList& list) {
    if (length < kVRRPMinLength || packet[kProtocolOffset] != 112)
        return 0;
    int added = Add(list, DottedQuadAt(packet + 28), kHostMask, "VRRP");
    return added + Add(list, DottedQuadAt(packet + kSourceOffset), kHostMask, "VRRP");
}

int DecodeOSPF(const std::uint8_t* packet, std::size_t length, NetworkList& list) {
    if (length < kOSPFMinLength || packet[kProtocolOffset] != 89 || packet[21] != 1)
        return 0;
    return list.AddUnlessListed(DottedQuadAt(packet + kSourceOffset), DottedQuadAt(packet + 44),
                                "OSPF")
               ? 1
               : 0;
}

int DecodeEIGRP(const std::uint8_t* packet, std::size_t length, NetworkList& list) {
    if (length < kEIGRPMinLength || packet[kProtocolOffset] != 88)
        return 0;
    return Add(list, DottedQuadAt(packet + kSourceOffset), kHostMask, "EIGRP");
}

int DecodeRIP(const std::uint8_t* packet, std::size_t length, NetworkList& list) {
    if (length < kRIPMinLength || packet[kProtocolOffset] != 17 || Word(packet + 22) != 520)
        return 0;
    std::string protocol = "RIPV" + std::to_string(packet[29]);
    return list.AddUnlessListed(DottedQuadAt(packet + kSourceOffset), kHostMask, protocol) ? 1 : 0;
}

int DecodePacket(const std::uint8_t* packet, std::size_t length, std::uint32_t protocols,
                 NetworkList& list) {
    int added = 0;
    if (protocols & kProtocolHSRP)
        added += DecodeHSRP(packet, length, list);
    if (protocols & kProtocolVRRP)
        added += DecodeVRRP(packet, length, list);
    if (protocols & kProtocolOSPF)
        added += DecodeOSPF(packet, length, list);
    if (protocols & kProtocolEIGRP)
        added += DecodeEIGRP(packet, length, list);
    if (protocols & kProtocolRIP)
        added += DecodeRIP(packet, length, list);
    return added;
}

} // namespace corvane
