#include "platform/linux/dhcp_client.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "core/setup/apipa.h"
#include "platform/linux/adapter_values.h"
#include "platform/linux/dhcp_leases.h"
#include "platform/linux/netlink.h"
#include "platform/linux/process.h"
#include "platform/linux/resolver.h"

namespace corvane::linux_backend {

namespace {

constexpr int kToolTimeoutMs = 10000;

std::string ProgramName(const std::vector<std::string>& argv) {
    if (argv.empty())
        return {};
    std::string_view p = argv[0];
    if (std::size_t slash = p.rfind('/'); slash != std::string_view::npos)
        p.remove_prefix(slash + 1);
    return std::string(p);
}

struct Process {
    int pid = 0;
    std::vector<std::string> argv;
};

// The DHCP client processes of our network namespace, by pid: a client of
// another namespace serves another interface, whatever its name.
std::vector<Process> DhcpProcesses(const std::string& procRoot) {
    std::vector<Process> found;
    DIR* dir = ::opendir(procRoot.c_str());
    if (!dir)
        return found;
    struct stat own {};
    const bool haveNamespaces = ::stat((procRoot + "/self/ns/net").c_str(), &own) == 0;
    while (dirent* e = ::readdir(dir)) {
        if (e->d_name[0] < '1' || e->d_name[0] > '9')
            continue;
        const std::string base = procRoot + "/" + e->d_name;
        auto raw = ReadTextFile(base + "/cmdline");
        if (!raw)
            continue;
        std::vector<std::string> argv = SplitCommandLine(*raw);
        const std::string name = ProgramName(argv);
        if (name != "dhclient" && name != "dhcpcd")
            continue;
        struct stat other {};
        if (haveNamespaces && (::stat((base + "/ns/net").c_str(), &other) != 0 ||
                               other.st_ino != own.st_ino || other.st_dev != own.st_dev))
            continue;
        found.push_back({std::atoi(e->d_name), std::move(argv)});
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(),
              [](const Process& a, const Process& b) { return a.pid < b.pid; });
    return found;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::uint32_t IndexOf(const std::string& interfaceName) {
    Link link;
    return ReadLink(0, interfaceName, link) == kSuccess ? link.index : 0;
}

SysError Outcome(const ProcessResult& r) {
    if (!r.started)
        return r.error ? r.error : ENOENT;
    if (r.timedOut)
        return ETIMEDOUT;
    return r.exitCode == 0 ? kSuccess : EIO;
}

SysError Tool(const std::vector<std::string>& argv, int timeoutMs = kToolTimeoutMs) {
    return Outcome(RunProcess(argv, {.timeoutMs = timeoutMs}));
}

// NetworkManager's device state (100 connected, 30 disconnected, 10
// unmanaged), or 0 when NetworkManager does not run.
int NetworkManagerState(const LinuxPaths& paths, const std::string& interfaceName) {
    if (!Exists(paths.run + "/NetworkManager") || !ProgramExists("nmcli"))
        return 0;
    ProcessResult r = RunProcess({"nmcli", "-g", "GENERAL.STATE", "device", "show", interfaceName},
                                 {.timeoutMs = kToolTimeoutMs, .captureOutput = true});
    if (!r.started || r.exitCode != 0)
        return 0;
    return std::atoi(r.output.c_str());
}

bool NetworkManagerDhcp(const std::string& interfaceName) {
    ProcessResult r = RunProcess({"nmcli", "-g", "DHCP4.OPTION", "device", "show", interfaceName},
                                 {.timeoutMs = kToolTimeoutMs, .captureOutput = true});
    return r.started && r.exitCode == 0 && r.output.find_first_not_of(" \n") != std::string::npos;
}

bool NetworkdManages(const LinuxPaths& paths, std::uint32_t index) {
    auto state = ReadTextFile(paths.run + "/systemd/netif/links/" + std::to_string(index));
    if (!state)
        return false;
    std::size_t at = state->find("NETWORK_FILE=");
    return at != std::string::npos && at + 13 < state->size() && (*state)[at + 13] != '\n';
}

void RemovePidFile(const std::vector<std::string>& argv, int pid) {
    auto file = OptionValue(argv, "-pf");
    if (!file)
        return;
    auto text = ReadTextFile(*file);
    if (text && std::atoi(text->c_str()) == pid)
        ::unlink(file->c_str());
}

} // namespace

std::vector<std::string> DhclientDaemonArgs(const std::vector<std::string>& argv) {
    std::vector<std::string> out;
    for (const std::string& a : argv)
        if (a != "-1" && a != "-nw" && a != "-d" && a != "-r" && a != "-x")
            out.push_back(a);
    return out;
}

std::vector<std::string> WithoutPidFile(const std::vector<std::string>& argv) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        if (argv[i] == "-pf") {
            ++i;
            continue;
        }
        if (argv[i] != "--no-pid")
            out.push_back(argv[i]);
    }
    out.insert(out.begin() + (out.empty() ? 0 : 1), "--no-pid");
    return out;
}

std::vector<std::string> DefaultDhclientArgs(const std::string& interfaceName,
                                             const LinuxPaths& paths) {
    return {"dhclient",   "-4",
            "-lf",        paths.dhcpLeaseDir + "/dhclient." + interfaceName + ".leases",
            "-pf",        paths.run + "/dhclient." + interfaceName + ".pid",
            interfaceName};
}

std::optional<std::string> OptionValue(const std::vector<std::string>& argv,
                                       const std::string& option) {
    for (std::size_t i = 1; i + 1 < argv.size(); ++i)
        if (argv[i] == option)
            return argv[i + 1];
    return std::nullopt;
}

bool DhcpcdManages(const std::vector<std::string>& argv, const std::string& interfaceName) {
    if (ProgramName(argv) != "dhcpcd")
        return false;
    bool namesAny = false;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a.empty() || a[0] == '-')
            continue;
        if (a == interfaceName)
            return true;
        namesAny = true;
    }
    return !namesAny;
}

DhcpControl::DhcpControl(SettingsStore* store, LinuxPaths paths)
    : store_(store), paths_(std::move(paths)) {}

DhcpClient DhcpControl::Find(const std::string& interfaceName) const {
    std::vector<Process> clients = DhcpProcesses(paths_.proc);
    for (Process& p : clients)
        if (LeaseFileOfDhclient(p.argv, interfaceName, paths_.dhclientDefaultLease))
            return {DhcpManager::Dhclient, p.pid, std::move(p.argv)};
    for (Process& p : clients)
        if (DhcpcdManages(p.argv, interfaceName))
            return {DhcpManager::Dhcpcd, p.pid, std::move(p.argv)};
    const std::uint32_t index = IndexOf(interfaceName);
    if (index && NetworkdManages(paths_, index) &&
        Exists(paths_.networkdLeases + "/" + std::to_string(index)))
        return {DhcpManager::Networkd, 0, {}};
    if (NetworkManagerState(paths_, interfaceName) == 100 && NetworkManagerDhcp(interfaceName))
        return {DhcpManager::NetworkManager, 0, {}};
    return {};
}

std::optional<std::string> DhcpControl::Remembered(const std::string& interfaceName) const {
    if (!store_)
        return std::nullopt;
    return ReadAdapterText(*store_, TcpipInterfaceKey(interfaceName), kDhcpCommandValueName);
}

void DhcpControl::SetRemembered(const std::string& interfaceName,
                                const std::optional<std::string>& text) {
    if (!store_)
        return;
    // The store cannot delete a value; an empty one reads as none.
    WriteAdapterText(*store_, TcpipInterfaceKey(interfaceName), kDhcpCommandValueName,
                     text.value_or(""));
}

std::optional<std::uint32_t> DhcpControl::Enabled(const std::string& interfaceName) const {
    if (!store_)
        return std::nullopt;
    return ReadAdapterDword(*store_, TcpipInterfaceKey(interfaceName), kEnableDhcpValueName);
}

void DhcpControl::SetEnabled(const std::string& interfaceName,
                             const std::optional<std::uint32_t>& value) {
    if (store_ && Enabled(interfaceName) != value)
        WriteAdapterDword(*store_, TcpipInterfaceKey(interfaceName), kEnableDhcpValueName,
                          value.value_or(0));
}

bool DhcpControl::IsDhcpInterface(const DhcpClient& client,
                                  const std::string& interfaceName) const {
    return client.running() || Enabled(interfaceName).value_or(0) != 0;
}

std::vector<std::string> DhcpControl::RememberedArgv(const std::string& interfaceName) const {
    auto text = Remembered(interfaceName);
    return text ? SplitStoredCommandLine(*text) : std::vector<std::string>{};
}

SysError DhcpControl::Stop(const std::string& interfaceName) {
    DhcpClient c = Find(interfaceName);
    switch (c.manager) {
    case DhcpManager::None:
        return kSuccess;
    case DhcpManager::Dhclient:
        StopProcess(c.pid);
        RemovePidFile(c.argv, c.pid);
        SetRemembered(interfaceName, JoinCommandLine(DhclientDaemonArgs(c.argv)));
        return kSuccess;
    case DhcpManager::Dhcpcd:
        return Tool({"dhcpcd", "-4", "-x", interfaceName});
    case DhcpManager::NetworkManager:
        return Tool({"nmcli", "device", "disconnect", interfaceName});
    case DhcpManager::Networkd:
        // networkd takes its DHCP setting from its configuration files only.
        return EOPNOTSUPP;
    }
    return kSuccess;
}

SysError DhcpControl::Disable(const std::string& interfaceName) {
    SysError e = Stop(interfaceName);
    if (!e)
        SetEnabled(interfaceName, 0);
    return e;
}

SysError DhcpControl::Start(const std::string& interfaceName, int waitMs) {
    if (Find(interfaceName).running())
        return kSuccess;
    SetEnabled(interfaceName, 1);
    std::vector<std::string> argv = RememberedArgv(interfaceName);
    if (argv.empty()) {
        const std::uint32_t index = IndexOf(interfaceName);
        if (NetworkManagerState(paths_, interfaceName) >= 30)
            return Tool({"nmcli", "--wait", std::to_string(std::max(1, waitMs / 1000)), "device",
                         "connect", interfaceName},
                        waitMs + kToolTimeoutMs);
        if (index && NetworkdManages(paths_, index))
            return Tool({"networkctl", "reconfigure", interfaceName});
        argv = DefaultDhclientArgs(interfaceName, paths_);
    }
    // dhclient stays in the foreground until it has a lease, then goes to the
    // background by itself; one that is still trying is left at it.
    ProcessResult r = RunProcess(argv, {.timeoutMs = waitMs, .killOnTimeout = false});
    if (r.started && r.timedOut)
        return kSuccess;
    return Outcome(r);
}

SysError DhcpControl::Resume(const std::string& interfaceName, const DhcpClient& client) {
    switch (client.manager) {
    case DhcpManager::None:
        return kSuccess;
    case DhcpManager::Dhclient: {
        std::vector<std::string> argv = DhclientDaemonArgs(client.argv);
        argv.insert(argv.begin() + 1, "-nw");
        return Tool(argv);
    }
    case DhcpManager::Dhcpcd: {
        std::vector<std::string> argv = client.argv;
        if (std::find(argv.begin(), argv.end(), "-b") == argv.end())
            argv.insert(argv.begin() + 1, "-b");
        return Tool(argv);
    }
    case DhcpManager::NetworkManager:
        return Tool({"nmcli", "device", "connect", interfaceName}, 2 * kToolTimeoutMs);
    case DhcpManager::Networkd:
        return Tool({"networkctl", "reconfigure", interfaceName});
    }
    return kSuccess;
}

SysError DhcpControl::Release(const std::string& interfaceName, int timeoutMs) {
    DhcpClient c = Find(interfaceName);
    // A static interface has no lease, whatever client it once had.
    if (!IsDhcpInterface(c, interfaceName))
        return EOPNOTSUPP;
    switch (c.manager) {
    case DhcpManager::Dhcpcd:
        return Tool({"dhcpcd", "-4", "-k", interfaceName}, timeoutMs);
    case DhcpManager::NetworkManager:
        return Tool({"nmcli", "device", "disconnect", interfaceName}, timeoutMs);
    case DhcpManager::Networkd:
        return EOPNOTSUPP;
    case DhcpManager::Dhclient:
        if (SysError e = Stop(interfaceName))
            return e;
        break;
    case DhcpManager::None:
        break;
    }
    std::vector<std::string> argv = RememberedArgv(interfaceName);
    if (argv.empty() || ProgramName(argv) != "dhclient")
        return EOPNOTSUPP;
    // Without its pid file, so that it cannot stop a client it does not own.
    argv = WithoutPidFile(DhclientDaemonArgs(argv));
    argv.insert(argv.begin() + 1, "-r");
    return Tool(argv, timeoutMs);
}

SysError DhcpControl::Renew(const std::string& interfaceName, int timeoutMs) {
    DhcpClient c = Find(interfaceName);
    if (!IsDhcpInterface(c, interfaceName))
        return EOPNOTSUPP;
    switch (c.manager) {
    case DhcpManager::Dhcpcd:
        if (SysError e = Tool({"dhcpcd", "-4", "-n", interfaceName}, timeoutMs))
            return e;
        return WaitForAddress(interfaceName, timeoutMs);
    case DhcpManager::NetworkManager:
        return Tool({"nmcli", "--wait", std::to_string(std::max(1, timeoutMs / 1000)), "device",
                     "connect", interfaceName},
                    timeoutMs + kToolTimeoutMs);
    case DhcpManager::Networkd:
        if (SysError e = Tool({"networkctl", "renew", interfaceName}, timeoutMs))
            return e;
        return WaitForAddress(interfaceName, timeoutMs);
    case DhcpManager::Dhclient:
        if (SysError e = Stop(interfaceName))
            return e;
        break;
    case DhcpManager::None:
        break;
    }
    std::vector<std::string> argv = RememberedArgv(interfaceName);
    if (argv.empty() || ProgramName(argv) != "dhclient")
        return EOPNOTSUPP;
    argv = DhclientDaemonArgs(argv);
    std::vector<std::string> once = argv;
    once.insert(once.begin() + 1, "-1");
    SysError e = Tool(once, timeoutMs);
    if (e != kSuccess) {
        // The interface stays a DHCP one: a client keeps trying in the background.
        argv.insert(argv.begin() + 1, "-nw");
        Tool(argv);
    }
    return e;
}

SysError DhcpControl::WaitForAddress(const std::string& interfaceName, int timeoutMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const std::uint32_t index = IndexOf(interfaceName);
    if (!index)
        return ENODEV;
    do {
        Snapshot s;
        if (ReadSnapshot(kAddresses, s) == kSuccess)
            for (const Address& a : s.addresses)
                if (a.index == index && (a.local >> 16) != 0xA9FE)
                    return kSuccess;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < deadline);
    return ETIMEDOUT;
}

std::vector<std::string> DhcpControl::LeaseDns(const std::string& interfaceName) const {
    DhcpClient c = Find(interfaceName);
    if (c.manager == DhcpManager::Networkd) {
        const std::string file =
            paths_.networkdLeases + "/" + std::to_string(IndexOf(interfaceName));
        if (auto text = ReadTextFile(file))
            if (auto lease = KeyValueLease(*text, 0))
                return lease->dns;
        return {};
    }
    std::vector<std::string> argv =
        c.manager == DhcpManager::Dhclient ? c.argv : RememberedArgv(interfaceName);
    if (c.manager == DhcpManager::None && argv.empty())
        argv = DefaultDhclientArgs(interfaceName, paths_);
    if (!argv.empty() && ProgramName(argv) != "dhclient")
        return {};
    const std::string file = OptionValue(argv, "-lf").value_or(paths_.dhclientDefaultLease);
    if (auto text = ReadTextFile(file))
        if (auto lease = LastDhclientLease(*text, interfaceName))
            return lease->dns;
    return {};
}

} // namespace corvane::linux_backend
