#include "platform/sim/sim_machine.h"

#include <algorithm>

#include "core/addr/ip.h"
#include "core/app/ascii.h"

namespace corvane {

SimMachine::SimMachine() = default;

std::uint32_t SimMachine::AddAdapter(const Adapter& a) {
    std::uint32_t index = a.index;
    if (index == 0) {
        index = 1;
        for (const auto& r : state.adapters)
            index = std::max(index, r.Index + 1);
        for (const auto& r : state.ifRows)
            index = std::max(index, r.dwIndex + 1);
    }
    AdapterRecord r;
    r.AdapterName = a.name.empty() ? "{ADAPTER-" + std::to_string(index) + "}" : a.name;
    r.Description =
        a.description.empty() ? "Simulated adapter " + std::to_string(index) : a.description;
    r.AddressLength = static_cast<std::uint32_t>(std::min<std::size_t>(a.mac.size(), 8));
    std::copy_n(a.mac.begin(), r.AddressLength, r.Address.begin());
    r.Index = index;
    r.Type = a.type;
    r.DhcpEnabled = a.dhcp ? 1 : 0;
    r.IpAddress = a.ip;
    r.IpMask = a.mask;
    r.Gateway = a.gateway;
    r.DhcpServer = a.dhcpServer;
    r.HaveWins = (!a.primaryWins.empty() || !a.secondaryWins.empty()) ? 1 : 0;
    r.PrimaryWinsServer = a.primaryWins;
    r.SecondaryWinsServer = a.secondaryWins;
    r.LeaseObtained = a.leaseObtained;
    r.LeaseExpires = a.leaseExpires;
    state.adapters.push_back(r);

    PerAdapterInfo info;
    info.AutoconfigEnabled = a.autoconfig ? 1 : 0;
    info.DnsServerList = a.dns;
    state.perAdapter[index] = info;

    if (!a.connection.empty())
        state.connectionNames[r.AdapterName] = a.connection;
    state.interfaceMap.push_back({index, "\\DEVICE\\TCPIP_" + r.AdapterName});

    IfRow row;
    row.dwIndex = index;
    row.dwType = a.type;
    row.dwSpeed = a.speed;
    row.dwOperStatus = a.operStatus;
    SetPhysAddr(row, a.mac);
    SetDescr(row, r.Description);
    state.ifRows.push_back(row);
    return index;
}

void SimMachine::AddRoute(const std::string& dest, const std::string& mask,
                          const std::string& nextHop, std::uint32_t ifIndex, std::int32_t metric) {
    ForwardRow row;
    row.dwForwardDest = ToNetworkOrder(ip(dest).value());
    row.dwForwardMask = ToNetworkOrder(ip(mask).value());
    row.dwForwardNextHop = ToNetworkOrder(ip(nextHop).value());
    row.dwForwardIfIndex = ifIndex;
    row.dwForwardType = 3;
    row.dwForwardProto = 3;
    row.dwForwardMetric1 = metric;
    state.routes.push_back(row);
}

void SimMachine::SetHost(const std::string& name, const std::vector<std::string>& addresses) {
    state.hostName = name;
    state.hostAddresses = addresses;
}

void SimMachine::Fail(Op op, SysError code, int times) {
    failures_[op] = {code, times};
}

int SimMachine::Calls(Op op) const {
    auto it = calls_.find(op);
    return it == calls_.end() ? 0 : it->second;
}

SysError SimMachine::Enter(Op op, std::uint32_t bindingBit) {
    ++calls_[op];
    if (state.bindingReport & bindingBit)
        return kNotBound;
    auto it = failures_.find(op);
    if (it == failures_.end())
        return kSuccess;
    SysError code = it->second.code;
    if (it->second.times > 0 && --it->second.times == 0)
        failures_.erase(it);
    return code;
}

SysError SimMachine::GetAdaptersInfo(std::vector<AdapterRecord>& adapters) {
    if (SysError e = Enter(Op::GetAdaptersInfo, kBindGetAdaptersInfo))
        return e;
    adapters = state.adapters;
    return kSuccess;
}

SysError SimMachine::GetPerAdapterInfo(std::uint32_t index, PerAdapterInfo& info) {
    if (SysError e = Enter(Op::GetPerAdapterInfo, kBindGetPerAdapterInfo))
        return e;
    auto it = state.perAdapter.find(index);
    if (it == state.perAdapter.end())
        return 87; // the IP helper's "invalid parameter"
    info = it->second;
    return kSuccess;
}

SysError SimMachine::GetInterfaceInfo(std::vector<AdapterIndexMap>& map) {
    if (SysError e = Enter(Op::GetInterfaceInfo, kBindGetInterfaceInfo))
        return e;
    map = state.interfaceMap;
    return kSuccess;
}

SysError SimMachine::IpReleaseAddress(const AdapterIndexMap& entry) {
    if (SysError e = Enter(Op::IpReleaseAddress, kBindIpReleaseAddress))
        return e;
    released_.push_back(entry);
    return kSuccess;
}

SysError SimMachine::IpRenewAddress(const AdapterIndexMap& entry) {
    if (SysError e = Enter(Op::IpRenewAddress, kBindIpRenewAddress))
        return e;
    renewed_.push_back(entry);
    return kSuccess;
}

SysError SimMachine::GetIfTable(std::vector<IfRow>& rows, bool sorted) {
    if (SysError e = Enter(Op::GetIfTable, kBindGetIfTable))
        return e;
    rows = state.ifRows;
    if (sorted)
        SortByIndex(rows);
    return kSuccess;
}

SysError SimMachine::GetIfEntry(IfRow& row) {
    if (SysError e = Enter(Op::GetIfEntry, kBindGetIfEntry))
        return e;
    for (const auto& r : state.ifRows)
        if (r.dwIndex == row.dwIndex) {
            row = r;
            return kSuccess;
        }
    return 87;
}

SysError SimMachine::GetIpForwardTable(std::vector<ForwardRow>& rows, bool sorted) {
    if (SysError e = Enter(Op::GetIpForwardTable, kBindGetIpForwardTable))
        return e;
    rows = state.routes;
    if (sorted)
        SortRoutes(rows);
    return kSuccess;
}

std::optional<std::string> SimMachine::ErrorText(SysError code) const {
    auto it = state.errorTexts.find(code);
    if (it == state.errorTexts.end())
        return std::nullopt;
    return it->second;
}

std::string SimMachine::ConnectionNameOf(const std::string& adapterName) {
    for (const auto& [name, connection] : state.connectionNames)
        if (EqualNoCase(name, adapterName))
            return connection;
    return {};
}

SysError SimMachine::HostName(std::string& name) {
    if (SysError e = Enter(Op::HostName, 0))
        return e;
    name = state.hostName;
    return kSuccess;
}

SysError SimMachine::HostAddresses(std::vector<std::string>& addresses) {
    if (SysError e = Enter(Op::HostAddresses, 0))
        return e;
    addresses = state.hostAddresses;
    return kSuccess;
}

} // namespace corvane
