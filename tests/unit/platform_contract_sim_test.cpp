#include "contract/platform_contract.h"
#include "platform/sim/sim_machine.h"

namespace corvane {
namespace {

// The lab's client machine, described to the simulated back end.
contract::ContractSubject SimLab() {
    auto p = std::make_shared<SimPlatform>();
    SimMachine& m = p->machine;
    const std::vector<std::string> dns = {"10.231.1.53", "10.231.2.53"};
    std::uint32_t lan = m.AddAdapter({.name = "cvl1",
                                      .description = "veth",
                                      .connection = "Local Area Connection",
                                      .mac = {2, 0, 0x0a, 0xe7, 1, 0x0a},
                                      .ip = "10.231.1.10",
                                      .mask = "255.255.255.0",
                                      .gateway = "10.231.1.1",
                                      .dns = dns});
    std::uint32_t wlan = m.AddAdapter({.name = "cvw1",
                                       .description = "veth",
                                       .connection = "Wireless Network Connection",
                                       .mac = {2, 0, 0x0a, 0xe7, 2, 0x0a},
                                       .ip = "10.231.2.100",
                                       .mask = "255.255.255.0",
                                       .gateway = "10.231.2.1",
                                       .dhcp = true,
                                       .dhcpServer = "10.231.2.1",
                                       .leaseObtained = 1709800000,
                                       .leaseExpires = 1709803600,
                                       .dns = dns});
    m.AddRoute("10.231.9.0", "255.255.255.0", "10.231.1.1", lan, 7);
    m.AddRoute("0.0.0.0", "0.0.0.0", "10.231.1.1", lan, 0);
    m.AddRoute("10.231.1.0", "255.255.255.0", "0.0.0.0", lan, 0);
    m.AddRoute("10.231.2.0", "255.255.255.0", "0.0.0.0", wlan, 0);
    m.SetHost("lab", {"10.231.1.10", "10.231.2.100"});

    contract::ContractSubject s;
    s.platform = p;
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
    s.routes = {{"0.0.0.0", "0.0.0.0", "10.231.1.1", "cvl1"},
                {"10.231.9.0", "255.255.255.0", "10.231.1.1", "cvl1", 7},
                {"10.231.2.0", "255.255.255.0", "0.0.0.0", "cvw1"}};
    s.hostAddresses = {"10.231.1.10", "10.231.2.100"};
    s.dns = dns;
    return s;
}

CORVANE_PLATFORM_CONTRACT(SimPlatformContract, SimLab)

} // namespace
} // namespace corvane
