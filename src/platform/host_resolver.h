#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ip_helper.h"

namespace corvane {

// Resolver failures, numbered as the socket layer of the other system numbers
// them, so that texts and tests agree across back ends.
inline constexpr SysError kHostNotFound = 11001;
inline constexpr SysError kTryAgain = 11002;
inline constexpr SysError kNoRecovery = 11003;
inline constexpr SysError kNoData = 11004;

struct HostEntry {
    std::string name;                     // the official name
    std::vector<std::uint32_t> addresses; // IPv4, network byte order, resolver's order
};

// Name-to-address lookup of the system (blocking).
class HostResolver {
  public:
    virtual ~HostResolver() = default;
    // 0 with at least one address, or one of the codes above (or a system error).
    virtual SysError GetHostByName(const std::string& name, HostEntry& entry) = 0;
};

// The resolver of the running system.
std::unique_ptr<HostResolver> CreateSystemHostResolver();

} // namespace corvane
