// The IP helper binding over stand-in libraries of ours: the binding report,
// the buffer sizing and the reading of the published records.
#include "core/setup/adapter_info.h"
#include "core/setup/tables.h"
#include "platform/win32/ip_helper_win32.h"

#include <gtest/gtest.h>

#include <map>

using namespace corvane;

namespace {

struct BindingCase {
    const char* library;
    std::uint32_t report;
    const char* initError;
};

class Binding : public ::testing::TestWithParam<BindingCase> {};

TEST_P(Binding, ReportAndInitError) {
    const BindingCase& c = GetParam();
    Win32IpHelper helper(c.library);
    EXPECT_EQ(helper.BindingReport(), c.report);
    EXPECT_EQ(InitErrorText(helper.BindingReport()), c.initError);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, Binding,
    ::testing::Values(BindingCase{"iphlpapi.dll", 0, ""}, BindingCase{"standin_full.dll", 0, ""},
                      BindingCase{"standin_no_forward.dll", 0x0080,
                                  "Couldn't load DLL function(s)  [Code = 0x0080]"},
                      BindingCase{"standin_no_adapters.dll", 0x0041,
                                  "Couldn't load DLL function(s)  [Code = 0x0041]"},
                      BindingCase{"corvane_no_such_library.dll", 0x80FF,
                                  "Couldn't load DLL function(s)  [Code = 0x80FF]"}));

TEST(Binding, UnboundOperationsTakeTheErrorPaths) {
    Win32IpHelper noAdapters("standin_no_adapters.dll");
    std::vector<AdapterRecord> adapters;
    EXPECT_EQ(noAdapters.GetAdaptersInfo(adapters), kNotBound);
    IfRow row;
    row.dwIndex = 3;
    EXPECT_EQ(noAdapters.GetIfEntry(row), kNotBound);

    struct NoNames : ConnectionNames {
        std::string ConnectionNameOf(const std::string&) override { return {}; }
    } names;
    AdapterInfo info = ReadAdapterInfo(noAdapters, names, false, &ToLocalTime);
    EXPECT_TRUE(info.readError);
    EXPECT_TRUE(info.readFailed);
    // The interface table is still bound and works.
    EXPECT_EQ(ReadInterfaceTable(noAdapters).outcome, TableRefresh::Outcome::Replace);

    Win32IpHelper noForward("standin_no_forward.dll");
    TableRefresh routes = ReadRouteTable(noForward);
    EXPECT_EQ(routes.outcome, TableRefresh::Outcome::Keep);
    EXPECT_EQ(routes.message, "");

    Win32IpHelper missing("corvane_no_such_library.dll");
    std::vector<ForwardRow> forward;
    EXPECT_EQ(missing.GetIpForwardTable(forward, true), kNotBound);
    EXPECT_EQ(missing.IpReleaseAddress({3, "x"}), kNotBound);
}

TEST(StandIn, AdapterRecordsAreReadWholeAndBounded) {
    Win32IpHelper helper("standin_full.dll");
    std::vector<AdapterRecord> a;
    ASSERT_EQ(helper.GetAdaptersInfo(a), kSuccess);
    ASSERT_EQ(a.size(), 3u);

    EXPECT_EQ(a[0].AdapterName, "{5A1E2B3C-0000-4000-8000-000000000001}");
    EXPECT_EQ(a[0].Description, "  Fast Ethernet Adapter\t ");
    EXPECT_EQ(MacText(a[0]), "00-0C-29-AB-CD-EF");
    EXPECT_EQ(a[0].AddressLength, 6u);
    EXPECT_EQ(a[0].Address[7], 0x22);
    EXPECT_EQ(a[0].Index, 3u);
    EXPECT_EQ(a[0].DhcpServer, "10.0.0.2");
    EXPECT_EQ(a[0].PrimaryWinsServer, "10.0.0.3");
    EXPECT_EQ(a[0].SecondaryWinsServer, "");
    EXPECT_EQ(a[0].LeaseObtained, 1078495620);
    EXPECT_EQ(a[0].LeaseExpires, 1078495620 + 86400);
    EXPECT_EQ(SummaryLine(a[0], "LAN"), "10.0.0.5,YES,255.0.0.0,10.0.0.1,LAN, ,10.0.0.3,3");

    // A description that fills its field has no terminator.
    EXPECT_EQ(a[1].Description, std::string(132, 'D'));
    EXPECT_EQ(SummaryLine(a[1], ""), "0.0.0.0,NO,0.0.0.0, ,none, , ,26");

    // Only the first address of a list counts; a router of 0.0.0.0 is none.
    EXPECT_EQ(a[2].Gateway, "");
    EXPECT_EQ(SummaryLine(a[2], ""), "10.8.8.8,NO,255.255.255.255, ,none, , ,5");
    EXPECT_EQ(AdapterTypeName(a[2].Type), "PPP");
}

TEST(StandIn, PerAdapterInfoIsSizedUntilItFits) {
    Win32IpHelper helper("standin_full.dll");
    struct Case {
        std::uint32_t index;
        SysError result;
        std::uint32_t autoconfig;
        std::vector<std::string> dns;
    };
    const Case cases[] = {
        {3, kSuccess, 1, {"", "10.0.0.53", "10.0.0.54"}},
        // The list grows between the sizing call and the reading call.
        {4, kSuccess, 0, {"192.168.7.1", "10.0.0.53", "10.0.0.54"}},
        // An answer that never fits ends as the system's error, not a hang.
        {5, 111, 0, {}},
        {6, 50, 0, {}},
    };
    for (const Case& c : cases) {
        PerAdapterInfo info;
        info.DnsServerList = {"stale"};
        EXPECT_EQ(helper.GetPerAdapterInfo(c.index, info), c.result) << c.index;
        EXPECT_EQ(info.AutoconfigEnabled, c.autoconfig) << c.index;
        EXPECT_EQ(info.DnsServerList, c.dns) << c.index;
    }
}

TEST(StandIn, ReleaseAndRenewGetTheEntryBackUnchanged) {
    Win32IpHelper helper("standin_full.dll");
    std::vector<AdapterIndexMap> map;
    ASSERT_EQ(helper.GetInterfaceInfo(map), kSuccess);
    ASSERT_EQ(map.size(), 2u);
    EXPECT_EQ(map[0].Index, 3u);
    EXPECT_EQ(map[0].Name, "\\DEVICE\\TCPIP_{5A1E2B3C-0000-4000-8000-000000000001}");
    EXPECT_EQ(map[1].Index, 26u);

    struct Case {
        AdapterIndexMap entry;
        SysError release;
        SysError renew;
    };
    const Case cases[] = {
        {map[0], kSuccess, kSuccess},
        {map[1], kSuccess, 121}, // the renew's own error comes through
        {{3, map[1].Name}, 87, 87},
        {{3, map[0].Name + "x"}, 87, 87},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(helper.IpReleaseAddress(c.entry), c.release) << c.entry.Name;
        EXPECT_EQ(helper.IpRenewAddress(c.entry), c.renew) << c.entry.Name;
    }
}

TEST(StandIn, InterfaceTableRowsInEitherOrder) {
    Win32IpHelper helper("standin_full.dll");
    std::vector<IfRow> rows;
    ASSERT_EQ(helper.GetIfTable(rows, false), kSuccess);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].dwIndex, 26u);
    ASSERT_EQ(helper.GetIfTable(rows, true), kSuccess);
    std::vector<std::vector<std::string>> texts;
    for (const IfRow& r : rows)
        texts.push_back(IfTableRowTexts(r));
    const std::vector<std::vector<std::string>> expected = {
        {"0x1", "", "Loopback", "10000000", "operational", "Loopback"},
        {"0x3", "00-0C-29-AB-CD-EF", "Ethernet", "1000000000", "operational",
         "Fast Ethernet Adapter"},
        // Lengths beyond their fields are cut to the fields.
        {"0x1A", "5A-5A-5A-5A-5A-5A-5A-5A", "Other", "4294967295", "", std::string(256, 'W')},
    };
    EXPECT_EQ(texts, expected);

    IfRow one;
    one.dwIndex = 3;
    ASSERT_EQ(helper.GetIfEntry(one), kSuccess);
    EXPECT_EQ(IfTableRowTexts(one), expected[1]);
    one.dwIndex = 99;
    EXPECT_EQ(helper.GetIfEntry(one), 1168u);
}

TEST(StandIn, RouteTableSortedByDestination) {
    Win32IpHelper helper("standin_full.dll");
    std::vector<ForwardRow> rows;
    ASSERT_EQ(helper.GetIpForwardTable(rows, false), kSuccess);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(RouteTableRowTexts(rows[0])[0], "192.168.1.0");
    ASSERT_EQ(helper.GetIpForwardTable(rows, true), kSuccess);
    std::vector<std::vector<std::string>> texts;
    for (const ForwardRow& r : rows)
        texts.push_back(RouteTableRowTexts(r));
    const std::vector<std::vector<std::string>> expected = {
        {"0.0.0.0", "0.0.0.0", "192.168.1.1", "0x3", "-1"},
        {"10.0.0.5", "255.255.255.255", "127.0.0.1", "0x1", "1"},
        {"192.168.1.0", "255.255.255.0", "192.168.1.20", "0x3", "20"},
    };
    EXPECT_EQ(texts, expected);
}

} // namespace
