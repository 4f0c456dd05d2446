#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The entries of the discovery window's interface list, made from the adapter
// summary lines: "address (connection)" for every adapter that has a
// connection name and an address other than 0.0.0.0.
std::vector<std::string> LookupInterfaceEntries(const std::vector<std::string>& adapterSummaries);

// The address part of an interface entry: the text up to its first blank.
std::string AddressOfInterfaceEntry(std::string_view entry);

// Why a capture could not start.
enum class CaptureFailure {
    None,
    SocketInit, // the capture socket could not be made
    LocalHost,  // the chosen address is 127.0.0.1
    SocketOpen, // binding or arming the socket was refused
};

// The message for a failed start; empty for CaptureFailure::None.
std::string CaptureFailureMessage(CaptureFailure failure, std::uint32_t error);

inline constexpr const char* kNoProtocolMessage = "Can't start lookup, no protocol enabled.";

} // namespace corvane
