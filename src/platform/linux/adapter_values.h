#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/settings_store.h"

namespace corvane::linux_backend {

// What Linux keeps per adapter that Windows keeps itself: the WINS servers
// (Linux has no WINS client) and how the adapter's DHCP client was started,
// so that switching back to DHCP starts it the same way.

// The adapter's WINS key; empty for a name that would reach another key.
std::string WinsKey(const std::string& adapterName);
inline constexpr const char* kWinsValueName = "NameServerList"; // servers separated by blanks
inline constexpr const char* kDhcpCommandValueName = "DhcpClientCommand";
// 1 while the adapter is a DHCP one, also between a release and a renew.
inline constexpr const char* kEnableDhcpValueName = "EnableDHCP";

// A text value of a key; nullopt when the key or the value is missing.
std::optional<std::string> ReadAdapterText(SettingsStore& store, const std::string& keyPath,
                                           const char* valueName);
// Writes the value, creating the key.
StoreError WriteAdapterText(SettingsStore& store, const std::string& keyPath, const char* valueName,
                            const std::string& text);
std::optional<std::uint32_t> ReadAdapterDword(SettingsStore& store, const std::string& keyPath,
                                              const char* valueName);
StoreError WriteAdapterDword(SettingsStore& store, const std::string& keyPath,
                             const char* valueName, std::uint32_t value);

// Primary and secondary WINS server of an adapter; empty texts when none.
std::pair<std::string, std::string> ReadWinsServers(SettingsStore& store,
                                                    const std::string& adapterName);
StoreError WriteWinsServers(SettingsStore& store, const std::string& adapterName,
                            const std::vector<std::string>& servers);

// A command line as one text and back: arguments separated by blanks, an
// argument holding blanks, quotes or backslashes in double quotes with \" and \\.
std::string JoinCommandLine(const std::vector<std::string>& argv);
std::vector<std::string> SplitStoredCommandLine(const std::string& text);

} // namespace corvane::linux_backend
