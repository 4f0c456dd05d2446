#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/app/host_address.h"
#include "core/app/user_message.h"
#include "core/setup/settings.h"
#include "platform/net_shell.h"
#include "platform/platform.h"

namespace corvane {

inline constexpr const char* kCouldntWriteAddressFile = "Couldn't write IP address file.";
inline constexpr const char* kReconfigurationDone =
    "Reconfiguration done. Current IP address is now: ";
inline constexpr const char* kDhcpWaitText = "Performing a DHCP address renew, please wait...";

// What "Go!" needs from the window that runs it.
struct GoCallbacks {
    MessageSink message;
    std::function<bool()> saveAddressFile; // saves ConfigLines; false on failure
    std::function<void()> showDhcpWait;    // may be empty
    std::function<void()> closeDhcpWait;   // may be empty
    std::function<void()> processMessages; // may be empty
};

struct GoResult {
    bool scriptWritten = false;
    bool addressFileSaved = false;
    NetShellResult shell;
    HostAddressReading host; // for HostAddressState and FirstHostAddress
};

// Applies one configuration record: writes the network shell script, saves the
// address file, runs the shell and waits, renews the leases of a DHCP entry's
// adapters (those of `adapterSummaries` with its connection name), reads the
// host's addresses and reports them, and deletes the script when the settings
// say so. A shell that fails gets its own message before the final report.
GoResult ExecuteGo(const std::string& record, const Settings& settings,
                   const std::vector<std::string>& adapterSummaries, Platform& platform,
                   const GoCallbacks& callbacks);

// The message for a network shell run that did not succeed.
std::string ShellFailureText(const NetShellResult& result);

} // namespace corvane
