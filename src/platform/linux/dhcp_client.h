#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/ip_helper.h"
#include "platform/linux/linux_platform.h"
#include "platform/settings_store.h"

namespace corvane::linux_backend {

// Which program does DHCP for an interface.
enum class DhcpManager { None, Dhclient, Dhcpcd, NetworkManager, Networkd };

struct DhcpClient {
    DhcpManager manager = DhcpManager::None;
    int pid = 0;                   // the client process, where there is one
    std::vector<std::string> argv; // its command line

    bool running() const { return manager != DhcpManager::None; }
};

// The system's DHCP client for one interface at a time: dhclient (started and
// stopped by us, its command line kept in the store so that it can be started
// the same way again), dhcpcd, NetworkManager and systemd-networkd (driven
// through their own tools). Every operation that waits is bounded.
class DhcpControl {
  public:
    DhcpControl(SettingsStore* store, LinuxPaths paths = {});

    DhcpClient Find(const std::string& interfaceName) const;

    // Stops the client and remembers how it ran.
    SysError Stop(const std::string& interfaceName);
    // Stops it for good: the interface is no DHCP one any more.
    SysError Disable(const std::string& interfaceName);
    // Starts the client the interface had, else dhclient, and waits up to
    // waitMs for a lease; a client still trying then goes on in the background.
    SysError Start(const std::string& interfaceName, int waitMs);
    // Starts exactly `client` again, in the background.
    SysError Resume(const std::string& interfaceName, const DhcpClient& client);
    // Give the lease back, and get one; both end within timeoutMs.
    SysError Release(const std::string& interfaceName, int timeoutMs);
    SysError Renew(const std::string& interfaceName, int timeoutMs);

    // The name servers of the interface's current lease.
    std::vector<std::string> LeaseDns(const std::string& interfaceName) const;

    // The remembered client command line, as stored; nullopt when none.
    std::optional<std::string> Remembered(const std::string& interfaceName) const;
    void SetRemembered(const std::string& interfaceName, const std::optional<std::string>& text);
    // The stored DHCP switch of the interface; nullopt when never set.
    std::optional<std::uint32_t> Enabled(const std::string& interfaceName) const;
    void SetEnabled(const std::string& interfaceName, const std::optional<std::uint32_t>& value);

  private:
    std::vector<std::string> RememberedArgv(const std::string& interfaceName) const;
    // A client that runs, or one released and waiting for its renew.
    bool IsDhcpInterface(const DhcpClient& client, const std::string& interfaceName) const;
    SysError WaitForAddress(const std::string& interfaceName, int timeoutMs) const;

    SettingsStore* store_;
    LinuxPaths paths_;
};

// dhclient arguments for a daemon that keeps the lease: without the one-shot,
// foreground, background, release and stop switches.
std::vector<std::string> DhclientDaemonArgs(const std::vector<std::string>& argv);
// The same without its pid file, for a dhclient that must not stop another.
std::vector<std::string> WithoutPidFile(const std::vector<std::string>& argv);
// How we start dhclient on an interface nobody configured before.
std::vector<std::string> DefaultDhclientArgs(const std::string& interfaceName,
                                             const LinuxPaths& paths);
// The value of an option ("-lf") of a command line.
std::optional<std::string> OptionValue(const std::vector<std::string>& argv,
                                       const std::string& option);
// Whether a dhcpcd command line manages the interface: it names it, or names
// no interface at all (the manager of every interface).
bool DhcpcdManages(const std::vector<std::string>& argv, const std::string& interfaceName);

} // namespace corvane::linux_backend
