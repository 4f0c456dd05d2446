#include "core/app/list_view.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane;

namespace {

// ---- column mapping -------------------------------------------------------

struct OrderCase {
    const char* stored;
    const char* used;
};

class ColumnOrderNormalised : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ColumnOrderNormalised, KeepsPermutationsOnly) {
    EXPECT_EQ(NormalizedColumnOrder(GetParam().stored), GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ColumnOrderNormalised,
    ::testing::Values(OrderCase{"12345", "12345"}, OrderCase{"51234", "51234"},
                      OrderCase{"21345", "21345"}, OrderCase{"", "12345"},       // missing value
                      OrderCase{"1234", "12345"},                                // too short
                      OrderCase{"123456", "12345"}, OrderCase{"11234", "12345"}, // a digit twice
                      OrderCase{"1234x", "12345"}, OrderCase{"12340", "12345"}));

TEST(ColumnOfField, FollowsTheOrderBothWays) {
    for (std::string order : {"12345", "51234", "21345", "54321"}) {
        for (int column = 1; column <= 5; ++column) {
            const int field = FieldOfColumn(order, column);
            EXPECT_EQ(field, order[static_cast<std::size_t>(column - 1)] - '0');
            EXPECT_EQ(ColumnOfField(order, field), column) << order;
        }
    }
    EXPECT_EQ(ColumnOfField("12345", 6), 0); // DNS and WINS are never shown
}

TEST(ColumnOfField, TakesTheLastPositionOfARepeatedDigit) {
    EXPECT_EQ(ColumnOfField("14345", 4), 4);
    EXPECT_EQ(ColumnOfField("14345", 2), 0);
}

// ---- rows ----------------------------------------------------------------

struct RowCase {
    const char* record;
    const char* order;
    bool shown;
    RowTexts row;
};

class RowsOfRecords : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowsOfRecords, PlaceFieldsByTheColumnOrder) {
    const auto& c = GetParam();
    auto row = RowOfRecord(c.record, c.order);
    ASSERT_EQ(row.has_value(), c.shown);
    if (row) {
        EXPECT_EQ(*row, c.row);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, RowsOfRecords,
    ::testing::Values(RowCase{"10.0.0.5,255.0.0.0,10.0.0.1,LAN,office,dns,wins",
                              "12345",
                              true,
                              {"10.0.0.5", "255.0.0.0", "10.0.0.1", "LAN", "office"}},
                      RowCase{"10.0.0.5,255.0.0.0,10.0.0.1,LAN,office",
                              "51234",
                              true,
                              {"office", "10.0.0.5", "255.0.0.0", "10.0.0.1", "LAN"}},
                      RowCase{"dhcp, , ,LAN,IP address by DHCP",
                              "12345",
                              true,
                              {"dhcp", " ", " ", "LAN", "IP address by DHCP"}},
                      // loaded from the file but broken: two adjacent commas
                      RowCase{"dhcp,,x,LAN,rem,dns,wins", "12345", false, {}},
                      RowCase{"10.0.0.5,255.0.0.0,10.0.0.1,LAN", "12345", false, {}},
                      RowCase{"10.0.0.5,255.0.0.0,10.0.0.1,LAN,rem,", "12345", false, {}}));

TEST(ItemRowText, JoinsWithSemicolons) {
    EXPECT_EQ(ItemRowText({"a", "b", " ", "LAN", "x y"}), "a;b; ;LAN;x y");
}

// ---- hidden connections ----------------------------------------------------

TEST(IsHiddenConnection, FirstEntryContainingTheNameDecides) {
    const std::vector<CheckListEntry> list = {
        {"LAN 2 (card B)", true}, {"LAN (card A)", false}, {"Wireless (card C)", false}};
    struct {
        const char* name;
        bool hidden;
        bool present;
    } cases[] = {
        {"LAN 2", true, true},     {"LAN", true, true}, // decided by "LAN 2", which comes first
        {"Wireless", false, true}, {"wireless", false, false}, // case-sensitive
        {"Dial-up", false, false}, {"", false, false},         // an empty name is in no entry
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsHiddenConnection(list, c.name), c.hidden) << c.name;
        EXPECT_EQ(ConnectionPresent(list, c.name), c.present) << c.name;
    }
}

TEST(BuildListRows, LeavesOutHiddenAndBrokenRecords) {
    const ConfigLines lines = {
        "10.0.0.5,255.0.0.0,10.0.0.1,LAN,one",  "dhcp,,x,LAN,rem,dns,wins",
        "10.0.0.6,255.0.0.0,10.0.0.1,WLAN,two", "10.0.0.7,255.0.0.0,10.0.0.1,LAN,three",
        "192.168.1.5,255.255.255.0, ,WAN,four",
    };
    const std::vector<CheckListEntry> hide = {{"LAN (a)", true}, {"WLAN (b)", false}};
    ListRows list = BuildListRows(lines, "12345", hide);
    EXPECT_EQ(list.hiddenCount, 2);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0][4], "two");
    EXPECT_EQ(list.rows[1][4], "four");
    // "LAN" is found inside "WLAN (b)" only after "LAN (a)": unhiding LAN shows all
    list = BuildListRows(lines, "12345", {{"LAN (a)", false}, {"WLAN (b)", true}});
    EXPECT_EQ(list.hiddenCount, 1);
    EXPECT_EQ(list.rows.size(), 3u);
}

TEST(ConnectionColumnCaption, NamesTheHiddenCount) {
    EXPECT_EQ(ConnectionColumnCaption(0), "Interface Name");
    EXPECT_EQ(ConnectionColumnCaption(2), "Interface Name  (2 hidden)");
    EXPECT_EQ(ConnectionColumnCaption(17), "Interface Name  (17 hidden)");
}

TEST(InitialColumnWidth, ByCaption) {
    struct {
        const char* caption;
        int width;
    } cases[] = {{"IP Address", 117},
                 {"Remarks", 215},
                 {"Interface Name", 185},
                 {"Interface Remarks", 185},
                 {"remarks", 117},
                 {"", 117},
                 {"Interface Name  (2 hidden)", 185}};
    for (const auto& c : cases)
        EXPECT_EQ(InitialColumnWidth(c.caption), c.width) << c.caption;
}

// ---- sorting ---------------------------------------------------------------

TEST(CompareTextNoCase, FoldsOnlyAsciiLetters) {
    struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"abc", "ABC", 0},   {"abc", "abd", -1}, {"10.0.0.2", "9.0.0.1", -1},
        {"abc", "ab", 1},    {"", "a", -1},      {"a_", "A^", 1}, // '_' 95 > '^' 94
        {"[", "a", 1},       // '[' 91 > 'A' 65: letters fold up, not down
        {"\xe4", "\xc4", 1}, // bytes above 127 are not folded
        {"\xff", "a", 1},    // and compare unsigned
    };
    for (const auto& c : cases) {
        int r = CompareTextNoCase(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    }
    EXPECT_EQ(CompareTextNoCase("abc", "ab"), 1); // length difference
    EXPECT_EQ(CompareTextNoCase("a", "c"), -2);   // byte difference
}

TEST(CompareRows, SortsTheExampleAddresses) {
    std::vector<RowTexts> rows = {
        {"192.168.1.5", "", "", "", ""}, {"10.0.0.2", "", "", "", ""}, {"9.0.0.1", "", "", "", ""}};
    auto sorted = [&](bool descending) {
        auto copy = rows;
        std::stable_sort(copy.begin(), copy.end(), [&](const auto& a, const auto& b) {
            return CompareRows(a, b, 0, descending) < 0;
        });
        std::vector<std::string> firsts;
        for (const auto& r : copy)
            firsts.push_back(r[0]);
        return firsts;
    };
    EXPECT_EQ(sorted(true), (std::vector<std::string>{"9.0.0.1", "192.168.1.5", "10.0.0.2"}));
    EXPECT_EQ(sorted(false), (std::vector<std::string>{"10.0.0.2", "192.168.1.5", "9.0.0.1"}));
}

// ---- records of rows ---------------------------------------------------------

TEST(RecordOfRow, FindsTheStoredRecordUnderTheDuplicateRule) {
    const ConfigLines lines = {
        "10.0.0.5,255.255.255.0,10.0.0.1,LAN,first,dns1,wins1",
        "10.0.0.6,255.255.255.0,10.0.0.1,LAN,second,dns2,wins2",
        "dhcp, , ,WLAN,home;away,dhcp, ",
    };
    struct {
        RowTexts row;
        const char* order;
        bool multiple;
        const char* record; // null: none
    } cases[] = {
        {{"10.0.0.5", "255.255.255.0", "10.0.0.1", "LAN", "first"},
         "12345",
         true,
         lines[0].c_str()},
        {{"10.0.0.6", "255.255.255.0", "10.0.0.1", "LAN", "second"},
         "12345",
         true,
         lines[1].c_str()},
        // one record per network: the second row yields the first record
        {{"10.0.0.6", "255.255.255.0", "10.0.0.1", "LAN", "second"},
         "12345",
         false,
         lines[0].c_str()},
        // columns moved: the fields are still found
        {{"second", "10.0.0.6", "255.255.255.0", "10.0.0.1", "LAN"},
         "51234",
         true,
         lines[1].c_str()},
        // a ";" in a remark stays as it is stored
        {{"dhcp", " ", " ", "WLAN", "home;away"}, "12345", false, lines[2].c_str()},
        {{"10.9.9.9", "255.255.255.0", "10.0.0.1", "LAN", "gone"}, "12345", true, nullptr},
    };
    for (const auto& c : cases) {
        auto record = RecordOfRow(lines, c.row, c.order, c.multiple);
        if (c.record) {
            ASSERT_TRUE(record.has_value()) << c.record;
            EXPECT_EQ(*record, c.record);
        } else {
            EXPECT_FALSE(record.has_value());
        }
    }
}

TEST(HideEnabled, NeverTheLastVisibleConnection) {
    using L = std::vector<CheckListEntry>;
    struct {
        L list;
        bool selected, go, enabled;
    } cases[] = {
        {L{{"A (a)", false}}, true, true, false},                  // one connection
        {L{{"A (a)", false}, {"B (b)", false}}, true, true, true}, // two, none hidden
        {L{{"A (a)", false}, {"B (b)", true}}, true, true, false}, // last visible
        {L{{"A (a)", false}, {"B (b)", true}, {"C (c)", false}}, true, true, true},
        {L{{"A (a)", false}, {"B (b)", false}}, false, true, false}, // no row
        {L{{"A (a)", false}, {"B (b)", false}}, true, false, false}, // Go disabled
        {L{}, true, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HideEnabled(c.list, c.selected, c.go), c.enabled);
}

// ---- active entry ------------------------------------------------------------

struct ActiveCase {
    const char* name;
    std::vector<std::string> summaries;
    const char* order;
    const char* first;
    std::vector<CheckListEntry> hide;
    int expected;
};

class ActiveEntry : public ::testing::TestWithParam<ActiveCase> {};

TEST_P(ActiveEntry, MatchesLiveAdapters) {
    const auto& c = GetParam();
    const ConfigLines lines = {
        "192.168.1.20,255.255.255.0,192.168.1.1,LAN,office",
        "dhcp, , ,WLAN,home",
        "10.0.0.5,255.0.0.0, ,LAN,lab",
    };
    std::vector<RowTexts> rows;
    for (const auto& line : lines)
        rows.push_back(*RowOfRecord(line, c.order));
    EXPECT_EQ(FindActiveEntry(c.summaries, rows, c.order, c.first, c.hide), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, ActiveEntry,
    ::testing::Values(
        ActiveCase{"static", {"10.0.0.5,NO,255.0.0.0, ,LAN, , ,2"}, "12345", "10.0.0.5", {}, 2},
        ActiveCase{
            "columns moved", {"10.0.0.5,NO,255.0.0.0, ,LAN, , ,2"}, "51234", "10.0.0.5", {}, 2},
        ActiveCase{"static, other connection",
                   {"10.0.0.5,NO,255.0.0.0, ,WLAN, , ,2"},
                   "12345",
                   "10.0.0.5",
                   {},
                   -1},
        ActiveCase{"dhcp with the first host address",
                   {"192.168.5.9,YES,255.255.255.0,192.168.5.1,WLAN, , ,4"},
                   "12345",
                   "192.168.5.9",
                   {},
                   1},
        ActiveCase{"dhcp, not the first host address",
                   {"192.168.5.9,YES,255.255.255.0,192.168.5.1,WLAN, , ,4"},
                   "12345",
                   "10.0.0.5",
                   {},
                   -1},
        ActiveCase{"first adapter with a match wins",
                   {"172.16.0.1,NO,255.255.0.0, ,LAN, , ,1",
                    "192.168.1.20,NO,255.255.255.0,192.168.1.1,LAN, , ,2",
                    "10.0.0.5,NO,255.0.0.0, ,LAN, , ,3"},
                   "12345",
                   "172.16.0.1",
                   {},
                   0},
        ActiveCase{"hidden connection",
                   {"10.0.0.5,NO,255.0.0.0, ,LAN, , ,2"},
                   "12345",
                   "10.0.0.5",
                   {{"LAN (card)", true}},
                   -1},
        ActiveCase{"no adapters", {}, "12345", "10.0.0.5", {}, -1}));

TEST(FindActiveEntry, EmptyListMatchesNothing) {
    EXPECT_EQ(FindActiveEntry({"10.0.0.5,NO,255.0.0.0, ,LAN, , ,2"}, {}, "12345", "10.0.0.5", {}),
              -1);
}

// ---- offer for new connections -------------------------------------------------

TEST(NewConnectionRecords, OneRecordPerNamedAdapterWithAnAddress) {
    const std::vector<std::string> summaries = {
        "192.168.1.20,NO,255.255.255.0,192.168.1.1,Local Area Connection, ,192.168.1.2,2",
        "192.168.5.9,YES,255.255.255.0,192.168.5.1,Wireless Network Connection, , ,3",
        "10.1.1.1,NO,255.0.0.0, ,none, , ,4",      // no connection name
        "0.0.0.0,NO,0.0.0.0, ,Disconnected, , ,5", // no address
        "127.0.0.1,NO,255.0.0.0, ,Loopback, , ,1", // loopback
        "garbage,NO,255.0.0.0, ,Broken, , ,6",     // not a dotted quad
        "10.2.2.2,NO,255.0.0.0, ,Second LAN, , ,7",
    };
    EXPECT_EQ(NewConnectionRecords(summaries),
              (std::vector<std::string>{
                  "192.168.1.20,255.255.255.0,192.168.1.1,Local Area Connection,added by "
                  "CORVANE, ,192.168.1.2",
                  "dhcp, , ,Wireless Network Connection,IP address by DHCP",
                  "10.2.2.2,255.0.0.0, ,Second LAN,added by CORVANE, , ",
              }));
}

TEST(HostAddressColour, ByState) {
    EXPECT_EQ(HostAddressColour(-1), AddressColour::Red);
    EXPECT_EQ(HostAddressColour(0), AddressColour::Default);
    EXPECT_EQ(HostAddressColour(1), AddressColour::Default);
    EXPECT_EQ(HostAddressColour(2), AddressColour::Blue);
}

} // namespace
