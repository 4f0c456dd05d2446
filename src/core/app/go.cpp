#include "core/app/go.h"

#include <cstdlib>

#include "core/app/tokenizer.h"
#include "core/netsh/config_script.h"
#include "core/setup/dhcp_renew.h"

namespace corvane {

std::string ShellFailureText(const NetShellResult& result) {
    std::string text = result.output;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (!result.started)
        return "The network shell could not be run" + (text.empty() ? "." : ": " + text);
    if (text.empty())
        text = result.exitCode < 0 ? "The network shell did not end normally."
                                   : "The network shell ended with exit code " +
                                         std::to_string(result.exitCode) + ".";
    return text;
}

GoResult ExecuteGo(const std::string& record, const Settings& settings,
                   const std::vector<std::string>& adapterSummaries, Platform& platform,
                   const GoCallbacks& callbacks) {
    GoResult result;
    tokenizer fields(record, ',');
    const std::string connection = fields.field(4);
    const bool dhcp = fields.field(1) == "dhcp";

    NetShellRunner* shell = platform.netsh;
    result.scriptWritten = shell && shell->WriteScript(kScriptFileName, BuildConfigScript(record));
    if (!result.scriptWritten)
        callbacks.message({kCouldntWriteAddressFile, "Corvane Error", MessageIcon::Error});

    result.addressFileSaved = callbacks.saveAddressFile && callbacks.saveAddressFile();
    if (!result.addressFileSaved)
        callbacks.message({kCouldntWriteAddressFile, "Corvane Error", MessageIcon::Warning});

    if (shell)
        result.shell = shell->Run(shell->CommandLine(kScriptFileName));
    if (!result.shell.ok())
        callbacks.message({ShellFailureText(result.shell), "Corvane Error", MessageIcon::Warning});

    if (dhcp) {
        RenewCallbacks renew{callbacks.message, callbacks.processMessages};
        for (const std::string& summary : adapterSummaries) {
            tokenizer adapter(summary, ',');
            if (adapter.field(5) != connection)
                continue;
            if (callbacks.showDhcpWait)
                callbacks.showDhcpWait();
            // The index field is written by the program itself; read it as the
            // C library would, stopping at the first non-digit.
            const std::string index = adapter.field(8);
            const auto value = std::strtoul(index.c_str(), nullptr, 10);
            RenewAdapterAddress(*platform.ipHelper, static_cast<std::uint32_t>(value), renew);
            if (callbacks.closeDhcpWait)
                callbacks.closeDhcpWait();
        }
    }

    result.host = ReadHostAddress(*platform.hostInfo);
    callbacks.message(
        {kReconfigurationDone + result.host.text, "Corvane", MessageIcon::Information});

    if (settings.DeleteScript && shell)
        shell->DeleteScript(kScriptFileName);
    return result;
}

} // namespace corvane
