#include <gtest/gtest.h>

#include "core/setup/tables.h"
#include "platform/sim/sim_machine.h"

namespace corvane {
namespace {

IfRow Row(std::uint32_t index, std::uint32_t type, std::vector<std::uint8_t> mac,
          std::uint32_t speed, std::uint32_t status, std::string_view descr) {
    IfRow r;
    r.dwIndex = index;
    r.dwType = type;
    SetPhysAddr(r, mac);
    r.dwSpeed = speed;
    r.dwOperStatus = status;
    SetDescr(r, descr);
    return r;
}

TEST(Tables, InterfaceRowTexts) {
    struct Case {
        IfRow row;
        std::vector<std::string> texts;
    } cases[] = {
        {Row(1, 24, {}, 10000000, 5, "MS TCP Loopback interface"),
         {"0x1", "", "Loopback", "10000000", "operational", "MS TCP Loopback interface"}},
        {Row(0x1A, 6, {0x00, 0x0c, 0x29, 0xab, 0xcd, 0xef}, 1000000000, 2, "NIC"),
         {"0x1A", "00-0C-29-AB-CD-EF", "Ethernet", "1000000000", "Cable disconnected", "NIC"}},
        {Row(2, 71, {1, 2, 3, 4, 5, 6, 7, 8}, 4294967295u, 7, "wifi"),
         {"0x2", "01-02-03-04-05-06-07-08", "Other", "4294967295", "", "wifi"}},
        {Row(3, 28, {}, 0, 0, ""), {"0x3", "", "SLIP", "0", "non-operational", ""}},
        {Row(4, 9, {}, 0, 1, ""), {"0x4", "", "TokenRing", "0", "WAN not connected", ""}},
        {Row(5, 15, {}, 0, 3, ""), {"0x5", "", "FDDI", "0", "connecting", ""}},
        {Row(6, 23, {}, 0, 4, ""), {"0x6", "", "PPP", "0", "connected", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IfTableRowTexts(c.row), c.texts) << c.texts[0];
}

TEST(Tables, InterfaceRowLengthsAreBounded) {
    IfRow r = Row(1, 6, {0xaa, 0xbb}, 0, 5, "");
    r.dwPhysAddrLen = 1000; // a broken row must not read past the array
    r.bDescr.fill('x');
    r.dwDescrLen = 100000;
    auto texts = IfTableRowTexts(r);
    EXPECT_EQ(texts[1], "AA-BB-00-00-00-00-00-00");
    EXPECT_EQ(texts[5], std::string(256, 'x'));
    // The description ends at a zero byte even inside its length.
    SetDescr(r, std::string_view("ab\0cd", 5));
    EXPECT_EQ(IfTableRowTexts(r)[5], "ab");
    // A length shorter than the text cuts it.
    SetDescr(r, "abcdef");
    r.dwDescrLen = 3;
    EXPECT_EQ(IfTableRowTexts(r)[5], "abc");
}

TEST(Tables, RouteRowTexts) {
    ForwardRow r;
    r.dwForwardDest = NetworkOrder(0xC0A80100);    // 192.168.1.0
    r.dwForwardMask = NetworkOrder(0xFFFFFFFF);    // host route mask
    r.dwForwardNextHop = NetworkOrder(0x0A000001); // 10.0.0.1
    r.dwForwardIfIndex = 0x10003;
    r.dwForwardMetric1 = -1;
    EXPECT_EQ(RouteTableRowTexts(r), (std::vector<std::string>{"192.168.1.0", "255.255.255.255",
                                                               "10.0.0.1", "0x10003", "-1"}));
    EXPECT_EQ(RouteTableRowTexts(ForwardRow{}),
              (std::vector<std::string>{"0.0.0.0", "0.0.0.0", "0.0.0.0", "0x0", "0"}));
}

TEST(Tables, InterfaceTableRefresh) {
    SimMachine m;
    m.state.ifRows = {Row(5, 6, {}, 0, 5, "b"), Row(1, 24, {}, 0, 5, "a")};
    TableRefresh ok = ReadInterfaceTable(m);
    ASSERT_EQ(ok.outcome, TableRefresh::Outcome::Replace);
    ASSERT_EQ(ok.rows.size(), 2u);
    EXPECT_EQ(ok.rows[0][0], "0x1"); // sorted by index
    EXPECT_TRUE(ok.message.empty());

    m.Fail(SimMachine::Op::GetIfTable, 5);
    TableRefresh failed = ReadInterfaceTable(m);
    EXPECT_EQ(failed.outcome, TableRefresh::Outcome::Keep);
    EXPECT_TRUE(failed.message.empty());

    m.state.bindingReport = kBindGetIfTable;
    TableRefresh unbound = ReadInterfaceTable(m);
    EXPECT_EQ(unbound.outcome, TableRefresh::Outcome::Keep);
    EXPECT_EQ(unbound.message, "Couldn't read I/F table.");
    EXPECT_EQ(unbound.title, "Error");
    EXPECT_TRUE(unbound.stopIcon);
}

TEST(Tables, RouteTableRefresh) {
    SimMachine m;
    m.AddRoute("192.168.1.0", "255.255.255.0", "0.0.0.0", 2, 1);
    TableRefresh one = ReadRouteTable(m);
    ASSERT_EQ(one.outcome, TableRefresh::Outcome::Replace); // a single row is no failure
    EXPECT_EQ(one.rows.size(), 1u);

    m.Fail(SimMachine::Op::GetIpForwardTable, 232);
    TableRefresh failed = ReadRouteTable(m);
    EXPECT_EQ(failed.outcome, TableRefresh::Outcome::Keep);
    EXPECT_EQ(failed.message, "GetFwTable failed.");
    EXPECT_EQ(failed.title, "Corvane");
    EXPECT_FALSE(failed.stopIcon);

    m.state.bindingReport = kBindGetIpForwardTable;
    TableRefresh unbound = ReadRouteTable(m);
    EXPECT_EQ(unbound.outcome, TableRefresh::Outcome::Keep);
    EXPECT_TRUE(unbound.message.empty());
}

TEST(Tables, RenewIpMenuItem) {
    struct Case {
        bool selected;
        const char* status;
        const char* type;
        bool enabled;
    } cases[] = {
        {true, "operational", "Ethernet", true},
        {true, "operational", "Loopback", false},
        {false, "operational", "Ethernet", false},
        {true, "", "Ethernet", false}, // status 7
        {true, "Cable disconnected", "Ethernet", false},
        {true, "Operational", "Ethernet", false}, // compared exactly
        {true, "operational", "Other", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RenewIpEnabled(c.selected, c.status, c.type), c.enabled)
            << c.selected << c.status << c.type;
}

TEST(Tables, IndexCellReadsAsInteger) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"0x1A", 26},
        {"0x1a", 26},
        {"0x1", 1},
        {"12", 12},
        {"", 1},
        {"0x", 1},
        {"abc", 1},
        {"0x1G", 1},
        {"$1A", 26},
        {"0xFFFFFFFF", 0xFFFFFFFF},
        {"0x100000000", 1},
        {"2147483647", 2147483647},
        {"2147483648", 1},
        {"-5", 0xFFFFFFFB},
    };
    for (auto [text, value] : cases)
        EXPECT_EQ(IndexOfCell(text), value) << text;
}

TEST(Tables, HexIndex) {
    EXPECT_EQ(HexIndex(0), "0x0");
    EXPECT_EQ(HexIndex(26), "0x1A");
    EXPECT_EQ(HexIndex(0xFFFFFFFF), "0xFFFFFFFF");
}

} // namespace
} // namespace corvane
