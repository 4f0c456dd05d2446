#include <gtest/gtest.h>

#include "core/app/tokenizer.h"
#include "core/netsh/config_script.h"
#include "core/netsh/shell_command.h"

namespace corvane {
namespace {

using K = ShellCommand::Kind;

constexpr std::uint32_t Q(unsigned a, unsigned b, unsigned c, unsigned d) {
    return a << 24 | b << 16 | c << 8 | d;
}

// Every line the script builder writes must be read back as it was meant.
TEST(ShellCommand, ReadsWhatTheScriptBuilderWrites) {
    struct Case {
        const char* record;
        std::vector<K> kinds;
    } cases[] = {
        {"10.1.2.30,255.255.0.0,10.1.0.1,Local Area Connection,Office,10.1.0.5,10.1.0.6",
         {K::StaticAddress, K::Gateway, K::StaticDns, K::StaticWins}},
        {"10.1.2.30,255.255.0.0,10.1.0.1,Local Area Connection,Office, , ",
         {K::StaticAddress, K::Gateway, K::DeleteDns, K::DeleteWins}},
        {"dhcp, , ,Wireless Network Connection,Home,dhcp, ",
         {K::DhcpAddress, K::DhcpDns, K::DeleteWins}},
        {"dhcp, , ,LAN,x,dhcp,dhcp", {K::DhcpAddress, K::DhcpDns, K::DhcpWins}},
        {"10.0.0.5,255.0.0.0, ,LAN,x, dhcp", {K::StaticAddress, K::DhcpDns}},
        {"10.0.0.5,255.255.255.252, ,A \"quoted\" name,x", {K::StaticAddress}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = BuildConfigScript(c.record);
        ASSERT_EQ(lines.size(), c.kinds.size()) << c.record;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::string error;
            auto command = ParseShellLine(lines[i] + "\r\n", error);
            ASSERT_TRUE(command) << lines[i] << ": " << error;
            EXPECT_EQ(command->kind, c.kinds[i]) << lines[i];
            EXPECT_EQ(command->connection, tokenizer(c.record, ',').field(4)) << lines[i];
        }
    }
}

TEST(ShellCommand, Values) {
    struct Case {
        const char* line;
        K kind;
        std::string connection;
        std::uint32_t address;
        int prefix;
        std::uint32_t metric;
    } cases[] = {
        {R"(interface ip set add name = "LAN" source = static addr = 10.1.2.30 mask = 255.255.0.0)",
         K::StaticAddress, "LAN", Q(10, 1, 2, 30), 16, 0},
        {R"(interface ip set address name="LAN" source=static addr=192.168.1.2 mask=255.255.255.255)",
         K::StaticAddress, "LAN", Q(192, 168, 1, 2), 32, 0},
        {R"(interface ip set add name = "LAN" gateway = 10.1.0.1 gwmetric = 1)", K::Gateway, "LAN",
         Q(10, 1, 0, 1), 0, 1},
        {R"(INTERFACE IP SET ADD NAME = "LAN" GATEWAY = 10.1.0.1 GWMETRIC = 9999)", K::Gateway,
         "LAN", Q(10, 1, 0, 1), 0, 9999},
        {R"(interface ip set dns name = "My LAN" source = static addr = 10.1.0.5)", K::StaticDns,
         "My LAN", Q(10, 1, 0, 5), 0, 0},
        {R"(interface ip set wins name="LAN" source =  dhcp)", K::DhcpWins, "LAN", 0, 0, 0},
        {"  del dns \"LAN\" all  ", K::DeleteDns, "LAN", 0, 0, 0},
        {R"(del wins "A "B" all)", K::DeleteWins, "A \"B", 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::string error;
        auto command = ParseShellLine(c.line, error);
        ASSERT_TRUE(command) << c.line << ": " << error;
        EXPECT_EQ(command->kind, c.kind) << c.line;
        EXPECT_EQ(command->connection, c.connection) << c.line;
        EXPECT_EQ(command->address, c.address) << c.line;
        EXPECT_EQ(command->prefix, c.prefix) << c.line;
        EXPECT_EQ(command->metric, c.metric) << c.line;
    }
}

TEST(ShellCommand, RejectsEverythingElse) {
    struct Case {
        const char* line;
        const char* error;
    } cases[] = {
        {"interface ip show config", "unknown command"},
        {"netsh interface ip set add name = \"LAN\" source = dhcp", "unknown command"},
        {"interface ip set adress name = \"LAN\" source = dhcp", "unknown command"},
        {"del route \"LAN\" all", "unknown command"},
        {"del dns \"LAN\"", "expected a connection name in double quotes and \"all\""},
        {"del dns LAN all", "expected a connection name in double quotes and \"all\""},
        {"interface ip set add name = LAN source = dhcp", "expected name = \"connection\""},
        {"interface ip set add name = \"\" source = dhcp", "expected name = \"connection\""},
        {"interface ip set add source = dhcp", "expected name = \"connection\""},
        {"interface ip set add name = \"LAN\" source dhcp",
         "parameters must be written as key = value"},
        {"interface ip set add name = \"LAN\" source = ",
         "parameters must be written as key = value"},
        {"interface ip set add name = \"LAN\" source = bootp", "unknown parameters"},
        {"interface ip set add name = \"LAN\" source = dhcp register = none", "unknown parameters"},
        {"interface ip set add name = \"LAN\" source = static addr = 10.0.0.1",
         "unknown parameters"},
        {"interface ip set add name = \"LAN\" gateway = 10.0.0.1", "unknown parameters"},
        {"interface ip set dns name = \"LAN\" source = static", "unknown parameters"},
        {"interface ip set dns name = \"LAN\" source = static addr = DHCP",
         "\"DHCP\" is not a usable address"},
        {"interface ip set add name = \"LAN\" source = static addr = 10.0.0.256 mask = 255.0.0.0",
         "\"10.0.0.256\" is not a usable address"},
        {"interface ip set add name = \"LAN\" source = static addr = 0.0.0.0 mask = 255.0.0.0",
         "\"0.0.0.0\" is not a usable address"},
        {"interface ip set add name = \"LAN\" source = static addr = 127.0.0.2 mask = 255.0.0.0",
         "\"127.0.0.2\" is not a usable address"},
        {"interface ip set add name = \"LAN\" source = static addr = 224.0.0.5 mask = 255.0.0.0",
         "\"224.0.0.5\" is not a usable address"},
        {"interface ip set add name = \"LAN\" source = static addr = 10.0.0.1 mask = 255.0.255.0",
         "\"255.0.255.0\" is not a network mask"},
        {"interface ip set add name = \"LAN\" source = static addr = 10.0.0.1 mask = 0.0.0.0",
         "\"0.0.0.0\" is not a network mask"},
        {"interface ip set add name = \"LAN\" source = static addr = 10.1.2.0 mask = 255.255.255.0",
         "\"10.1.2.0\" is not a host address of the network 255.255.255.0"},
        {"interface ip set add name = \"LAN\" source = static addr = 10.1.2.255 mask = "
         "255.255.255.0",
         "\"10.1.2.255\" is not a host address of the network 255.255.255.0"},
        {"interface ip set add name = \"LAN\" gateway = 255.255.255.255 gwmetric = 1",
         "\"255.255.255.255\" is not a usable address"},
        {"interface ip set add name = \"LAN\" gateway = 10.0.0.1 gwmetric = 10000",
         "\"10000\" is not a metric from 0 to 9999"},
        {"interface ip set add name = \"LAN\" gateway = 10.0.0.1 gwmetric = -1",
         "\"-1\" is not a metric from 0 to 9999"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseShellLine(c.line, error)) << c.line;
        EXPECT_EQ(error, c.error) << c.line;
    }
}

TEST(ShellCommand, DottedQuadsAndMasks) {
    struct Quad {
        const char* text;
        std::optional<std::uint32_t> value;
    } quads[] = {
        {"0.0.0.0", 0u},          {"255.255.255.255", 0xFFFFFFFFu}, {"010.1.2.3", Q(10, 1, 2, 3)},
        {"1.2.3", std::nullopt},  {"1.2.3.4.5", std::nullopt},      {"1.2.3.", std::nullopt},
        {"1..3.4", std::nullopt}, {"1.2.3.0004", std::nullopt},     {"1.2.3.4 ", std::nullopt},
        {"", std::nullopt},       {"a.b.c.d", std::nullopt},        {"1.2.3.256", std::nullopt},
    };
    for (const Quad& q : quads)
        EXPECT_EQ(ReadDottedQuad(q.text), q.value) << q.text;

    struct Mask {
        std::uint32_t mask;
        std::optional<int> prefix;
    } masks[] = {
        {0xFFFFFFFFu, 32},           {0xFFFFFF00u, 24}, {0x80000000u, 1},
        {0xFFFFFFFEu, 31},           {0, std::nullopt}, {0xFF00FF00u, std::nullopt},
        {0x000000FFu, std::nullopt},
    };
    for (const Mask& m : masks)
        EXPECT_EQ(PrefixOfMask(m.mask), m.prefix) << std::hex << m.mask;
}

} // namespace
} // namespace corvane
