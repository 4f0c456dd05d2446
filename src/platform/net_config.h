#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ip_helper.h"

namespace corvane {

// The part of the machine that the network shell changes: one connection's
// IPv4 addresses, routes, DHCP client, DNS and WINS servers. Addresses are
// host-order values. Every operation returns 0 or a system error code.
class NetConfig {
  public:
    virtual ~NetConfig() = default;

    // The interface whose connection name is `connection`; ENODEV when there is
    // none, ENOTUNIQ when more than one carries it.
    virtual SysError FindConnection(const std::string& connection, std::string& interfaceName) = 0;

    // Remembers everything the operations below may change on the interface,
    // so that Restore can put it back.
    virtual SysError Save(const std::string& interfaceName) = 0;
    virtual SysError Restore(const std::string& interfaceName) = 0;

    // The interface's IPv4 addresses become exactly address/prefix, its default
    // routes go and any DHCP client on it stops.
    virtual SysError SetStaticAddress(const std::string& interfaceName, std::uint32_t address,
                                      int prefix) = 0;
    virtual SysError AddDefaultGateway(const std::string& interfaceName, std::uint32_t gateway,
                                       std::uint32_t metric) = 0;
    // Static addresses go and the system's DHCP client takes the interface.
    virtual SysError EnableDhcp(const std::string& interfaceName) = 0;

    // An empty list removes every server of that kind.
    virtual SysError SetDnsServers(const std::string& interfaceName,
                                   const std::vector<std::uint32_t>& servers) = 0;
    virtual SysError SetDnsByDhcp(const std::string& interfaceName) = 0;
    virtual SysError SetWinsServers(const std::string& interfaceName,
                                    const std::vector<std::uint32_t>& servers) = 0;
    virtual SysError SetWinsByDhcp(const std::string& interfaceName) = 0;

    virtual std::string ErrorText(SysError code) const = 0;
};

} // namespace corvane
