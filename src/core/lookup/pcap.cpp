#include "core/lookup/pcap.h"

namespace corvane {
namespace {

constexpr std::uint32_t kLinkNull = 0;
constexpr std::uint32_t kLinkEthernet = 1;
constexpr std::uint32_t kLinkRawBsd = 12;
constexpr std::uint32_t kLinkRawOpenBsd = 14;
constexpr std::uint32_t kLinkRaw = 101;
constexpr std::uint32_t kLinkLinuxSll = 113;
constexpr std::uint32_t kLinkIpv4 = 228;
constexpr std::uint32_t kLinkLinuxSll2 = 276;

std::uint16_t Be16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

struct Reader {
    bool swapped;
    std::uint32_t U32(const std::uint8_t* p) const {
        if (swapped)
            return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 |
                   std::uint32_t(p[2]) << 8 | p[3];
        return std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 |
               p[0];
    }
};

// Offset of the IPv4 header inside one frame, or -1 when it carries none.
long Ipv4Offset(std::uint32_t link, const std::uint8_t* frame, std::size_t length) {
    switch (link) {
    case kLinkEthernet: {
        std::size_t at = 12;
        for (;;) {
            if (length < at + 2)
                return -1;
            std::uint16_t type = Be16(frame + at);
            if (type == 0x8100 || type == 0x88A8 || type == 0x9100) {
                at += 4;
                continue;
            }
            return type == 0x0800 ? static_cast<long>(at + 2) : -1;
        }
    }
    case kLinkRaw:
    case kLinkRawBsd:
    case kLinkRawOpenBsd:
    case kLinkIpv4:
        return 0;
    case kLinkLinuxSll:
        return length >= 16 && Be16(frame + 14) == 0x0800 ? 16 : -1;
    case kLinkLinuxSll2:
        return length >= 20 && Be16(frame) == 0x0800 ? 20 : -1;
    case kLinkNull: {
        if (length < 4)
            return -1;
        // The family is in the capturing machine's byte order; 2 is IPv4 everywhere.
        bool ipv4 = (frame[0] == 2 && frame[1] == 0 && frame[2] == 0 && frame[3] == 0) ||
                    (frame[0] == 0 && frame[1] == 0 && frame[2] == 0 && frame[3] == 2);
        return ipv4 ? 4 : -1;
    }
    default:
        return -1;
    }
}

bool Supported(std::uint32_t link) {
    switch (link) {
    case kLinkNull:
    case kLinkEthernet:
    case kLinkRawBsd:
    case kLinkRawOpenBsd:
    case kLinkRaw:
    case kLinkLinuxSll:
    case kLinkIpv4:
    case kLinkLinuxSll2:
        return true;
    default:
        return false;
    }
}

} // namespace

PcapSummary ForEachPcapIpv4(std::span<const std::uint8_t> file,
                            const std::function<void(const std::uint8_t*, std::size_t)>& each) {
    PcapSummary summary;
    if (file.size() < 24) {
        summary.status = PcapStatus::NotPcap;
        return summary;
    }
    const std::uint8_t* p = file.data();
    std::uint32_t magic = Reader{false}.U32(p);
    Reader r{false};
    if (magic == 0xA1B2C3D4 || magic == 0xA1B23C4D)
        r.swapped = false;
    else if (magic == 0xD4C3B2A1 || magic == 0x4D3CB2A1)
        r.swapped = true;
    else {
        summary.status = PcapStatus::NotPcap;
        return summary;
    }
    // The link type's upper bits may carry flags (FCS length).
    summary.linkType = r.U32(p + 20) & 0x0FFFFFFF;
    if (!Supported(summary.linkType)) {
        summary.status = PcapStatus::UnsupportedLink;
        return summary;
    }
    std::size_t at = 24;
    while (at < file.size()) {
        if (file.size() - at < 16) {
            summary.status = PcapStatus::Truncated;
            break;
        }
        std::uint32_t captured = r.U32(p + at + 8);
        at += 16;
        if (captured > file.size() - at) {
            summary.status = PcapStatus::Truncated;
            break;
        }
        const std::uint8_t* frame = p + at;
        at += captured;
        ++summary.records;
        long offset = Ipv4Offset(summary.linkType, frame, captured);
        if (offset < 0 || static_cast<std::size_t>(offset) >= captured)
            continue;
        const std::uint8_t* packet = frame + offset;
        std::size_t length = captured - static_cast<std::size_t>(offset);
        if (packet[0] >> 4 != 4)
            continue;
        ++summary.ipv4;
        each(packet, length);
    }
    return summary;
}

} // namespace corvane
