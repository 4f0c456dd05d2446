#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ip_helper.h"

namespace corvane::linux_backend {

// resolv.conf text with its IPv4 name servers replaced by `servers`, written
// where the first of them stood (or at the end); every other line, IPv6 name
// servers included, stays as it was.
std::string WithNameServers(std::string_view resolvConf, const std::vector<std::string>& servers);

// Reads the file; nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadTextFile(const std::string& path);

// Replaces the resolver file. A symbolic link is followed, so that a resolver
// manager keeps its link; a file mounted over (as `ip netns exec` does) is
// rewritten in place, since it cannot be renamed over; else the file is
// replaced atomically.
SysError WriteResolverFile(const std::string& path, std::string_view text);

// Whether `path` is a mount point according to a mountinfo text.
bool IsMountPoint(std::string_view mountinfo, const std::string& path);

// systemd-resolved, where it runs: the per-link DNS servers through resolvectl.
bool ResolvedRuns(const std::string& runDir);
SysError ResolvedLinkDns(const std::string& interfaceName, std::vector<std::string>& servers);
SysError SetResolvedLinkDns(const std::string& interfaceName,
                            const std::vector<std::string>& servers);
SysError RevertResolvedLink(const std::string& interfaceName);
// The servers of a `resolvectl dns IFACE` answer ("Link 2 (eth0): a b").
std::vector<std::string> ResolvedDnsOf(std::string_view answer);

} // namespace corvane::linux_backend
