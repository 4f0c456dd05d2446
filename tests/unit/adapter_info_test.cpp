#include <gtest/gtest.h>

#include "core/setup/adapter_info.h"
#include "platform/sim/sim_machine.h"

namespace corvane {
namespace {

// Lease times read as UTC, so the texts do not depend on the test machine.
std::optional<CivilTime> Utc(std::int64_t t) {
    std::int64_t days = t / 86400, rest = t % 86400;
    // Civil date from days since 1970 (proleptic Gregorian).
    days += 719468;
    std::int64_t era = days / 146097, doe = days - era * 146097;
    std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
    int d = int(doy - (153 * mp + 2) / 5 + 1), m = int(mp < 10 ? mp + 3 : mp - 9);
    int y = int(yoe + era * 400 + (m <= 2));
    return CivilTime{y, m, d, int(rest / 3600), int(rest % 3600 / 60), int(rest % 60)};
}

std::vector<std::string> Texts(const std::vector<TreeNode>& nodes) {
    std::vector<std::string> out;
    for (const auto& n : nodes)
        out.push_back(n.text);
    return out;
}

const TreeNode* Child(const TreeNode& node, const std::string& text) {
    for (const auto& c : node.children)
        if (c.text == text)
            return &c;
    return nullptr;
}

AdapterInfo Read(SimMachine& m, bool wasFailed = false) {
    return ReadAdapterInfo(m, m, wasFailed, &Utc);
}

TEST(AdapterInfo, FullAdapterGivesTreeSummaryAndListEntry) {
    SimMachine m;
    m.AddAdapter({.name = "{4D36E972}",
                  .description = "  Intel PRO/100\t",
                  .connection = "LAN",
                  .index = 3,
                  .mac = {0x00, 0x0c, 0x29, 0xab, 0xcd, 0xef},
                  .ip = "10.0.0.5",
                  .mask = "255.0.0.0",
                  .gateway = "10.0.0.1",
                  .dns = {"10.0.0.53", "10.0.0.54"},
                  .autoconfig = false});
    AdapterInfo info = Read(m);
    EXPECT_FALSE(info.readFailed);
    EXPECT_FALSE(info.readError);
    EXPECT_TRUE(info.shownErrors.empty());
    ASSERT_EQ(info.tree.size(), 1u);
    const TreeNode& n = info.tree[0];
    EXPECT_EQ(n.text, "Intel PRO/100");
    EXPECT_EQ(n.image, kImageAdapter);
    EXPECT_EQ(Texts(n.children),
              (std::vector<std::string>{"Connection Name: LAN", "GUID: {4D36E972}", "Index: 0x3",
                                        "Media Type: Ethernet", "MAC: 00-0C-29-AB-CD-EF",
                                        "IP Address: 10.0.0.5", "IP Mask: 255.0.0.0",
                                        "APIPA status: disabled", "Gateway: 10.0.0.1", "DNS"}));
    for (std::size_t i = 0; i + 1 < n.children.size(); ++i)
        EXPECT_EQ(n.children[i].image, kImageItem) << n.children[i].text;
    const TreeNode& dns = n.children.back();
    EXPECT_EQ(dns.image, kImageGroup);
    EXPECT_EQ(Texts(dns.children),
              (std::vector<std::string>{"DNS Server: 10.0.0.53", "DNS Server: 10.0.0.54"}));
    EXPECT_EQ(dns.children[0].image, kImageGroup);
    EXPECT_EQ(info.summaries, std::vector<std::string>{"10.0.0.5,NO,255.0.0.0,10.0.0.1,LAN, , ,3"});
    EXPECT_EQ(info.displayTexts, std::vector<std::string>{"LAN (Intel PRO/100)"});
    EXPECT_EQ(info.adapterNames, std::vector<std::string>{"{4D36E972}"});
    EXPECT_TRUE(info.loadApipaChecks);
}

TEST(AdapterInfo, AdapterWithoutConnectionName) {
    SimMachine m;
    m.AddAdapter(
        {.name = "ppp0", .index = 9, .type = 23, .ip = "10.1.1.1", .mask = "255.255.255.255"});
    AdapterInfo info = Read(m);
    ASSERT_EQ(info.tree.size(), 1u);
    const TreeNode& n = info.tree[0];
    EXPECT_EQ(n.image, kImageNoConnection);
    EXPECT_EQ(n.children[0].text, "Connection Name: none");
    EXPECT_EQ(Child(n, "APIPA status: unknown"), nullptr);
    EXPECT_EQ(Child(n, "DNS"), nullptr);
    EXPECT_EQ(Child(n, "Media Type: PPP")->image, kImageItem);
    EXPECT_TRUE(info.displayTexts.empty());
    EXPECT_TRUE(info.adapterNames.empty());
    EXPECT_FALSE(info.loadApipaChecks);
    EXPECT_EQ(info.summaries[0], "10.1.1.1,NO,255.255.255.255, ,none, , ,9");
    EXPECT_EQ(m.Calls(SimMachine::Op::GetPerAdapterInfo), 0);
}

TEST(AdapterInfo, NamedAdapterWithoutAddressStaysUnknown) {
    SimMachine m;
    m.AddAdapter({.connection = "Wireless", .index = 4, .type = 71, .dhcp = true});
    AdapterInfo info = Read(m);
    const TreeNode& n = info.tree[0];
    EXPECT_EQ(n.image, kImageNoAddress);
    EXPECT_NE(Child(n, "APIPA status: unknown"), nullptr);
    EXPECT_NE(Child(n, "Media Type: Other"), nullptr);
    EXPECT_NE(Child(n, "Gateway: none"), nullptr);
    EXPECT_EQ(Child(n, "DNS"), nullptr);
    EXPECT_EQ(m.Calls(SimMachine::Op::GetPerAdapterInfo), 0);
    EXPECT_EQ(info.summaries[0], "0.0.0.0,YES,0.0.0.0, ,Wireless, , ,4");
}

TEST(AdapterInfo, SameConnectionAndDescriptionListedOnce) {
    SimMachine m;
    m.AddAdapter({.name = "a", .description = "NIC", .connection = "LAN", .ip = "10.0.0.1"});
    m.AddAdapter({.name = "b", .description = "nic", .connection = "lan", .ip = "10.0.0.2"});
    m.AddAdapter({.name = "c", .description = "NIC", .connection = "LAN2", .ip = "10.0.0.3"});
    AdapterInfo info = Read(m);
    EXPECT_EQ(info.tree.size(), 3u);
    EXPECT_EQ(info.summaries.size(), 3u);
    EXPECT_EQ(info.displayTexts, (std::vector<std::string>{"LAN (NIC)", "LAN2 (NIC)"}));
    EXPECT_EQ(info.adapterNames, (std::vector<std::string>{"a", "c"}));
}

TEST(AdapterInfo, DnsNodes) {
    struct Case {
        std::vector<std::string> servers;
        std::vector<std::string> nodes;
    } cases[] = {
        {{}, {"DNS Server: none"}},
        {{""}, {"DNS Server: none"}},
        {{"1.2.3.4"}, {"DNS Server: 1.2.3.4"}},
        {{"1.2.3"}, {"DNS Server: none"}}, // six characters or fewer
        {{"", "10.0.0.53"}, {"DNS Server: none", "DNS Server: 10.0.0.53"}},
        {{"10.0.0.53", ""}, {"DNS Server: 10.0.0.53", "DNS Server: "}},
    };
    for (const Case& c : cases) {
        SimMachine m;
        m.AddAdapter({.connection = "LAN", .ip = "10.0.0.5", .dns = c.servers});
        AdapterInfo info = Read(m);
        const TreeNode* dns = Child(info.tree[0], "DNS");
        ASSERT_NE(dns, nullptr);
        EXPECT_EQ(Texts(dns->children), c.nodes) << c.servers.size();
        EXPECT_NE(Child(info.tree[0], "APIPA status: enabled"), nullptr);
    }
}

TEST(AdapterInfo, DhcpAndWinsGroups) {
    SimMachine m;
    // 5 March 2004 14:07 and a day later (UTC, as the injected clock reads it).
    m.AddAdapter({.connection = "LAN",
                  .ip = "10.0.0.5",
                  .mask = "255.0.0.0",
                  .dhcp = true,
                  .dhcpServer = "10.0.0.2",
                  .leaseObtained = 1078495620,
                  .leaseExpires = 1078495620 + 86400,
                  .primaryWins = "10.0.0.7"});
    AdapterInfo info = Read(m);
    const TreeNode* dhcp = Child(info.tree[0], "DHCP");
    ASSERT_NE(dhcp, nullptr);
    EXPECT_EQ(dhcp->image, kImageGroup);
    EXPECT_EQ(Texts(dhcp->children),
              (std::vector<std::string>{"DHCP Server: 10.0.0.2", "Lease Obtained: 05.03.04 14:07",
                                        "Lease Expires: 06.03.04 14:07"}));
    EXPECT_EQ(dhcp->children[1].image, kImageItem);
    const TreeNode* wins = Child(info.tree[0], "WINS");
    ASSERT_NE(wins, nullptr);
    EXPECT_EQ(Texts(wins->children), (std::vector<std::string>{"Primary WINS Server: 10.0.0.7",
                                                               "Secondary WINS Server: "}));
    EXPECT_EQ(wins->children[0].image, kImageGroup);
    EXPECT_EQ(info.summaries[0], "10.0.0.5,YES,255.0.0.0, ,LAN, ,10.0.0.7,1");
}

TEST(AdapterInfo, SummaryFieldSevenNeedsWinsAndPrimary) {
    struct Case {
        std::uint32_t haveWins;
        std::string primary;
        std::string field7;
    } cases[] = {{0, "10.0.0.7", " "}, {1, "", " "}, {1, "10.0.0.7", "10.0.0.7"}};
    for (const Case& c : cases) {
        AdapterRecord a;
        a.IpAddress = "10.0.0.5";
        a.IpMask = "255.0.0.0";
        a.HaveWins = c.haveWins;
        a.PrimaryWinsServer = c.primary;
        a.SecondaryWinsServer = "10.0.0.8";
        a.Index = 2;
        EXPECT_EQ(SummaryLine(a, "LAN"), "10.0.0.5,NO,255.0.0.0, ,LAN, ," + c.field7 + ",2");
    }
}

TEST(AdapterInfo, TypeNamesAndMac) {
    const std::pair<std::uint32_t, const char*> types[] = {
        {6, "Ethernet"},  {9, "Tokenring"}, {15, "FDDI"},  {23, "PPP"},
        {24, "Loopback"}, {28, "SLIP"},     {71, "Other"}, {0, "Other"}};
    for (auto [type, name] : types)
        EXPECT_EQ(AdapterTypeName(type), name) << type;
    AdapterRecord a;
    a.Address = {0x00, 0x0c, 0x29, 0xab, 0xcd, 0xef, 0x12, 0x34};
    a.AddressLength = 8;
    EXPECT_EQ(MacText(a), "00-0C-29-AB-CD-EF");
    a = {};
    EXPECT_EQ(MacText(a), "00-00-00-00-00-00");
}

TEST(AdapterInfo, LeaseTimeText) {
    EXPECT_EQ(LeaseTimeText(1078495620, &Utc), "05.03.04 14:07");
    EXPECT_EQ(LeaseTimeText(0, &Utc), "01.01.70 00:00");
    EXPECT_EQ(LeaseTimeText(4102444800, &Utc), "01.01.00 00:00"); // 2100
    auto unconvertible = [](std::int64_t) { return std::optional<CivilTime>(); };
    EXPECT_EQ(LeaseTimeText(-1, unconvertible), "");
}

TEST(AdapterInfo, AdapterQueryFailureShownOncePerRun) {
    SimMachine m;
    m.AddAdapter({.connection = "LAN", .ip = "10.0.0.5"});
    m.Fail(SimMachine::Op::GetAdaptersInfo, 1231);
    bool failed = false;
    std::vector<std::size_t> shown;
    for (int tick = 0; tick < 3; ++tick) {
        AdapterInfo info = Read(m, failed);
        failed = info.readFailed;
        shown.push_back(info.shownErrors.size());
        EXPECT_TRUE(info.tree.empty());
        EXPECT_TRUE(info.summaries.empty());
    }
    EXPECT_EQ(shown, (std::vector<std::size_t>{1, 0, 0}));
    EXPECT_TRUE(failed);
    m.Heal(SimMachine::Op::GetAdaptersInfo);
    AdapterInfo ok = Read(m, failed);
    EXPECT_FALSE(ok.readFailed);
    EXPECT_EQ(ok.summaries.size(), 1u);
    m.Fail(SimMachine::Op::GetAdaptersInfo, 1231);
    AdapterInfo again = Read(m, ok.readFailed);
    EXPECT_EQ(again.shownErrors, std::vector<SysError>{1231});
}

TEST(AdapterInfo, PerAdapterFailureEndsWalkAfterThatAdapter) {
    SimMachine m;
    m.AddAdapter({.connection = "A", .ip = "10.0.0.1"});
    m.AddAdapter({.connection = "B", .ip = "10.0.0.2"});
    m.AddAdapter({.connection = "C", .ip = "10.0.0.3"});
    // The first adapter's call fails; every refresh reports it.
    for (int run = 0; run < 2; ++run) {
        m.Fail(SimMachine::Op::GetPerAdapterInfo, 5, 1);
        AdapterInfo info = Read(m, run == 1);
        EXPECT_EQ(info.shownErrors, std::vector<SysError>{5});
        EXPECT_TRUE(info.readFailed);
        EXPECT_FALSE(info.readError);
        ASSERT_EQ(info.tree.size(), 1u);
        EXPECT_NE(Child(info.tree[0], "APIPA status: unknown"), nullptr);
        EXPECT_EQ(Child(info.tree[0], "DNS"), nullptr);
        EXPECT_EQ(info.summaries.size(), 1u);
    }
}

TEST(AdapterInfo, UnboundOperationsGiveTheGeneralError) {
    {
        SimMachine m;
        m.AddAdapter({.connection = "A", .ip = "10.0.0.1"});
        m.state.bindingReport = kBindGetAdaptersInfo;
        AdapterInfo info = Read(m);
        EXPECT_TRUE(info.readError);
        EXPECT_TRUE(info.readFailed);
        EXPECT_TRUE(info.shownErrors.empty());
    }
    {
        // What was added before the error stays.
        SimMachine m;
        m.AddAdapter({.connection = "A", .ip = "0.0.0.0"});
        m.AddAdapter({.connection = "B", .ip = "10.0.0.2"});
        m.state.bindingReport = kBindGetPerAdapterInfo;
        AdapterInfo info = Read(m);
        EXPECT_TRUE(info.readError);
        EXPECT_TRUE(info.readFailed);
        EXPECT_EQ(info.tree.size(), 2u);
        EXPECT_EQ(info.summaries.size(), 1u);
        EXPECT_EQ(info.displayTexts.size(), 2u);
    }
}

TEST(AdapterInfo, ErrorAndInitTexts) {
    SimMachine m;
    m.SetErrorText(1231, "The network location cannot be reached.\r\n");
    EXPECT_EQ(ShowErrorText(m, 1231),
              "Something didn't work..: The network location cannot be reached.\r\n");
    EXPECT_EQ(ShowErrorText(m, 4711), std::nullopt);
    EXPECT_EQ(InitErrorText(0), "");
    EXPECT_EQ(InitErrorText(0x80FF), "Couldn't load DLL function(s)  [Code = 0x80FF]");
    EXPECT_EQ(InitErrorText(0x0080), "Couldn't load DLL function(s)  [Code = 0x0080]");
}

} // namespace
} // namespace corvane
