#include "core/setup/registry_exception.h"
#include "core/setup/settings.h"
#include "platform/sim/memory_store.h"

#include <gtest/gtest.h>

#include <functional>

using namespace corvane;
namespace names = corvane::settings_names;
using enum SettingsOption;

namespace {

const std::string kKey(names::kKey);
const std::vector<std::string> kDefaults(kDefaultColumnCaptions.begin(),
                                         kDefaultColumnCaptions.end());

// A complete key with nothing at its default.
void Seed(MemoryStore& s) {
    const char* captions[] = {"Remarks", "IP Address", "Network Mask", "Default Router",
                              "Interface Name"};
    for (int n = 0; n < 5; ++n)
        s.PutString(kKey, names::Caption(n), captions[n]);
    s.PutString(kKey, names::kColumnOrder, "51234");
    for (auto name : {names::kAllowMultipleAddresses, names::kDoNotClose, names::kMinimize,
                      names::kClassBasedSubnetMask, names::kAutoNetworkCheck})
        s.PutDword(kKey, name, 1);
    s.PutDword(kKey, names::kEnableHints, 0);
    s.PutDword(kKey, names::kOptionFlags, 5);
    s.PutDword(kKey, names::kPingTimeout, 1000);
    s.PutDword(kKey, names::kPingCount, 4);
    s.PutDword(kKey, names::kNicAutoUpdateInterval, 500);
    s.PutDword(kKey, names::kDeleteScript, 0);
    s.PutDword(kKey, names::kHiddenInterfaces, 0);
}

long Dword(const MemoryStore& s, std::string_view name) {
    auto v = s.Get(kKey, name);
    if (!v || v->type != store_tree::kDword)
        return -1;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(v->data[static_cast<size_t>(i)]);
    return static_cast<long>(value);
}

std::string Text(const MemoryStore& s, std::string_view name) {
    auto v = s.Get(kKey, name);
    return v ? v->data : "<none>";
}

void ExpectDefaultsStored(const MemoryStore& s) {
    const std::pair<std::string_view, long> dwords[] = {{names::kAllowMultipleAddresses, 0},
                                                        {names::kDoNotClose, 0},
                                                        {names::kMinimize, 0},
                                                        {names::kClassBasedSubnetMask, 0},
                                                        {names::kEnableHints, 1},
                                                        {names::kAutoNetworkCheck, 0},
                                                        {names::kHiddenInterfaces, 0},
                                                        {names::kPingTimeout, 2000},
                                                        {names::kPingCount, 3},
                                                        {names::kNicAutoUpdateInterval, 250},
                                                        {names::kDeleteScript, 1},
                                                        {names::kOptionFlags, 31}};
    for (const auto& [name, value] : dwords)
        EXPECT_EQ(Dword(s, name), value) << name;
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(Text(s, names::Caption(n)), kDefaults[static_cast<size_t>(n)]);
    EXPECT_EQ(Text(s, names::kColumnOrder), "12345");
}

TEST(Settings, FirstStartWritesDefaultsButKeepsFlagsInMemory) {
    MemoryStore store;
    Settings settings(store);
    int hookCalls = 0;
    settings.SetCheckChangedHook([&](SettingsOption, bool) { ++hookCalls; });
    settings.LoadSettings();

    ExpectDefaultsStored(store);
    EXPECT_EQ(settings.lbColumnOrder, kDefaults);
    EXPECT_EQ(settings.ColumnOrder, "12345");
    EXPECT_EQ(settings.PingTimeout, 2000);
    EXPECT_EQ(settings.PingCount, 3);
    EXPECT_EQ(settings.NicAutoUpdateInterval, 250);
    EXPECT_EQ(settings.OptionFlags, 0u);
    EXPECT_FALSE(settings.DeleteScript);
    EXPECT_EQ(hookCalls, 0);
    EXPECT_EQ(store.OpenKeysNow(), 0);

    Settings next(store); // the next program start
    next.LoadSettings();
    EXPECT_EQ(next.OptionFlags, 31u);
    EXPECT_TRUE(next.DeleteScript);
}

struct RangeCase {
    std::string_view name;
    std::uint32_t stored;
    std::int32_t loaded;
};

class SettingsRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(SettingsRange, OutOfRangeIsCorrectedAndWrittenBack) {
    const RangeCase& c = GetParam();
    MemoryStore store;
    Seed(store);
    store.PutDword(kKey, c.name, c.stored);
    Settings settings(store);
    settings.LoadSettings();
    std::int32_t fields[] = {settings.PingTimeout, settings.PingCount,
                             settings.NicAutoUpdateInterval};
    std::string_view fieldNames[] = {names::kPingTimeout, names::kPingCount,
                                     names::kNicAutoUpdateInterval};
    for (int i = 0; i < 3; ++i) {
        if (fieldNames[i] == c.name) {
            EXPECT_EQ(fields[i], c.loaded);
        }
    }
    EXPECT_EQ(Dword(store, c.name), static_cast<long>(static_cast<std::uint32_t>(c.loaded)));
    EXPECT_EQ(Text(store, names::kColumnOrder), "51234"); // no defaults written
}

INSTANTIATE_TEST_SUITE_P(Bounds, SettingsRange,
                         ::testing::Values(RangeCase{names::kPingTimeout, 10, 10},
                                           RangeCase{names::kPingTimeout, 5000, 5000},
                                           RangeCase{names::kPingTimeout, 9, 2000},
                                           RangeCase{names::kPingTimeout, 5001, 2000},
                                           RangeCase{names::kPingTimeout, 0xFFFFFFFF, 2000},
                                           RangeCase{names::kPingCount, 1, 1},
                                           RangeCase{names::kPingCount, 10, 10},
                                           RangeCase{names::kPingCount, 0, 5},
                                           RangeCase{names::kPingCount, 11, 5},
                                           RangeCase{names::kNicAutoUpdateInterval, 249, 250},
                                           RangeCase{names::kNicAutoUpdateInterval, 250, 250},
                                           RangeCase{names::kNicAutoUpdateInterval, 5000, 5000},
                                           RangeCase{names::kNicAutoUpdateInterval, 5001, 250}));

struct BrokenCase {
    const char* what;
    std::function<void(MemoryStore&)> damage;
    bool readBeforeFailure; // the check boxes were read before the failure
};

class SettingsBroken : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(SettingsBroken, RewritesAllDefaultsKeepingWhatWasRead) {
    MemoryStore store;
    Seed(store);
    GetParam().damage(store);
    Settings settings(store);
    settings.LoadSettings();
    ExpectDefaultsStored(store);
    EXPECT_EQ(settings.lbColumnOrder, kDefaults);
    EXPECT_EQ(settings.ColumnOrder, "12345");
    EXPECT_EQ(settings.PingTimeout, 2000);
    EXPECT_EQ(settings.Checked(cbMultipleIP), GetParam().readBeforeFailure);
    EXPECT_EQ(settings.Checked(cbEnableHints), !GetParam().readBeforeFailure);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsBroken,
    ::testing::Values(
        BrokenCase{"C2 missing", [](MemoryStore& s) { s.Remove(kKey, "C2"); }, false},
        BrokenCase{"C4 empty", [](MemoryStore& s) { s.PutString(kKey, "C4", ""); }, false},
        BrokenCase{"C1 a number", [](MemoryStore& s) { s.PutDword(kKey, "C1", 1); }, false},
        BrokenCase{"Ping Timeout text",
                   [](MemoryStore& s) { s.PutString(kKey, names::kPingTimeout, "2000"); }, true},
        BrokenCase{"DC missing", [](MemoryStore& s) { s.Remove(kKey, names::kDeleteScript); },
                   true},
        BrokenCase{"Option Flags text",
                   [](MemoryStore& s) { s.PutString(kKey, names::kOptionFlags, "31"); }, true}));

TEST(Settings, LoadsEveryValueAndRunsHandlersOnChanges) {
    MemoryStore store;
    Seed(store);
    store.Remove(kKey, names::kColumnOrder);
    store.PutExpandString(kKey, "C0", "Remarks");
    Settings settings(store);
    std::vector<std::pair<SettingsOption, bool>> calls;
    settings.SetCheckChangedHook([&](SettingsOption box, bool on) { calls.push_back({box, on}); });
    settings.LoadSettings();

    EXPECT_EQ(settings.ColumnOrder, ""); // missing, and no defaults for it
    EXPECT_EQ(Dword(store, names::kOptionFlags), 5);
    EXPECT_EQ(settings.lbColumnOrder[0], "Remarks");
    EXPECT_EQ(settings.OptionFlags, 5u);
    EXPECT_EQ(settings.PingCount, 4);
    EXPECT_FALSE(settings.DeleteScript);
    EXPECT_TRUE(settings.MinimizeEnabled());
    const std::vector<std::pair<SettingsOption, bool>> expected = {
        {cbMultipleIP, true},      {DontCloseCheckBox, true}, {cbMinimize, true},
        {cbClassfulSubnets, true}, {cbAutoUpdate, true},      {cbEnableHints, false}};
    EXPECT_EQ(calls, expected);

    calls.clear();
    store.PutDword(kKey, names::kDoNotClose, 0);
    settings.LoadSettings();
    EXPECT_EQ(calls, (std::vector<std::pair<SettingsOption, bool>>{{DontCloseCheckBox, false}}));
    EXPECT_FALSE(settings.MinimizeEnabled());
    EXPECT_TRUE(settings.Checked(cbMinimize));
}

TEST(Settings, RefusedKeyReadsAndWritesNothing) {
    MemoryStore store;
    Seed(store);
    store.RefuseKey(kKey);
    Settings settings(store);
    settings.lbHideInterface = {{"LAN (NIC)", false}};
    settings.LoadSettings();
    EXPECT_EQ(store.WriteCount(), 0);
    EXPECT_EQ(settings.PingTimeout, 0);
    EXPECT_EQ(settings.PingCount, 0);
    EXPECT_EQ(settings.NicAutoUpdateInterval, 0);
    EXPECT_EQ(settings.ColumnOrder, "");
    EXPECT_EQ(settings.lbColumnOrder, kDefaults);
    EXPECT_TRUE(settings.Checked(cbEnableHints));
    EXPECT_FALSE(settings.Checked(DontCloseCheckBox));
    EXPECT_FALSE(settings.lbHideInterface[0].checked);
    EXPECT_THROW(settings.SaveSettings(), ERegistryException);
}

TEST(Settings, HiddenConnectionsSavedInListOrderStaleValueLeft) {
    MemoryStore store;
    Settings settings(store);
    settings.lbHideInterface = {
        {"A (x)", true}, {"B (x)", false}, {"C (x)", true}, {"D (x)", true}};
    settings.SaveSettings();
    settings.lbHideInterface[3].checked = false;
    settings.SaveSettings();
    EXPECT_EQ(Dword(store, names::kHiddenInterfaces), 2);
    EXPECT_EQ(Text(store, "HiddenIf0"), "A (x)");
    EXPECT_EQ(Text(store, "HiddenIf1"), "C (x)");
    EXPECT_EQ(Text(store, "HiddenIf2"), "D (x)"); // stale, never read

    Settings next(store);
    next.lbHideInterface = {{"c (X)", false}};
    next.LoadHiddenInterfaces();
    ASSERT_EQ(next.lbHideInterface.size(), 2u);
    EXPECT_EQ(next.lbHideInterface[0].text, "c (X)"); // matched without regard to case
    EXPECT_TRUE(next.lbHideInterface[0].checked);
    EXPECT_EQ(next.lbHideInterface[1].text, "A (x)");
    EXPECT_TRUE(next.lbHideInterface[1].checked);
}

TEST(Settings, HiddenConnectionGapsAndErrors) {
    MemoryStore store;
    store.PutDword(kKey, names::kHiddenInterfaces, 3);
    store.PutString(kKey, "HiddenIf0", "LAN (NIC)");
    store.PutString(kKey, "HiddenIf2", "WAN (NIC)");
    Settings settings(store);
    settings.LoadHiddenInterfaces();
    std::vector<std::string> texts;
    for (const auto& e : settings.lbHideInterface)
        texts.push_back(e.checked ? e.text : "unchecked");
    EXPECT_EQ(texts, (std::vector<std::string>{"LAN (NIC)", "", "WAN (NIC)"}));

    store.PutDword(kKey, "HiddenIf1", 7); // a number ends the walk silently
    Settings stops(store);
    stops.LoadHiddenInterfaces();
    EXPECT_EQ(stops.lbHideInterface.size(), 1u);
}

TEST(Settings, ColumnWidthsStopAtTheFirstUnreadable) {
    MemoryStore store;
    for (int n : {0, 1, 2, 4})
        store.PutDword(kKey, names::Width(n), static_cast<std::uint32_t>(100 + n));
    Settings settings(store);
    ColumnWidths widths = {1, 2, 3, 4, 5};
    settings.LoadColumnWidths(widths);
    EXPECT_EQ(widths, (ColumnWidths{100, 101, 102, 4, 5}));

    settings.SaveColumnWidths({7, 8, 9, 10, 11});
    settings.LoadColumnWidths(widths);
    EXPECT_EQ(widths, (ColumnWidths{7, 8, 9, 10, 11}));
}

TEST(Settings, ColumnOrderTextAndReset) {
    MemoryStore store;
    Settings settings(store);
    EXPECT_EQ(settings.ColumnOrderText(), "12345");
    settings.lbColumnOrder = {"Remarks", "IP Address", "Network Mask", "Default Router",
                              "Interface Name"};
    EXPECT_EQ(settings.ColumnOrderText(), "51234");
    settings.lbColumnOrder = {"ip address", "Network Mask", "X", "Interface Name", "Re"};
    EXPECT_EQ(settings.ColumnOrderText(), "245");

    settings.ResetColumnOrder();
    EXPECT_EQ(settings.lbColumnOrder, kDefaults);
    EXPECT_EQ(settings.ColumnOrder, "12345");
    EXPECT_EQ(store.WriteCount(), 0);
}

struct SaveFailure {
    const char* failing;
    std::function<void(Settings&)> save;
    std::vector<const char*> written; // before the failure
    std::vector<const char*> notWritten;
};

class SettingsSaveFailure : public ::testing::TestWithParam<SaveFailure> {};

TEST_P(SettingsSaveFailure, StopsWithTheRegistryTextKeepingEarlierWrites) {
    const SaveFailure& c = GetParam();
    MemoryStore store;
    store.FailWrite(c.failing);
    Settings settings(store);
    settings.lbHideInterface = {{"LAN (NIC)", true}};
    try {
        c.save(settings);
        ADD_FAILURE() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to set data for '" + std::string(c.failing) + "'");
    }
    for (const char* name : c.written)
        EXPECT_TRUE(store.Get(kKey, name)) << name;
    for (const char* name : c.notWritten)
        EXPECT_FALSE(store.Get(kKey, name)) << name;
    EXPECT_EQ(store.OpenKeysNow(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, SettingsSaveFailure,
    ::testing::Values(SaveFailure{"Column Order",
                                  [](Settings& s) { s.SaveSettings(); },
                                  {"HiddenIf0", "C0", "C4"},
                                  {"Hidden Interfaces", "Option Flags"}},
                      SaveFailure{"C3", [](Settings& s) { s.SaveColumnOrder(); }, {"C2"}, {"C4"}},
                      SaveFailure{"Option Flags", [](Settings& s) { s.SaveOptionFlags(); }, {}, {}},
                      SaveFailure{
                          "W2", [](Settings& s) { s.SaveColumnWidths({}); }, {"W1"}, {"W3"}}));

TEST(Settings, SavedOptionsLoadBackWithTheirHighBits) {
    MemoryStore store;
    Settings first(store);
    first.LoadSettings();
    for (SettingsOption box : {cbMultipleIP, DontCloseCheckBox, cbAutoUpdate})
        first.SetChecked(box, true);
    first.SetChecked(cbEnableHints, false);
    first.OptionFlags = 0xFFFF0011;
    first.lbColumnOrder = {"Remarks", "IP Address", "Network Mask", "Default Router",
                           "Interface Name"};
    first.SaveSettings();

    Settings second(store);
    second.LoadSettings();
    EXPECT_EQ(second.OptionFlags, 0xFFFF0011u);
    EXPECT_EQ(second.ColumnOrder, "51234");
    for (SettingsOption box : {cbMultipleIP, DontCloseCheckBox, cbMinimize, cbClassfulSubnets,
                               cbEnableHints, cbAutoUpdate})
        EXPECT_EQ(second.Checked(box), first.Checked(box)) << static_cast<int>(box);
}

TEST(Settings, RefusedWriteBackStillLeavesUsableDefaults) {
    MemoryStore store;
    Seed(store);
    store.PutDword(kKey, names::kNicAutoUpdateInterval, 0);
    store.FailWrite(names::kNicAutoUpdateInterval);
    Settings settings(store);
    EXPECT_THROW(settings.LoadSettings(), ERegistryException);
    EXPECT_EQ(settings.NicAutoUpdateInterval, 250); // not 0: the update timer would spin
    EXPECT_EQ(settings.PingCount, 3);
    EXPECT_EQ(settings.lbColumnOrder, kDefaults);
    EXPECT_EQ(store.OpenKeysNow(), 0);
}

} // namespace
