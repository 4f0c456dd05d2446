#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// One line of a network shell script, read. Addresses are host-order values.
struct ShellCommand {
    enum class Kind {
        StaticAddress, // interface ip set address name = "N" source = static addr = A mask = M
        DhcpAddress,   // interface ip set address name = "N" source = dhcp
        Gateway,       // interface ip set address name = "N" gateway = G gwmetric = 1
        StaticDns,     // interface ip set dns name = "N" source = static addr = D
        DhcpDns,       // interface ip set dns name = "N" source = dhcp
        DeleteDns,     // del dns "N" all
        StaticWins,
        DhcpWins,
        DeleteWins,
    };

    Kind kind = Kind::DhcpAddress;
    std::string connection;
    std::uint32_t address = 0; // the address, router or server
    int prefix = 0;            // StaticAddress
    std::uint32_t metric = 0;  // Gateway
};

// Reads one script line. A line the shell does not know, or one with an
// unusable value, gives nullopt and the reason in `error`.
std::optional<ShellCommand> ParseShellLine(std::string_view line, std::string& error);

// Whether a line holds nothing but blanks (a script may end with one).
bool IsBlankShellLine(std::string_view line);

// "a.b.c.d" with four decimal parts of at most three digits, each at most 255.
std::optional<std::uint32_t> ReadDottedQuad(std::string_view text);
// The prefix length of a contiguous mask of 1 to 32 bits.
std::optional<int> PrefixOfMask(std::uint32_t mask);

} // namespace corvane
