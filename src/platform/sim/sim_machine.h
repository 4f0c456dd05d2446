#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/connection_names.h"
#include "platform/host_info.h"
#include "platform/ip_helper.h"
#include "platform/platform.h"
#include "platform/sim/memory_store.h"
#include "platform/sim/sim_network.h"

namespace corvane {

// A machine made from a description, for tests. Fill it with AddAdapter and
// friends, or edit `state` directly; every operation can be made to fail.
class SimMachine : public IpHelper, public ConnectionNames, public HostInfo {
  public:
    // One adapter with what the machine knows about it. AddAdapter turns it into
    // an adapter record, per-adapter info, an interface map entry, an interface
    // row and a connection name.
    struct Adapter {
        std::string name{};        // AdapterName; "{ADAPTER-<index>}" when empty
        std::string description{}; // "Simulated adapter <index>" when empty
        std::string connection{};  // connection name; empty: none known
        std::uint32_t index = 0;   // next free index when 0
        std::uint32_t type = 6;
        std::vector<std::uint8_t> mac = {0x00, 0x0c, 0x29, 0x00, 0x00, 0x00};
        std::string ip = "0.0.0.0";
        std::string mask = "0.0.0.0";
        std::string gateway{};
        bool dhcp = false;
        std::string dhcpServer{};
        std::int64_t leaseObtained = 0;
        std::int64_t leaseExpires = 0;
        std::string primaryWins{}; // HaveWins when either WINS text is set
        std::string secondaryWins{};
        std::vector<std::string> dns{};
        bool autoconfig = true;
        std::uint32_t operStatus = 5;
        std::uint32_t speed = 100000000;
    };

    // Everything the machine reports; tests may change it at will.
    struct State {
        std::uint32_t bindingReport = 0;
        std::vector<AdapterRecord> adapters;
        std::map<std::uint32_t, PerAdapterInfo> perAdapter; // by interface index
        std::map<std::string, std::string> connectionNames; // adapter name (any case) -> name
        std::vector<AdapterIndexMap> interfaceMap;
        std::vector<IfRow> ifRows;
        std::vector<ForwardRow> routes;
        std::string hostName = "simhost";
        std::vector<std::string> hostAddresses = {"127.0.0.1"};
        std::map<SysError, std::string> errorTexts;
    };

    enum class Op {
        GetAdaptersInfo,
        GetPerAdapterInfo,
        GetInterfaceInfo,
        IpReleaseAddress,
        IpRenewAddress,
        GetIfTable,
        GetIfEntry,
        GetIpForwardTable,
        HostName,
        HostAddresses,
    };

    SimMachine();

    // Returns the adapter's interface index.
    std::uint32_t AddAdapter(const Adapter& adapter);
    void AddRoute(const std::string& dest, const std::string& mask, const std::string& nextHop,
                  std::uint32_t ifIndex, std::int32_t metric);
    void SetHost(const std::string& name, const std::vector<std::string>& addresses);
    void SetErrorText(SysError code, const std::string& text) { state.errorTexts[code] = text; }

    // op returns code for the next `times` calls (forever when times < 0).
    void Fail(Op op, SysError code, int times = -1);
    void Heal(Op op) { failures_.erase(op); }
    // How often op was called since construction.
    int Calls(Op op) const;
    // Entries handed to release and renew, in call order.
    const std::vector<AdapterIndexMap>& Released() const { return released_; }
    const std::vector<AdapterIndexMap>& Renewed() const { return renewed_; }

    State state;

    // IpHelper
    std::uint32_t BindingReport() const override { return state.bindingReport; }
    SysError GetAdaptersInfo(std::vector<AdapterRecord>& adapters) override;
    SysError GetPerAdapterInfo(std::uint32_t index, PerAdapterInfo& info) override;
    SysError GetInterfaceInfo(std::vector<AdapterIndexMap>& map) override;
    SysError IpReleaseAddress(const AdapterIndexMap& entry) override;
    SysError IpRenewAddress(const AdapterIndexMap& entry) override;
    SysError GetIfTable(std::vector<IfRow>& rows, bool sorted) override;
    SysError GetIfEntry(IfRow& row) override;
    SysError GetIpForwardTable(std::vector<ForwardRow>& rows, bool sorted) override;
    std::optional<std::string> ErrorText(SysError code) const override;

    // ConnectionNames
    std::string ConnectionNameOf(const std::string& adapterName) override;

    // HostInfo
    SysError HostName(std::string& name) override;
    SysError HostAddresses(std::vector<std::string>& addresses) override;

  private:
    struct Failure {
        SysError code;
        int times;
    };
    // The injected failure for op, or 0; counts the call.
    SysError Enter(Op op, std::uint32_t bindingBit);

    std::map<Op, Failure> failures_;
    std::map<Op, int> calls_;
    std::vector<AdapterIndexMap> released_;
    std::vector<AdapterIndexMap> renewed_;
};

// A Platform whose services are one SimMachine and an in-memory store.
struct SimPlatform : Platform {
    SimPlatform() {
        ipHelper = &machine;
        connectionNames = &machine;
        hostInfo = &machine;
        settings = &store;
        icmp = &echo;
        capture = &captureSource;
        resolver = &hostResolver;
    }
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    SimMachine machine;
    MemoryStore store;
    SimIcmpEcho echo;
    SimCaptureSource captureSource;
    SimHostResolver hostResolver;
};

// "a.b.c.d" to a host-order value; 0 for anything else.
std::uint32_t ParseDottedQuad(const std::string& text);

} // namespace corvane
