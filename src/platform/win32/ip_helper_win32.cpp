#include "platform/win32/ip_helper_win32.h"

// Sockets before windows.h, the IP helper after both.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
// clang-format on

#include <algorithm>
#include <cstring>
#include <vector>

namespace corvane {

namespace {

using GetAdaptersInfoFn = DWORD(WINAPI*)(PIP_ADAPTER_INFO, PULONG);
using GetPerAdapterInfoFn = DWORD(WINAPI*)(ULONG, PIP_PER_ADAPTER_INFO, PULONG);
using GetInterfaceInfoFn = DWORD(WINAPI*)(PIP_INTERFACE_INFO, PULONG);
using IpAddressFn = DWORD(WINAPI*)(PIP_ADAPTER_INDEX_MAP);
using GetIfTableFn = DWORD(WINAPI*)(PMIB_IFTABLE, PULONG, BOOL);
using GetIfEntryFn = DWORD(WINAPI*)(PMIB_IFROW);
using GetIpForwardTableFn = DWORD(WINAPI*)(PMIB_IPFORWARDTABLE, PULONG, BOOL);

template <class F> F Resolve(HMODULE module, const char* name) {
    // Through the generic function pointer type, which converts to any other.
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// A text field of fixed size that need not be terminated.
template <std::size_t N> std::string Text(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// The answer buffer of one query. The buffer is sized by a first call and
// filled by a second; should the answer grow in between, it is sized again a
// few times before the failure is passed on.
class Answer {
  public:
    template <class Call> DWORD Fill(ULONG firstSize, Call call) {
        Resize(firstSize);
        for (int attempt = 0;; ++attempt) {
            ULONG size = static_cast<ULONG>(size_);
            DWORD rc = call(data(), &size);
            const bool tooSmall = rc == ERROR_BUFFER_OVERFLOW || rc == ERROR_INSUFFICIENT_BUFFER;
            if (!tooSmall || attempt == 4 || size <= size_)
                return rc;
            Resize(size);
        }
    }
    template <class T> const T* As() const { return reinterpret_cast<const T*>(data()); }
    // Whether n objects of T starting at p lie inside the answer.
    template <class T> bool Holds(const T* p, std::size_t n = 1) const {
        auto begin = reinterpret_cast<std::uintptr_t>(data());
        auto at = reinterpret_cast<std::uintptr_t>(p);
        return at >= begin && at <= begin + size_ && n <= (begin + size_ - at) / sizeof(T);
    }

  private:
    void Resize(std::size_t n) {
        words_.assign(n / sizeof(std::uint64_t) + 1, 0);
        size_ = n;
    }
    unsigned char* data() { return reinterpret_cast<unsigned char*>(words_.data()); }
    const unsigned char* data() const {
        return reinterpret_cast<const unsigned char*>(words_.data());
    }

    std::vector<std::uint64_t> words_; // 64-bit words keep every record aligned
    std::size_t size_ = 0;
};

IfRow RowOf(const MIB_IFROW& r) {
    IfRow row;
    row.dwIndex = r.dwIndex;
    row.dwType = r.dwType;
    row.dwSpeed = r.dwSpeed;
    row.dwPhysAddrLen = std::min<DWORD>(r.dwPhysAddrLen, MAXLEN_PHYSADDR);
    std::memcpy(row.bPhysAddr.data(), r.bPhysAddr,
                std::min(sizeof r.bPhysAddr, row.bPhysAddr.size()));
    row.dwOperStatus = static_cast<std::uint32_t>(r.dwOperStatus);
    row.dwDescrLen = std::min<DWORD>(r.dwDescrLen, MAXLEN_IFDESCR);
    std::memcpy(row.bDescr.data(), r.bDescr, std::min(sizeof r.bDescr, row.bDescr.size()));
    return row;
}

std::string Narrow(const WCHAR* text, std::size_t max) {
    int len = 0;
    while (static_cast<std::size_t>(len) < max && text[len])
        ++len;
    if (len == 0)
        return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text, len, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, len, out.data(), n, nullptr, nullptr);
    return out;
}

IP_ADAPTER_INDEX_MAP MapOf(const AdapterIndexMap& entry) {
    IP_ADAPTER_INDEX_MAP map{};
    map.Index = entry.Index;
    const int room = MAX_ADAPTER_NAME - 1;
    if (!entry.Name.empty()) {
        int n = MultiByteToWideChar(CP_UTF8, 0, entry.Name.data(),
                                    static_cast<int>(entry.Name.size()), nullptr, 0);
        std::vector<WCHAR> wide(static_cast<std::size_t>(n));
        MultiByteToWideChar(CP_UTF8, 0, entry.Name.data(), static_cast<int>(entry.Name.size()),
                            wide.data(), n);
        std::copy_n(wide.begin(), std::min(n, room), map.Name);
    }
    return map;
}

} // namespace

struct Win32IpHelper::Binding {
    HMODULE module = nullptr;
    std::uint32_t report = 0;
    GetAdaptersInfoFn getAdaptersInfo = nullptr;
    GetInterfaceInfoFn getInterfaceInfo = nullptr;
    IpAddressFn ipReleaseAddress = nullptr;
    IpAddressFn ipRenewAddress = nullptr;
    GetPerAdapterInfoFn getPerAdapterInfo = nullptr;
    GetIfTableFn getIfTable = nullptr;
    GetIfEntryFn getIfEntry = nullptr;
    GetIpForwardTableFn getIpForwardTable = nullptr;
};

Win32IpHelper::Win32IpHelper(const std::string& library) : b_(std::make_unique<Binding>()) {
    b_->module = LoadLibraryA(library.c_str());
    if (!b_->module) {
        b_->report = kBindLibraryMissing | 0xFF;
        return;
    }
    auto bind = [&](auto& slot, const char* name, std::uint32_t bit) {
        slot = Resolve<std::remove_reference_t<decltype(slot)>>(b_->module, name);
        if (!slot)
            b_->report |= bit;
    };
    bind(b_->getAdaptersInfo, "GetAdaptersInfo", kBindGetAdaptersInfo);
    bind(b_->getInterfaceInfo, "GetInterfaceInfo", kBindGetInterfaceInfo);
    bind(b_->ipReleaseAddress, "IpReleaseAddress", kBindIpReleaseAddress);
    bind(b_->ipRenewAddress, "IpRenewAddress", kBindIpRenewAddress);
    bind(b_->getPerAdapterInfo, "GetPerAdapterInfo", kBindGetPerAdapterInfo);
    bind(b_->getIfTable, "GetIfTable", kBindGetIfTable);
    bind(b_->getIfEntry, "GetIfEntry", kBindGetIfEntry);
    bind(b_->getIpForwardTable, "GetIpForwardTable", kBindGetIpForwardTable);
}

Win32IpHelper::~Win32IpHelper() {
    if (b_->module)
        FreeLibrary(b_->module);
}

std::uint32_t Win32IpHelper::BindingReport() const {
    return b_->report;
}

SysError Win32IpHelper::GetAdaptersInfo(std::vector<AdapterRecord>& adapters) {
    adapters.clear();
    if (!b_->getAdaptersInfo)
        return kNotBound;
    Answer answer;
    DWORD rc = answer.Fill(sizeof(IP_ADAPTER_INFO), [&](unsigned char* p, ULONG* size) {
        return b_->getAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(p), size);
    });
    if (rc != NO_ERROR)
        return rc;
    for (const IP_ADAPTER_INFO* a = answer.As<IP_ADAPTER_INFO>(); a && answer.Holds(a);
         a = a->Next) {
        AdapterRecord r;
        r.AdapterName = Text(a->AdapterName);
        r.Description = Text(a->Description);
        std::memcpy(r.Address.data(), a->Address, std::min(sizeof a->Address, r.Address.size()));
        r.AddressLength = a->AddressLength;
        r.Index = a->Index;
        r.Type = a->Type;
        r.DhcpEnabled = a->DhcpEnabled;
        r.IpAddress = Text(a->IpAddressList.IpAddress.String);
        r.IpMask = Text(a->IpAddressList.IpMask.String);
        r.Gateway = Text(a->GatewayList.IpAddress.String);
        // The system writes 0.0.0.0 for an adapter without a router.
        if (r.Gateway == "0.0.0.0")
            r.Gateway.clear();
        r.DhcpServer = Text(a->DhcpServer.IpAddress.String);
        r.HaveWins = a->HaveWins;
        r.PrimaryWinsServer = Text(a->PrimaryWinsServer.IpAddress.String);
        r.SecondaryWinsServer = Text(a->SecondaryWinsServer.IpAddress.String);
        r.LeaseObtained = static_cast<std::int64_t>(a->LeaseObtained);
        r.LeaseExpires = static_cast<std::int64_t>(a->LeaseExpires);
        adapters.push_back(std::move(r));
    }
    return kSuccess;
}

SysError Win32IpHelper::GetPerAdapterInfo(std::uint32_t index, PerAdapterInfo& info) {
    info = {};
    if (!b_->getPerAdapterInfo)
        return kNotBound;
    Answer answer;
    DWORD rc = answer.Fill(sizeof(IP_PER_ADAPTER_INFO), [&](unsigned char* p, ULONG* size) {
        return b_->getPerAdapterInfo(index, reinterpret_cast<PIP_PER_ADAPTER_INFO>(p), size);
    });
    if (rc != NO_ERROR)
        return rc;
    const IP_PER_ADAPTER_INFO* p = answer.As<IP_PER_ADAPTER_INFO>();
    info.AutoconfigEnabled = p->AutoconfigEnabled;
    info.AutoconfigActive = p->AutoconfigActive;
    // A chain that leaves the answer or loops is cut where it does so.
    std::size_t guard = 0;
    for (const IP_ADDR_STRING* s = &p->DnsServerList; s && answer.Holds(s) && guard < 256;
         s = s->Next, ++guard)
        info.DnsServerList.push_back(Text(s->IpAddress.String));
    return kSuccess;
}

SysError Win32IpHelper::GetInterfaceInfo(std::vector<AdapterIndexMap>& map) {
    map.clear();
    if (!b_->getInterfaceInfo)
        return kNotBound;
    Answer answer;
    DWORD rc = answer.Fill(sizeof(IP_INTERFACE_INFO), [&](unsigned char* p, ULONG* size) {
        return b_->getInterfaceInfo(reinterpret_cast<PIP_INTERFACE_INFO>(p), size);
    });
    if (rc != NO_ERROR)
        return rc;
    const IP_INTERFACE_INFO* t = answer.As<IP_INTERFACE_INFO>();
    const auto count = static_cast<std::size_t>(std::max<LONG>(t->NumAdapters, 0));
    if (!answer.Holds(t->Adapter, count))
        return ERROR_INVALID_DATA;
    for (std::size_t i = 0; i < count; ++i)
        map.push_back({t->Adapter[i].Index, Narrow(t->Adapter[i].Name, MAX_ADAPTER_NAME)});
    return kSuccess;
}

SysError Win32IpHelper::IpReleaseAddress(const AdapterIndexMap& entry) {
    if (!b_->ipReleaseAddress)
        return kNotBound;
    IP_ADAPTER_INDEX_MAP map = MapOf(entry);
    return b_->ipReleaseAddress(&map);
}

SysError Win32IpHelper::IpRenewAddress(const AdapterIndexMap& entry) {
    if (!b_->ipRenewAddress)
        return kNotBound;
    IP_ADAPTER_INDEX_MAP map = MapOf(entry);
    return b_->ipRenewAddress(&map);
}

SysError Win32IpHelper::GetIfTable(std::vector<IfRow>& rows, bool sorted) {
    rows.clear();
    if (!b_->getIfTable)
        return kNotBound;
    Answer answer;
    DWORD rc = answer.Fill(sizeof(MIB_IFTABLE), [&](unsigned char* p, ULONG* size) {
        return b_->getIfTable(reinterpret_cast<PMIB_IFTABLE>(p), size, sorted);
    });
    if (rc != NO_ERROR)
        return rc;
    const MIB_IFTABLE* t = answer.As<MIB_IFTABLE>();
    if (!answer.Holds(t->table, t->dwNumEntries))
        return ERROR_INVALID_DATA;
    for (DWORD i = 0; i < t->dwNumEntries; ++i)
        rows.push_back(RowOf(t->table[i]));
    // The order is part of our contract, whatever the system makes of the flag.
    if (sorted)
        SortByIndex(rows);
    return kSuccess;
}

SysError Win32IpHelper::GetIfEntry(IfRow& row) {
    if (!b_->getIfEntry)
        return kNotBound;
    MIB_IFROW r{};
    r.dwIndex = row.dwIndex;
    DWORD rc = b_->getIfEntry(&r);
    if (rc != NO_ERROR)
        return rc;
    row = RowOf(r);
    return kSuccess;
}

SysError Win32IpHelper::GetIpForwardTable(std::vector<ForwardRow>& rows, bool sorted) {
    rows.clear();
    if (!b_->getIpForwardTable)
        return kNotBound;
    Answer answer;
    DWORD rc = answer.Fill(sizeof(MIB_IPFORWARDTABLE), [&](unsigned char* p, ULONG* size) {
        return b_->getIpForwardTable(reinterpret_cast<PMIB_IPFORWARDTABLE>(p), size, sorted);
    });
    if (rc != NO_ERROR)
        return rc;
    const MIB_IPFORWARDTABLE* t = answer.As<MIB_IPFORWARDTABLE>();
    if (!answer.Holds(t->table, t->dwNumEntries))
        return ERROR_INVALID_DATA;
    for (DWORD i = 0; i < t->dwNumEntries; ++i) {
        const MIB_IPFORWARDROW& r = t->table[i];
        ForwardRow row;
        row.dwForwardDest = r.dwForwardDest;
        row.dwForwardMask = r.dwForwardMask;
        row.dwForwardNextHop = r.dwForwardNextHop;
        row.dwForwardIfIndex = r.dwForwardIfIndex;
        row.dwForwardType = r.dwForwardType;
        row.dwForwardProto = r.dwForwardProto;
        row.dwForwardMetric1 = static_cast<std::int32_t>(r.dwForwardMetric1);
        rows.push_back(row);
    }
    if (sorted)
        SortRoutes(rows);
    return kSuccess;
}

std::optional<std::string> Win32IpHelper::ErrorText(SysError code) const {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                 FORMAT_MESSAGE_ALLOCATE_BUFFER,
                             nullptr, code, 1024, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    if (n == 0 || !text)
        return std::nullopt;
    std::string out(text, n);
    LocalFree(text);
    return out;
}

} // namespace corvane
