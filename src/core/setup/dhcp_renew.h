#pragma once
#include <cstdint>
#include <functional>

#include "core/app/user_message.h"
#include "platform/ip_helper.h"

namespace corvane {

inline constexpr const char* kCouldntRelease = "Couldn't release IP address.";
inline constexpr const char* kCouldntRenew = "Couldn't renew IP address.";
inline constexpr const char* kGeneralDhcpRenewError = "General DHCP renew error.";
inline constexpr const char* kDhcpErrorTitle = "DHCP Error";

// What RenewAdapterAddress needs from its window: a message box, and letting
// the GUI process pending messages between the blocking calls.
struct RenewCallbacks {
    MessageSink message;
    std::function<void()> processMessages; // may be empty
};

// Releases and renews the DHCP lease of every adapter of the interface map
// whose index is `index`, and reports its own failures. An index that no
// adapter has does nothing.
void RenewAdapterAddress(IpHelper& helper, std::uint32_t index, const RenewCallbacks& callbacks);

} // namespace corvane
