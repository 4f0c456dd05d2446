#pragma once
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace corvane {

// The TCP/IP parameters of one adapter live under this key plus the adapter name.
inline constexpr std::string_view kTcpipInterfacesKey =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
inline constexpr std::string_view kApipaValueName = "IPAutoconfigurationEnabled";

// The adapter's key path; empty for a name that would reach another key.
std::string TcpipInterfaceKey(std::string_view adapterName);

// True unless the adapter's key holds IPAutoconfigurationEnabled as a DWORD of
// 0; a key that cannot be opened or a value that cannot be read mean enabled.
bool ReadApipaSetting(SettingsStore& store, std::string_view adapterName);

// Writes 1 or 0 into the adapter's existing key; the key is never created and
// failures are ignored.
void WriteApipaSetting(SettingsStore& store, std::string_view adapterName, bool enabled);

} // namespace corvane
