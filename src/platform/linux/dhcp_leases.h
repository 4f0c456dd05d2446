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

// The command lines of the running dhclient processes, from procRoot (/proc).
std::vector<std::vector<std::string>> DhclientCommandLines(const std::string& procRoot);

// Splits a /proc/PID/cmdline buffer into its arguments.
std::vector<std::string> SplitCommandLine(std::string_view raw);

// The lease file of a dhclient command line that manages iface: its -lf
// argument, or defaultFile when it has none; nullopt when it does not manage
// iface or only releases it.
std::optional<std::string> LeaseFileOfDhclient(const std::vector<std::string>& argv,
                                               const std::string& iface,
                                               const std::string& defaultFile);

} // namespace corvane::linux_backend
