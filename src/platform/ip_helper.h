#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/addr/inet.h"

namespace corvane {

// A system error code: 0 is success, anything else is the running system's own
// number (Win32 error codes on Windows, errno values on Linux).
using SysError = std::uint32_t;
inline constexpr SysError kSuccess = 0;
// Returned by an operation whose entry point could not be bound. Callers check
// BindingReport() first and treat this like an error raised inside the call.
inline constexpr SysError kNotBound = 0xFFFFFFFFu;

// Bits of the binding report, one per operation that could not be bound.
enum BindingBit : std::uint32_t {
    kBindGetAdaptersInfo = 0x0001,
    kBindGetInterfaceInfo = 0x0002,
    kBindIpReleaseAddress = 0x0004,
    kBindIpRenewAddress = 0x0008,
    kBindGetPerAdapterInfo = 0x0010,
    kBindGetIfTable = 0x0020,
    kBindGetIfEntry = 0x0040,
    kBindGetIpForwardTable = 0x0080,
    kBindLibraryMissing = 0x8000, // comes with all eight bits above
};

// One network adapter as the IP helper's adapter list reports it. Address texts
// are dotted quads; an adapter without an address reports "0.0.0.0" for address
// and mask; an adapter without a router has an empty Gateway.
struct AdapterRecord {
    std::string AdapterName; // the system's name for the adapter (GUID text on Windows)
    std::string Description;
    std::array<std::uint8_t, 8> Address{}; // hardware address
    std::uint32_t AddressLength = 0;
    std::uint32_t Index = 0;
    std::uint32_t Type =
        0; // IP helper interface type number: 6 Ethernet, 23 PPP, 24 loopback, 71 wireless
    std::uint32_t DhcpEnabled = 0;
    std::string IpAddress; // first entry of the address list
    std::string IpMask;
    std::string Gateway; // first entry of the router list
    std::string DhcpServer;
    std::uint32_t HaveWins = 0;
    std::string PrimaryWinsServer;
    std::string SecondaryWinsServer;
    std::int64_t LeaseObtained = 0; // seconds since 1970, UTC
    std::int64_t LeaseExpires = 0;
};

struct PerAdapterInfo {
    std::uint32_t AutoconfigEnabled = 0;
    std::uint32_t AutoconfigActive = 0;
    // In the resolver's order. The first entry may be an empty text (the system
    // always reports one); an empty list means the same as one empty entry.
    std::vector<std::string> DnsServerList;
};

// One entry of the interface map that release and renew work on.
struct AdapterIndexMap {
    std::uint32_t Index = 0;
    std::string Name;
};

// One row of the interface table.
struct IfRow {
    std::uint32_t dwIndex = 0;
    std::uint32_t dwType = 0;
    std::uint32_t dwSpeed = 0; // bit/s
    std::uint32_t dwPhysAddrLen = 0;
    std::array<std::uint8_t, 8> bPhysAddr{};
    std::uint32_t dwOperStatus = 0; // 0 non-operational .. 5 operational
    std::uint32_t dwDescrLen = 0;
    std::array<std::uint8_t, 256> bDescr{};
};

// Fills bPhysAddr/dwPhysAddrLen (at most 8 bytes) and bDescr/dwDescrLen (at most
// 256 bytes, zero-terminated when it fits) from plain values.
inline void SetPhysAddr(IfRow& row, const std::vector<std::uint8_t>& bytes) {
    row.bPhysAddr = {};
    row.dwPhysAddrLen = static_cast<std::uint32_t>(std::min(bytes.size(), row.bPhysAddr.size()));
    std::copy_n(bytes.begin(), row.dwPhysAddrLen, row.bPhysAddr.begin());
}
inline void SetDescr(IfRow& row, std::string_view text) {
    row.bDescr = {};
    std::size_t n = std::min(text.size(), row.bDescr.size());
    std::copy_n(text.begin(), n, row.bDescr.begin());
    row.dwDescrLen = static_cast<std::uint32_t>(std::min(n + 1, row.bDescr.size()));
}

// One row of the IPv4 route table. The three addresses are in network byte
// order, as the IP helper gives them (the first byte in memory is the first
// byte of the dotted quad).
struct ForwardRow {
    std::uint32_t dwForwardDest = 0;
    std::uint32_t dwForwardMask = 0;
    std::uint32_t dwForwardNextHop = 0;
    std::uint32_t dwForwardIfIndex = 0;
    std::uint32_t dwForwardType = 0;  // 3 direct, 4 indirect
    std::uint32_t dwForwardProto = 0; // 2 local, 3 static/boot, ...
    std::int32_t dwForwardMetric1 = 0;
};

// The orders of GetIfTable and GetIpForwardTable when asked for sorted rows.
inline void SortByIndex(std::vector<IfRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const IfRow& a, const IfRow& b) { return a.dwIndex < b.dwIndex; });
}
inline void SortRoutes(std::vector<ForwardRow>& rows) {
    auto key = [](const ForwardRow& r) {
        return std::make_tuple(ToHostOrder(r.dwForwardDest), ToHostOrder(r.dwForwardMask),
                               ToHostOrder(r.dwForwardNextHop), r.dwForwardIfIndex);
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const ForwardRow& a, const ForwardRow& b) { return key(a) < key(b); });
}

// The eight operations of the IP helper and its error texts. Buffer sizing is
// the back end's business: every call returns the whole answer or an error.
class IpHelper {
  public:
    virtual ~IpHelper() = default;

    // 0 when all eight operations are bound, else the BindingBit of each one
    // that is not (0x80FF when the library is missing).
    virtual std::uint32_t BindingReport() const = 0;

    // Adapters in the system's order.
    virtual SysError GetAdaptersInfo(std::vector<AdapterRecord>& adapters) = 0;
    virtual SysError GetPerAdapterInfo(std::uint32_t index, PerAdapterInfo& info) = 0;
    virtual SysError GetInterfaceInfo(std::vector<AdapterIndexMap>& map) = 0;
    // Both block until the DHCP exchange ends.
    virtual SysError IpReleaseAddress(const AdapterIndexMap& entry) = 0;
    virtual SysError IpRenewAddress(const AdapterIndexMap& entry) = 0;
    // sorted: rows in ascending interface index; else in the system's order.
    virtual SysError GetIfTable(std::vector<IfRow>& rows, bool sorted) = 0;
    // row.dwIndex selects the interface; the rest is filled in.
    virtual SysError GetIfEntry(IfRow& row) = 0;
    // sorted: ascending destination (host order), then mask, next hop, index.
    virtual SysError GetIpForwardTable(std::vector<ForwardRow>& rows, bool sorted) = 0;

    // The system's message text for code, as the system gives it; nullopt when
    // the system has none.
    virtual std::optional<std::string> ErrorText(SysError code) const = 0;
};

} // namespace corvane
