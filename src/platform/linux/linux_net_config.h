#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/dhcp_client.h"
#include "platform/linux/linux_platform.h"
#include "platform/net_config.h"
#include "platform/settings_store.h"

namespace corvane {

// The network shell's changes on Linux: addresses and routes over rtnetlink,
// DHCP through the system's client, DNS through systemd-resolved where it
// runs, else the name servers of resolv.conf; WINS servers in the store.
// Only the network namespace of the calling thread is changed.
class LinuxNetConfig : public NetConfig {
  public:
    struct Options {
        LinuxPaths paths;
        int dhcpStartWaitMs = 10000; // how long "source = dhcp" waits for a first lease
    };

    LinuxNetConfig(SettingsStore& store, Options options);
    explicit LinuxNetConfig(SettingsStore& store) : LinuxNetConfig(store, Options{}) {}
    ~LinuxNetConfig() override;

    SysError FindConnection(const std::string& connection, std::string& interfaceName) override;
    SysError Save(const std::string& interfaceName) override;
    SysError Restore(const std::string& interfaceName) override;
    SysError SetStaticAddress(const std::string& interfaceName, std::uint32_t address,
                              int prefix) override;
    SysError AddDefaultGateway(const std::string& interfaceName, std::uint32_t gateway,
                               std::uint32_t metric) override;
    SysError EnableDhcp(const std::string& interfaceName) override;
    SysError SetDnsServers(const std::string& interfaceName,
                           const std::vector<std::uint32_t>& servers) override;
    SysError SetDnsByDhcp(const std::string& interfaceName) override;
    SysError SetWinsServers(const std::string& interfaceName,
                            const std::vector<std::uint32_t>& servers) override;
    SysError SetWinsByDhcp(const std::string& interfaceName) override;
    std::string ErrorText(SysError code) const override;

  private:
    struct Saved;

    SysError SetNameServers(const std::string& interfaceName,
                            const std::vector<std::string>& servers);

    SettingsStore& store_;
    Options options_;
    linux_backend::DhcpControl dhcp_;
    std::map<std::string, std::unique_ptr<Saved>> saved_;
};

} // namespace corvane
