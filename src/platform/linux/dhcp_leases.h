#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::linux_backend {

struct DhcpLease {
    std::string address; // dotted quad, empty when the file does not say
    std::string server;
    std::int64_t obtained = 0; // seconds since 1970, 0 when unknown
    std::int64_t expires = 0;
    std::vector<std::string> dns; // name servers the lease hands out, in its order
};

// The newest lease for `iface` in a dhclient lease file (the last block that
// names it); nullopt when there is none.
std::optional<DhcpLease> LastDhclientLease(std::string_view text, std::string_view iface);

// A lease file of the KEY=VALUE kind that systemd-networkd and NetworkManager's
// internal client write. `modified` (the file's time) stands in for the time the
// lease was obtained, which those files do not record.
std::optional<DhcpLease> KeyValueLease(std::string_view text, std::int64_t modified);

// A running DHCP client (dhclient or dhcpcd).
struct ClientProcess {
    int pid = 0;
    std::vector<std::string> argv;
};

// The DHCP client processes of our network namespace, from procRoot (/proc), by
// pid: a client of another namespace serves another interface, whatever its name.
std::vector<ClientProcess> DhcpClientProcesses(const std::string& procRoot);

// The dhclient among `clients` that manages iface, and its lease file
// (defaultFile when its command line names none).
struct ManagingDhclient {
    const ClientProcess* process = nullptr;
    std::string leaseFile;
};
std::optional<ManagingDhclient> DhclientOf(const std::vector<ClientProcess>& clients,
                                           const std::string& iface,
                                           const std::string& defaultFile);

// Splits a /proc/PID/cmdline buffer into its arguments.
std::vector<std::string> SplitCommandLine(std::string_view raw);
// The program of a command line without its directory.
std::string ProgramName(const std::vector<std::string>& argv);

// The lease file of a dhclient command line that manages iface: its -lf
// argument, or defaultFile when it has none; nullopt when it does not manage
// iface or only releases it.
std::optional<std::string> LeaseFileOfDhclient(const std::vector<std::string>& argv,
                                               const std::string& iface,
                                               const std::string& defaultFile);

} // namespace corvane::linux_backend
