#include "contract/platform_contract.h"
#include "platform/sim/sim_machine.h"

namespace corvane {
namespace {

// The lab's client machine, described to the simulated back end.
contract::ContractSubject SimLab() {
    contract::ContractSubject s;
    s.adapters = {
        {.name = "cvl1",
         .connection = "Local Area Connection",
         .ip = "10.231.1.10",
         .mask = "255.255.255.0",
         .gateway = "10.231.1.1",
         .mac = {2, 0, 0x0a, 0xe7, 1, 0x0a}},
        {.name = "cvw1",
         .connection = "Wireless Network Connection",
         .ip = "10.231.2.100",
         .mask = "255.255.255.0",
         .gateway = "10.231.2.1",
         .dhcp = true,
         .dhcpServer = "10.231.2.1",
         .mac = {2, 0, 0x0a, 0xe7, 2, 0x0a}},
    };
    s.dns = {"10.231.1.53", "10.231.2.53"};

    auto p = std::make_shared<SimPlatform>();
    SimMachine& m = p->machine;
    std::vector<std::uint32_t> index;
    for (const contract::ExpectedAdapter& a : s.adapters)
        index.push_back(m.AddAdapter({.name = a.name,
                                      .description = "veth",
                                      .connection = a.connection,
                                      .mac = a.mac,
                                      .ip = a.ip,
                                      .mask = a.mask,
                                      .gateway = a.gateway,
                                      .dhcp = a.dhcp,
                                      .dhcpServer = a.dhcpServer,
                                      .leaseObtained = a.dhcp ? 1709800000 : 0,
                                      .leaseExpires = a.dhcp ? 1709803600 : 0,
                                      .dns = s.dns}));
    const std::uint32_t lan = index[0], wlan = index[1];
    m.AddRoute("10.231.9.0", "255.255.255.0", "10.231.1.1", lan, 7);
    m.AddRoute("0.0.0.0", "0.0.0.0", "10.231.1.1", lan, 0);
    m.AddRoute("10.231.1.0", "255.255.255.0", "0.0.0.0", lan, 0);
    m.AddRoute("10.231.2.0", "255.255.255.0", "0.0.0.0", wlan, 0);
    m.SetHost("lab", {"10.231.1.10", "10.231.2.100"});

    s.platform = p;
    s.routes = {{"0.0.0.0", "0.0.0.0", "10.231.1.1", "cvl1"},
                {"10.231.9.0", "255.255.255.0", "10.231.1.1", "cvl1", 7},
                {"10.231.2.0", "255.255.255.0", "0.0.0.0", "cvw1"}};
    s.hostAddresses = {"10.231.1.10", "10.231.2.100"};
    return s;
}

CORVANE_PLATFORM_CONTRACT(SimPlatformContract, SimLab)

} // namespace
} // namespace corvane
