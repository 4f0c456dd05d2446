// The IP helper of the running system (Wine's), read through the back end and
// checked against the system's other answers; platform_wine_test checks it
// against the interfaces of the suite's own namespace.
#include "core/setup/adapter_info.h"
#include "core/setup/tables.h"
#include "platform/platform.h"
#include "platform/registry_connection_names.h"
#include "platform/settings_store.h"
#include "platform/win32/registry_store.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane;

namespace {

std::string PhysText(const IfRow& row) {
    std::string s;
    char buf[4];
    for (std::uint32_t i = 0; i < row.dwPhysAddrLen; ++i) {
        std::snprintf(buf, sizeof buf, i ? "-%02X" : "%02X", row.bPhysAddr[i]);
        s += buf;
    }
    return s;
}

class WineIpHelper : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(helper().BindingReport(), 0u);
        SysError code = helper().GetAdaptersInfo(adapters_);
        if (code == 232) // ERROR_NO_DATA: a machine with loopback alone
            GTEST_SKIP() << "no network adapter";
        ASSERT_EQ(code, kSuccess) << *helper().ErrorText(code);
    }
    IpHelper& helper() { return *platform_->ipHelper; }

    std::unique_ptr<Platform> platform_ = CreateSystemPlatform();
    std::vector<AdapterRecord> adapters_;
};

TEST_F(WineIpHelper, AdaptersAgreeWithTheInterfaceTable) {
    std::vector<IfRow> rows;
    ASSERT_EQ(helper().GetIfTable(rows, true), kSuccess);
    ASSERT_FALSE(adapters_.empty());
    for (const AdapterRecord& a : adapters_) {
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const IfRow& r) { return r.dwIndex == a.Index; });
        ASSERT_NE(row, rows.end()) << a.Description;
        EXPECT_EQ(PhysText(*row), MacText(a)) << a.Description;
        EXPECT_EQ(row->dwType, a.Type) << a.Description;

        IfRow entry;
        entry.dwIndex = a.Index;
        ASSERT_EQ(helper().GetIfEntry(entry), kSuccess);
        EXPECT_EQ(IfTableRowTexts(entry), IfTableRowTexts(*row));
    }
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const IfRow& a, const IfRow& b) {
        return a.dwIndex < b.dwIndex;
    }));
}

TEST_F(WineIpHelper, ConnectionNamesFromTheNetworkKey) {
    // Wine keeps no connection names; plant some for the adapters it reports.
    SettingsStore& registry = *platform_->settings;
    const std::string classKey = std::string(RegistryConnectionNames::kNetworkKey) +
                                 "\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
    std::vector<std::string> planted;
    for (std::size_t i = 0; i < adapters_.size(); ++i) {
        const std::string path = classKey + "\\" + adapters_[i].AdapterName + "\\Connection";
        auto key = registry.OpenKey(StoreRoot::LocalMachine, path, KeyAccess::CreateAllAccess);
        ASSERT_TRUE(key.ok()) << path;
        ASSERT_TRUE(key.value->WriteString("Name", "Wine LAN " + std::to_string(i)).ok());
        planted.push_back(classKey + "\\" + adapters_[i].AdapterName);
    }

    AdapterInfo info = ReadAdapterInfo(helper(), *platform_->connectionNames, false, &ToLocalTime);
    EXPECT_FALSE(info.readError);
    EXPECT_FALSE(info.readFailed);
    EXPECT_TRUE(info.shownErrors.empty());
    ASSERT_EQ(info.summaries.size(), adapters_.size());
    for (std::size_t i = 0; i < adapters_.size(); ++i) {
        EXPECT_EQ(info.summaries[i], SummaryLine(adapters_[i], "Wine LAN " + std::to_string(i)));
        EXPECT_EQ(info.adapterNames[i], adapters_[i].AdapterName);
        // An adapter with an address had its per-adapter info read.
        const auto& kids = info.tree[i].children;
        const bool hasDns = std::any_of(kids.begin(), kids.end(),
                                        [](const TreeNode& n) { return n.text == "DNS"; });
        EXPECT_EQ(hasDns, adapters_[i].IpAddress != "0.0.0.0") << adapters_[i].Description;
    }

    // Removing the names again leaves the adapters nameless.
    for (const std::string& p : planted)
        ASSERT_TRUE(RegistryStore().DeleteTree(p).ok()) << p;
    for (const AdapterRecord& a : adapters_)
        EXPECT_EQ(platform_->connectionNames->ConnectionNameOf(a.AdapterName), "");
}

TEST_F(WineIpHelper, ReleaseIsRefusedWithASystemText) {
    // Wine has no DHCP client: release and renew fail, and the failure must
    // come back as an error code the system can put into words.
    std::vector<AdapterIndexMap> map;
    ASSERT_EQ(helper().GetInterfaceInfo(map), kSuccess);
    ASSERT_FALSE(map.empty());
    for (const AdapterIndexMap& entry : map) {
        SysError release = helper().IpReleaseAddress(entry);
        SysError renew = helper().IpRenewAddress(entry);
        EXPECT_NE(release, kSuccess) << entry.Name;
        EXPECT_NE(renew, kSuccess) << entry.Name;
        EXPECT_TRUE(helper().ErrorText(release).has_value()) << release;
    }
}

TEST(WineErrorText, SystemTextsAsTheSystemGivesThem) {
    auto platform = CreateSystemPlatform();
    struct Case {
        SysError code;
        bool known;
    };
    const Case cases[] = {{2, true},   {5, true},   {50, true},           {111, true},
                          {122, true}, {232, true}, {0x20000001u, false}, {0xFFFFFFFFu, false}};
    for (const Case& c : cases) {
        auto text = platform->ipHelper->ErrorText(c.code);
        ASSERT_EQ(text.has_value(), c.known) << c.code;
        if (!c.known)
            continue;
        // The line end stays, as the message box shows the text unchanged.
        EXPECT_GE(text->size(), 3u);
        EXPECT_EQ(text->substr(text->size() - 2), "\r\n") << c.code;
        EXPECT_EQ(ShowErrorText(*platform->ipHelper, c.code), "Something didn't work..: " + *text);
    }
}

} // namespace
