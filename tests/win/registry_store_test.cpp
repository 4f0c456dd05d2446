// The settings store over the real (Wine) registry.
#include "core/setup/apipa.h"
#include "core/setup/settings.h"
#include "platform/registry_connection_names.h"
#include "platform/win32/registry_store.h"
#include "unit/settings_store_contract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>

using namespace corvane;

namespace {

constexpr StoreRoot kLM = StoreRoot::LocalMachine;

// Every test works below a key of its own, removed afterwards.
std::string FreshBase() {
    static std::atomic<int> n{0};
    return "Software\\Corvane Tests\\run " + std::to_string(n++);
}

class RegistryBackend : public contract::Backend {
  public:
    ~RegistryBackend() override { store_.DeleteTree(""); }
    SettingsStore& store() override { return store_; }
    SettingsStore& reopened() override { return other_; }
    void PutExpandString(const std::string& path, const std::string& name,
                         const std::string& text) override {
        ASSERT_TRUE(store_.PutExpandString(path, name, text).ok());
    }
    bool SortsSubKeys() const override { return true; }

  private:
    std::string base_ = FreshBase();
    RegistryStore store_{base_};
    RegistryStore other_{base_};
};

TEST(RegistryStore, WithoutBaseItIsTheMachinesRegistry) {
    RegistryStore machine;
    auto key =
        machine.OpenKey(kLM, "SYSTEM\\CurrentControlSet\\Control", KeyAccess::ExistingReadOnly);
    ASSERT_TRUE(key.ok()) << key.error.systemCode;
    auto names = key.value->SubKeyNames();
    ASSERT_TRUE(names.ok());
    EXPECT_NE(std::find(names.value.begin(), names.value.end(), "Session Manager"),
              names.value.end());
}

TEST(RegistryStore, PathsAndAccessMapToTheRegistry) {
    const std::string base = FreshBase();
    RegistryStore store(base);
    struct Case {
        const char* path;
        KeyAccess access;
        StoreStatus status;
    };
    const Case cases[] = {
        // An adapter key of the APIPA switch is opened, never created.
        {"SYSTEM\\Tcpip\\Interfaces\\{none}", KeyAccess::ExistingAllAccess, StoreStatus::NotFound},
        {"SYSTEM\\Tcpip\\Interfaces\\{none}", KeyAccess::ExistingReadOnly, StoreStatus::NotFound},
        {"\\Software\\x\\", KeyAccess::CreateAllAccess, StoreStatus::Ok},
        {"Software\\X", KeyAccess::ExistingAllAccess, StoreStatus::Ok},
        {"Software\\\\x", KeyAccess::CreateAllAccess, StoreStatus::Failed},
        {"Software\\x\r\ny", KeyAccess::CreateAllAccess, StoreStatus::Failed},
    };
    for (const Case& c : cases) {
        auto r = store.OpenKey(kLM, c.path, c.access);
        EXPECT_EQ(r.error.status, c.status) << c.path << " " << r.error.systemCode;
        EXPECT_EQ(r.value != nullptr, c.status == StoreStatus::Ok) << c.path;
    }
    EXPECT_EQ(store.OpenKey(kLM, "SYSTEM", KeyAccess::ExistingReadOnly).error.status,
              StoreStatus::NotFound);
    EXPECT_TRUE(store.DeleteTree("").ok());
    EXPECT_EQ(RegistryStore().OpenKey(kLM, base, KeyAccess::ExistingReadOnly).error.status,
              StoreStatus::NotFound);
}

TEST(RegistryStore, LongValuesAndDwordBoundaries) {
    RegistryStore store(FreshBase());
    auto key = store.OpenKey(kLM, "k", KeyAccess::CreateAllAccess).value;
    const std::string long_text(70000, 'x');
    ASSERT_TRUE(key->WriteString("long", long_text).ok());
    EXPECT_EQ(key->ReadString("long").value, long_text);
    for (std::uint32_t v : {0u, 1u, 0x80000000u, 0xFFFFFFFFu}) {
        ASSERT_TRUE(key->WriteDword("d", v).ok());
        EXPECT_EQ(key->ReadDword("d").value, v);
    }
    key->Close();
    store.DeleteTree("");
}

TEST(RegistrySettings, LoadRepairsTheKeyInTheRegistry) {
    const std::string base = FreshBase();
    RegistryStore store(base);
    const std::string key = "Software\\tessaly software\\corvane";
    struct Case {
        const char* what;
        std::function<void(StoreKey&)> plant;
        std::int32_t pingTimeout; // after the load
        std::int32_t pingCount;
    };
    const Case cases[] = {
        {"first start: no key", nullptr, 2000, 3},
        {"a complete key", [](StoreKey& k) { k.WriteDword("Ping Timeout", 10); }, 10, 3},
        {"out of range", [](StoreKey& k) { k.WriteDword("Ping Count", 11); }, 10, 5},
        {"number stored as text", [](StoreKey& k) { k.WriteString("Ping Timeout", "10"); }, 2000,
         3},
    };
    for (const Case& c : cases) {
        if (c.plant)
            c.plant(*store.OpenKey(kLM, key, KeyAccess::CreateAllAccess).value);
        Settings settings(store);
        settings.LoadSettings();
        EXPECT_EQ(settings.PingTimeout, c.pingTimeout) << c.what;
        EXPECT_EQ(settings.PingCount, c.pingCount) << c.what;
        // What the load wrote back is in the registry for the next start.
        auto stored = RegistryStore(base).OpenKey(kLM, key, KeyAccess::ExistingReadOnly);
        ASSERT_TRUE(stored.ok()) << c.what;
        EXPECT_EQ(stored.value->ReadDword("Ping Timeout").value,
                  static_cast<std::uint32_t>(c.pingTimeout))
            << c.what;
        EXPECT_EQ(stored.value->ReadString("C4").value, "Remarks") << c.what;
    }
    store.DeleteTree("");
}

TEST(RegistryApipa, TheSwitchPerAdapterKey) {
    RegistryStore store(FreshBase());
    auto adapterKey = [&](const char* adapter) {
        return store.OpenKey(kLM, TcpipInterfaceKey(adapter), KeyAccess::CreateAllAccess).value;
    };
    adapterKey("{OFF}")->WriteDword(std::string(kApipaValueName), 0);
    adapterKey("{FIVE}")->WriteDword(std::string(kApipaValueName), 5);
    adapterKey("{TEXT}")->WriteString(std::string(kApipaValueName), "0");
    adapterKey("{NONE}");
    struct Case {
        const char* adapter;
        bool enabled;
    };
    for (Case c : {Case{"{OFF}", false}, Case{"{FIVE}", true}, Case{"{TEXT}", true},
                   Case{"{NONE}", true}, Case{"{ABSENT}", true}})
        EXPECT_EQ(ReadApipaSetting(store, c.adapter), c.enabled) << c.adapter;

    WriteApipaSetting(store, "{NONE}", false);
    EXPECT_FALSE(ReadApipaSetting(store, "{NONE}"));
    WriteApipaSetting(store, "{OFF}", true);
    EXPECT_EQ(store.OpenKey(kLM, TcpipInterfaceKey("{OFF}"), KeyAccess::ExistingReadOnly)
                  .value->ReadDword(std::string(kApipaValueName))
                  .value,
              1u);
    // An adapter without a key gets none.
    WriteApipaSetting(store, "{ABSENT}", false);
    EXPECT_EQ(
        store.OpenKey(kLM, TcpipInterfaceKey("{ABSENT}"), KeyAccess::ExistingReadOnly).error.status,
        StoreStatus::NotFound);
    store.DeleteTree("");
}

TEST(RegistryConnectionNames, FoundUnderAnyNetworkClass) {
    // The real key is the machine's, so the names live below a base of ours
    // that mirrors it.
    const std::string base = FreshBase();
    RegistryStore store(base);
    const std::string net = RegistryConnectionNames::kNetworkKey;
    auto put = [&](const std::string& path, const char* name) {
        auto key = store.OpenKey(kLM, net + "\\" + path, KeyAccess::CreateAllAccess);
        ASSERT_TRUE(key.ok());
        if (name)
            key.value->WriteString("Name", name);
    };
    put("{4D36E972-E325-11CE-BFC1-08002BE10318}\\{AAAA}\\Connection", "Local Area Connection");
    put("{4D36E975-E325-11CE-BFC1-08002BE10318}\\{BBBB}\\Connection", "LAN 2");
    put("{4D36E972-E325-11CE-BFC1-08002BE10318}\\{CCCC}", nullptr);
    put("{4D36E972-E325-11CE-BFC1-08002BE10318}\\{DDDD}\\Connection", nullptr);

    RegistryConnectionNames names(store);
    struct Case {
        const char* adapter;
        const char* name;
    };
    const Case cases[] = {
        {"{AAAA}", "Local Area Connection"},
        {"{aaaa}", "Local Area Connection"},
        {"{BBBB}", "LAN 2"},
        {"{CCCC}", ""}, // no Connection key
        {"{DDDD}", ""}, // no Name value
        {"{EEEE}", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(names.ConnectionNameOf(c.adapter), c.name) << c.adapter;
    store.DeleteTree("");
    EXPECT_EQ(names.ConnectionNameOf("{AAAA}"), "");
}

} // namespace

using contract::StoreContract;
INSTANTIATE_TEST_SUITE_P(Registry, StoreContract,
                         ::testing::Values(contract::BackendCase{
                             "Registry", [] { return std::make_unique<RegistryBackend>(); }}),
                         [](const auto& info) { return std::string(info.param.name); });
