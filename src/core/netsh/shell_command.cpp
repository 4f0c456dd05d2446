#include "core/netsh/shell_command.h"

#include <utility>
#include <vector>

namespace corvane {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Keywords are matched without regard to letter case, as the Windows shell does.
bool Is(std::string_view word, std::string_view keyword) {
    if (word.size() != keyword.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (Lower(word[i]) != keyword[i])
            return false;
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The next blank-separated word of `s`, removed from it.
std::string_view NextWord(std::string_view& s) {
    s = Trim(s);
    std::size_t end = 0;
    while (end < s.size() && !IsBlank(s[end]) && s[end] != '=')
        ++end;
    std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    return word;
}

// `"NAME" rest`: the name runs to the last double quote of the line, because
// the script writes a quote inside a name as it stands.
bool QuotedName(std::string_view& s, std::string& name) {
    s = Trim(s);
    if (s.empty() || s.front() != '"')
        return false;
    std::size_t close = s.rfind('"');
    if (close == 0)
        return false;
    name = std::string(s.substr(1, close - 1));
    s.remove_prefix(close + 1);
    return !name.empty();
}

using Pairs = std::vector<std::pair<std::string_view, std::string_view>>;

// `key = value key=value ...`, with or without blanks around "=".
bool KeyValues(std::string_view s, Pairs& pairs) {
    for (s = Trim(s); !s.empty(); s = Trim(s)) {
        std::string_view key = NextWord(s);
        s = Trim(s);
        if (key.empty() || s.empty() || s.front() != '=')
            return false;
        s.remove_prefix(1);
        std::string_view value = NextWord(s);
        if (value.empty())
            return false;
        pairs.emplace_back(key, value);
    }
    return true;
}

bool HasKeys(const Pairs& pairs, std::initializer_list<std::string_view> keys) {
    if (pairs.size() != keys.size())
        return false;
    std::size_t i = 0;
    for (std::string_view k : keys)
        if (!Is(pairs[i++].first, k))
            return false;
    return true;
}

bool Fail(std::string& error, std::string text) {
    error = std::move(text);
    return false;
}

std::string Quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

// A usable unicast address: not 0.0.0.0, loopback, multicast or reserved.
bool Unicast(std::uint32_t a) {
    const std::uint32_t first = a >> 24;
    return first != 0 && first != 127 && first < 224;
}

bool ServerAddress(std::string_view text, std::uint32_t& out, std::string& error) {
    auto a = ReadDottedQuad(text);
    if (!a || !Unicast(*a))
        return Fail(error, Quoted(text) + " is not a usable address");
    out = *a;
    return true;
}

bool StaticAddress(std::string_view addrText, std::string_view maskText, ShellCommand& c,
                   std::string& error) {
    auto a = ReadDottedQuad(addrText);
    if (!a || !Unicast(*a))
        return Fail(error, Quoted(addrText) + " is not a usable address");
    auto m = ReadDottedQuad(maskText);
    auto prefix = m ? PrefixOfMask(*m) : std::nullopt;
    if (!prefix)
        return Fail(error, Quoted(maskText) + " is not a network mask");
    // The network's own address and its broadcast address are nobody's.
    if (*prefix <= 30) {
        const std::uint32_t host = *a & ~*m;
        if (host == 0 || host == ~*m)
            return Fail(error, Quoted(addrText) + " is not a host address of the network " +
                                   std::string(maskText));
    }
    c.address = *a;
    c.prefix = *prefix;
    return true;
}

bool Metric(std::string_view text, std::uint32_t& out) {
    if (text.empty() || text.size() > 4)
        return false;
    std::uint32_t v = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return false;
        v = v * 10 + static_cast<std::uint32_t>(ch - '0');
    }
    out = v;
    return true;
}

bool ServerLine(bool dns, const Pairs& pairs, ShellCommand& c, std::string& error) {
    if (HasKeys(pairs, {"source"}) && Is(pairs[0].second, "dhcp")) {
        c.kind = dns ? ShellCommand::Kind::DhcpDns : ShellCommand::Kind::DhcpWins;
        return true;
    }
    if (HasKeys(pairs, {"source", "addr"}) && Is(pairs[0].second, "static")) {
        c.kind = dns ? ShellCommand::Kind::StaticDns : ShellCommand::Kind::StaticWins;
        return ServerAddress(pairs[1].second, c.address, error);
    }
    return Fail(error, "unknown parameters");
}

bool AddressLine(const Pairs& pairs, ShellCommand& c, std::string& error) {
    if (HasKeys(pairs, {"source"}) && Is(pairs[0].second, "dhcp")) {
        c.kind = ShellCommand::Kind::DhcpAddress;
        return true;
    }
    if (HasKeys(pairs, {"source", "addr", "mask"}) && Is(pairs[0].second, "static")) {
        c.kind = ShellCommand::Kind::StaticAddress;
        return StaticAddress(pairs[1].second, pairs[2].second, c, error);
    }
    if (HasKeys(pairs, {"gateway", "gwmetric"})) {
        c.kind = ShellCommand::Kind::Gateway;
        if (!ServerAddress(pairs[0].second, c.address, error))
            return false;
        if (!Metric(pairs[1].second, c.metric))
            return Fail(error, Quoted(pairs[1].second) + " is not a metric from 0 to 9999");
        return true;
    }
    return Fail(error, "unknown parameters");
}

} // namespace

std::optional<std::uint32_t> ReadDottedQuad(std::string_view text) {
    std::uint32_t value = 0;
    int parts = 0;
    while (parts < 4) {
        std::size_t digits = 0;
        std::uint32_t part = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 4)
            part = part * 10 + static_cast<std::uint32_t>(text[digits++] - '0');
        if (digits == 0 || digits > 3 || part > 255)
            return std::nullopt;
        value = value << 8 | part;
        text.remove_prefix(digits);
        if (++parts < 4) {
            if (text.empty() || text.front() != '.')
                return std::nullopt;
            text.remove_prefix(1);
        }
    }
    if (!text.empty())
        return std::nullopt;
    return value;
}

std::optional<int> PrefixOfMask(std::uint32_t mask) {
    const std::uint32_t inverted = ~mask;
    if (mask == 0 || (inverted & (inverted + 1)) != 0)
        return std::nullopt;
    int prefix = 0;
    while (mask) {
        mask <<= 1;
        ++prefix;
    }
    return prefix;
}

bool IsBlankShellLine(std::string_view line) {
    return Trim(line).empty();
}

std::optional<ShellCommand> ParseShellLine(std::string_view line, std::string& error) {
    std::string_view s = Trim(line);
    ShellCommand c;
    std::string_view first = NextWord(s);
    if (Is(first, "del")) {
        std::string_view what = NextWord(s);
        const bool dns = Is(what, "dns");
        if (!dns && !Is(what, "wins")) {
            error = "unknown command";
            return std::nullopt;
        }
        if (!QuotedName(s, c.connection) || !Is(Trim(s), "all")) {
            error = "expected a connection name in double quotes and \"all\"";
            return std::nullopt;
        }
        c.kind = dns ? ShellCommand::Kind::DeleteDns : ShellCommand::Kind::DeleteWins;
        return c;
    }
    if (!Is(first, "interface") || !Is(NextWord(s), "ip") || !Is(NextWord(s), "set")) {
        error = "unknown command";
        return std::nullopt;
    }
    std::string_view object = NextWord(s);
    const bool address = Is(object, "address") || Is(object, "add");
    if (!address && !Is(object, "dns") && !Is(object, "wins")) {
        error = "unknown command";
        return std::nullopt;
    }
    s = Trim(s);
    std::string_view key = NextWord(s);
    s = Trim(s);
    if (!Is(key, "name") || s.empty() || s.front() != '=') {
        error = "expected name = \"connection\"";
        return std::nullopt;
    }
    s.remove_prefix(1);
    Pairs pairs;
    if (!QuotedName(s, c.connection)) {
        error = "expected name = \"connection\"";
        return std::nullopt;
    }
    if (!KeyValues(s, pairs)) {
        error = "parameters must be written as key = value";
        return std::nullopt;
    }
    const bool ok =
        address ? AddressLine(pairs, c, error) : ServerLine(Is(object, "dns"), pairs, c, error);
    if (!ok)
        return std::nullopt;
    return c;
}

} // namespace corvane
