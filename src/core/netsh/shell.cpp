#include "core/netsh/shell.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/netsh/shell_command.h"

namespace corvane {
namespace {

struct Line {
    int number = 0;
    std::string text;
    ShellCommand command;
    std::string interfaceName;
};

std::string Describe(const NetConfig& target, SysError code) {
    std::string text = target.ErrorText(code);
    return text.empty() ? "error " + std::to_string(code) : text;
}

SysError Apply(NetConfig& target, const Line& line) {
    const ShellCommand& c = line.command;
    const std::string& ifname = line.interfaceName;
    using K = ShellCommand::Kind;
    switch (c.kind) {
    case K::StaticAddress:
        return target.SetStaticAddress(ifname, c.address, c.prefix);
    case K::DhcpAddress:
        return target.EnableDhcp(ifname);
    case K::Gateway:
        return target.AddDefaultGateway(ifname, c.address, c.metric);
    case K::StaticDns:
        return target.SetDnsServers(ifname, {c.address});
    case K::DhcpDns:
        return target.SetDnsByDhcp(ifname);
    case K::DeleteDns:
        return target.SetDnsServers(ifname, {});
    case K::StaticWins:
        return target.SetWinsServers(ifname, {c.address});
    case K::DhcpWins:
        return target.SetWinsByDhcp(ifname);
    case K::DeleteWins:
        return target.SetWinsServers(ifname, {});
    }
    return kSuccess;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

std::string WithoutLineEnd(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return std::string(s);
}

} // namespace

int RunShellScript(std::string_view script, NetConfig& target, const ShellOutput& say) {
    const std::string unchanged = "Nothing was changed.";

    std::vector<Line> lines;
    int number = 0;
    for (std::string_view raw : SplitLines(script)) {
        ++number;
        if (IsBlankShellLine(raw))
            continue;
        std::string error;
        std::optional<ShellCommand> command = ParseShellLine(raw, error);
        if (!command) {
            say("Line " + std::to_string(number) + ": " + error + ": " + WithoutLineEnd(raw));
            say(unchanged);
            return 1;
        }
        lines.push_back({number, WithoutLineEnd(raw), *command, {}});
    }

    // Each interface is saved once, before the first change, in script order;
    // two spellings of one connection's name are still one interface.
    std::vector<std::pair<std::string, std::string>> found; // connection, interface
    std::vector<std::pair<std::string, std::string>> saved; // interface, connection
    for (Line& line : lines) {
        auto known = std::find_if(found.begin(), found.end(), [&](const auto& f) {
            return f.first == line.command.connection;
        });
        if (known != found.end()) {
            line.interfaceName = known->second;
            continue;
        }
        if (SysError e = target.FindConnection(line.command.connection, line.interfaceName)) {
            say("Line " + std::to_string(line.number) + ": connection \"" +
                line.command.connection + "\": " + Describe(target, e));
            say(unchanged);
            return 1;
        }
        found.emplace_back(line.command.connection, line.interfaceName);
        if (std::none_of(saved.begin(), saved.end(),
                         [&](const auto& s) { return s.first == line.interfaceName; }))
            saved.emplace_back(line.interfaceName, line.command.connection);
    }
    for (const auto& [ifname, connection] : saved)
        if (SysError e = target.Save(ifname)) {
            say("Cannot read the settings of \"" + connection + "\": " + Describe(target, e));
            say(unchanged);
            return 1;
        }

    for (const Line& line : lines) {
        if (SysError e = Apply(target, line)) {
            say("Line " + std::to_string(line.number) + " failed: " + Describe(target, e) + ": " +
                line.text);
            for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
                if (SysError r = target.Restore(it->first))
                    say("\"" + it->second +
                        "\" could not be put back completely: " + Describe(target, r));
                else
                    say("\"" + it->second + "\" is back as it was before the script.");
            }
            return 1;
        }
    }
    say("Ok.");
    return 0;
}

} // namespace corvane
