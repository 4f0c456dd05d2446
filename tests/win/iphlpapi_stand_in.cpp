// A stand-in for the IP helper library: a small machine of fixed adapters,
// served with the published record layouts (declared here by hand, so that the
// back end is checked against the layout and not against its own headers).
// Built in variants that lack entry points, to check the binding report.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using DWORD = std::uint32_t;
using WCHAR = char16_t;

constexpr DWORD kOk = 0;
constexpr DWORD kNotSupported = 50;
constexpr DWORD kInvalidParameter = 87;
constexpr DWORD kBufferOverflow = 111;
constexpr DWORD kInsufficientBuffer = 122;
constexpr DWORD kSemTimeout = 121;
constexpr DWORD kNotFound = 1168;

struct AddrString {
    AddrString* Next;
    char IpAddress[16];
    char IpMask[16];
    DWORD Context;
};

struct AdapterInfo {
    AdapterInfo* Next;
    DWORD ComboIndex;
    char AdapterName[260];
    char Description[132];
    std::uint32_t AddressLength;
    std::uint8_t Address[8];
    DWORD Index;
    std::uint32_t Type;
    std::uint32_t DhcpEnabled;
    AddrString* CurrentIpAddress;
    AddrString IpAddressList;
    AddrString GatewayList;
    AddrString DhcpServer;
    std::int32_t HaveWins;
    AddrString PrimaryWinsServer;
    AddrString SecondaryWinsServer;
    std::int64_t LeaseObtained;
    std::int64_t LeaseExpires;
};
static_assert(sizeof(AdapterInfo) == 704 && offsetof(AdapterInfo, Index) == 416 &&
              offsetof(AdapterInfo, LeaseObtained) == 688);

struct PerAdapterInfo {
    std::uint32_t AutoconfigEnabled;
    std::uint32_t AutoconfigActive;
    AddrString* CurrentDnsServer;
    AddrString DnsServerList;
};
static_assert(sizeof(PerAdapterInfo) == 64);

struct IndexMap {
    DWORD Index;
    WCHAR Name[128];
};
struct InterfaceInfo {
    std::int32_t NumAdapters;
    IndexMap Adapter[1];
};
static_assert(sizeof(InterfaceInfo) == 264);

struct IfRow {
    WCHAR wszName[256];
    DWORD dwIndex, dwType, dwMtu, dwSpeed, dwPhysAddrLen;
    std::uint8_t bPhysAddr[8];
    DWORD dwAdminStatus, dwOperStatus, dwLastChange;
    DWORD counters[12];
    DWORD dwDescrLen;
    std::uint8_t bDescr[256];
};
struct IfTable {
    DWORD dwNumEntries;
    IfRow table[1];
};
static_assert(sizeof(IfRow) == 860 && sizeof(IfTable) == 864);

struct ForwardRow {
    DWORD dwForwardDest, dwForwardMask, dwForwardPolicy, dwForwardNextHop, dwForwardIfIndex;
    DWORD dwForwardType, dwForwardProto, dwForwardAge, dwForwardNextHopAS;
    std::int32_t dwForwardMetric1, dwForwardMetric2, dwForwardMetric3, dwForwardMetric4,
        dwForwardMetric5;
};
struct ForwardTable {
    DWORD dwNumEntries;
    ForwardRow table[1];
};
static_assert(sizeof(ForwardTable) == 60);

void Put(char* field, std::size_t size, const char* text) {
    std::memset(field, 0, size);
    std::memcpy(field, text, std::min(size, std::strlen(text)));
}
template <std::size_t N> void Put(char (&field)[N], const char* text) {
    Put(field, N, text);
}
void Put(AddrString& s, const char* address, const char* mask = "") {
    Put(s.IpAddress, address);
    Put(s.IpMask, mask);
}

// Network byte order of a.b.c.d.
[[maybe_unused]] DWORD Ip(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    const std::uint8_t bytes[4] = {a, b, c, d};
    DWORD v;
    std::memcpy(&v, bytes, 4);
    return v;
}

const char16_t* const kMapNames[] = {u"\\DEVICE\\TCPIP_{5A1E2B3C-0000-4000-8000-000000000001}",
                                     u"\\DEVICE\\TCPIP_{5A1E2B3C-0000-4000-8000-00000000001A}"};
const DWORD kMapIndexes[] = {3, 26};

bool SameName(const WCHAR* a, const char16_t* b) {
    for (;; ++a, ++b) {
        if (*a != *b)
            return false;
        if (!*a)
            return true;
    }
}

IfRow MakeRow(DWORD index) {
    IfRow r{};
    r.dwIndex = index;
    switch (index) {
    case 1:
        r.dwType = 24;
        r.dwSpeed = 10000000;
        r.dwOperStatus = 5;
        r.dwDescrLen = 9;
        std::memcpy(r.bDescr, "Loopback", 9);
        break;
    case 3:
        r.dwType = 6;
        r.dwSpeed = 1000000000;
        r.dwPhysAddrLen = 6;
        std::memcpy(r.bPhysAddr, "\x00\x0c\x29\xab\xcd\xef", 6);
        r.dwOperStatus = 5;
        r.dwDescrLen = 22;
        std::memcpy(r.bDescr, "Fast Ethernet Adapter", 22);
        break;
    default: // a length beyond the field, as a broken driver might report
        r.dwType = 71;
        r.dwSpeed = 4294967295u;
        r.dwPhysAddrLen = 12;
        std::memset(r.bPhysAddr, 0x5A, 8);
        r.dwOperStatus = 7;
        r.dwDescrLen = 300;
        std::memset(r.bDescr, 'W', 256);
        break;
    }
    return r;
}

} // namespace

#define STAND_IN extern "C" __declspec(dllexport) DWORD __stdcall

#ifndef STAND_IN_WITHOUT_ADAPTERS
STAND_IN GetAdaptersInfo(AdapterInfo* info, DWORD* size) {
    const DWORD needed = 3 * sizeof(AdapterInfo) + sizeof(AddrString);
    if (!size)
        return kInvalidParameter;
    if (!info || *size < needed) {
        *size = needed;
        return kBufferOverflow;
    }
    std::memset(info, 0, needed);
    AdapterInfo* a = info;
    a[0].Next = &a[1];
    Put(a[0].AdapterName, "{5A1E2B3C-0000-4000-8000-000000000001}");
    Put(a[0].Description, "  Fast Ethernet Adapter\t ");
    a[0].AddressLength = 6;
    std::memcpy(a[0].Address, "\x00\x0c\x29\xab\xcd\xef\x11\x22", 8);
    a[0].Index = 3;
    a[0].Type = 6;
    a[0].DhcpEnabled = 1;
    Put(a[0].IpAddressList, "10.0.0.5", "255.0.0.0");
    Put(a[0].GatewayList, "10.0.0.1");
    Put(a[0].DhcpServer, "10.0.0.2");
    a[0].HaveWins = 1;
    Put(a[0].PrimaryWinsServer, "10.0.0.3");
    a[0].LeaseObtained = 1078495620;
    a[0].LeaseExpires = 1078495620 + 86400;

    a[1].Next = &a[2];
    Put(a[1].AdapterName, "{5A1E2B3C-0000-4000-8000-00000000001A}");
    std::memset(a[1].Description, 'D', sizeof a[1].Description); // no terminator
    a[1].Index = 26;
    a[1].Type = 71;
    Put(a[1].IpAddressList, "0.0.0.0", "0.0.0.0");

    // A dial-up link with a second address, which nobody reads.
    auto* second = reinterpret_cast<AddrString*>(&a[3]);
    Put(*second, "10.9.9.9", "255.255.255.255");
    a[2].Next = nullptr;
    Put(a[2].AdapterName, "{5A1E2B3C-0000-4000-8000-000000000005}");
    Put(a[2].Description, "WAN (PPP/SLIP) Interface");
    a[2].Index = 5;
    a[2].Type = 23;
    Put(a[2].IpAddressList, "10.8.8.8", "255.255.255.255");
    Put(a[2].GatewayList, "0.0.0.0"); // how the system says "no router"
    a[2].IpAddressList.Next = second;
    return kOk;
}
#endif

// Index 3 has three DNS entries, the first empty; index 4's list grows once
// between the sizing call and the reading call; index 5's answer never fits;
// index 6 fails.
STAND_IN GetPerAdapterInfo(DWORD index, PerAdapterInfo* info, DWORD* size) {
    static int growth = 0;
    if (!size)
        return kInvalidParameter;
    DWORD entries;
    switch (index) {
    case 3:
        entries = 2;
        break;
    case 4:
        entries = growth++ == 0 ? 1 : 2;
        break;
    case 5:
        entries = *size / sizeof(AddrString) + 1;
        break;
    default:
        return kNotSupported;
    }
    const DWORD needed = sizeof(PerAdapterInfo) + entries * sizeof(AddrString);
    if (!info || *size < needed) {
        *size = needed;
        return kBufferOverflow;
    }
    std::memset(info, 0, needed);
    info->AutoconfigEnabled = index == 3;
    info->AutoconfigActive = 0;
    auto* extra = reinterpret_cast<AddrString*>(info + 1);
    Put(info->DnsServerList, index == 3 ? "" : "192.168.7.1");
    AddrString* last = &info->DnsServerList;
    for (DWORD i = 0; i < entries; ++i) {
        char text[16] = "10.0.0.5x";
        text[8] = static_cast<char>('3' + i);
        Put(extra[i], text);
        last->Next = &extra[i];
        last = &extra[i];
    }
    return kOk;
}

STAND_IN GetInterfaceInfo(InterfaceInfo* info, DWORD* size) {
    const DWORD needed = sizeof(InterfaceInfo) + sizeof(IndexMap);
    if (!size)
        return kInvalidParameter;
    if (!info || *size < needed) {
        *size = needed;
        return kInsufficientBuffer;
    }
    std::memset(info, 0, needed);
    info->NumAdapters = 2;
    for (int i = 0; i < 2; ++i) {
        info->Adapter[i].Index = kMapIndexes[i];
        std::memcpy(info->Adapter[i].Name, kMapNames[i],
                    std::char_traits<char16_t>::length(kMapNames[i]) * 2);
    }
    return kOk;
}

STAND_IN IpReleaseAddress(IndexMap* map) {
    for (int i = 0; i < 2; ++i)
        if (map && map->Index == kMapIndexes[i] && SameName(map->Name, kMapNames[i]))
            return kOk;
    return kInvalidParameter;
}

STAND_IN IpRenewAddress(IndexMap* map) {
    DWORD rc = IpReleaseAddress(map);
    return rc == kOk && map->Index == 26 ? kSemTimeout : rc;
}

// Rows in the order 26, 1, 3 unless asked for order.
STAND_IN GetIfTable(IfTable* table, DWORD* size, std::int32_t order) {
    const DWORD needed = sizeof(IfTable) + 2 * sizeof(IfRow);
    if (!size)
        return kInvalidParameter;
    if (!table || *size < needed) {
        *size = needed;
        return kInsufficientBuffer;
    }
    table->dwNumEntries = 3;
    const DWORD order0[] = {26, 1, 3}, order1[] = {1, 3, 26};
    for (int i = 0; i < 3; ++i)
        table->table[i] = MakeRow(order ? order1[i] : order0[i]);
    return kOk;
}

#ifndef STAND_IN_WITHOUT_ADAPTERS
STAND_IN GetIfEntry(IfRow* row) {
    if (!row)
        return kInvalidParameter;
    if (row->dwIndex != 1 && row->dwIndex != 3 && row->dwIndex != 26)
        return kNotFound;
    *row = MakeRow(row->dwIndex);
    return kOk;
}
#endif

#ifndef STAND_IN_WITHOUT_FORWARD
STAND_IN GetIpForwardTable(ForwardTable* table, DWORD* size, std::int32_t) {
    const DWORD needed = sizeof(ForwardTable) + 2 * sizeof(ForwardRow);
    if (!size)
        return kInvalidParameter;
    if (!table || *size < needed) {
        *size = needed;
        return kInsufficientBuffer;
    }
    std::memset(table, 0, needed);
    table->dwNumEntries = 3;
    ForwardRow* r = table->table;
    r[0] = {Ip(192, 168, 1, 0),
            Ip(255, 255, 255, 0),
            0,
            Ip(192, 168, 1, 20),
            3,
            3,
            2,
            0,
            0,
            20,
            -1,
            -1,
            -1,
            -1};
    r[1] = {
        Ip(0, 0, 0, 0), Ip(0, 0, 0, 0), 0, Ip(192, 168, 1, 1), 3, 4, 3, 0, 0, -1, -1, -1, -1, -1};
    r[2] = {Ip(10, 0, 0, 5),
            Ip(255, 255, 255, 255),
            0,
            Ip(127, 0, 0, 1),
            1,
            3,
            2,
            0,
            0,
            1,
            -1,
            -1,
            -1,
            -1};
    return kOk;
}
#endif
