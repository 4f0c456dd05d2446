// The whole Windows platform against the machine that wine_env.sh made in its
// network namespace, by the contract every back end meets; and "Go!" on it.
#include "contract/platform_contract.h"
#include "core/app/go.h"
#include "core/netsh/config_script.h"
#include "core/setup/adapter_info.h"
#include "core/setup/dhcp_renew.h"
#include "platform/registry_connection_names.h"
#include "platform/win32/registry_store.h"
#include "unit/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace corvane;
using namespace corvane::contract;

namespace {

const std::string kLanClass =
    std::string(RegistryConnectionNames::kNetworkKey) + "\\{4D36E972-E325-11CE-BFC1-08002BE10318}";

bool OwnNamespace() {
    const char* v = std::getenv("CORVANE_WINE_NETNS");
    return v && *v == '1';
}

// Names the connections of the two interfaces, as Windows would have them.
void NameConnections(Platform& p, const std::vector<AdapterRecord>& adapters) {
    for (const AdapterRecord& a : adapters) {
        const std::string name = MacText(a) == "00-0C-29-AB-CD-EF" ? "Wine LAN" : "Wine spare";
        auto key = p.settings->OpenKey(StoreRoot::LocalMachine,
                                       kLanClass + "\\" + a.AdapterName + "\\Connection",
                                       KeyAccess::CreateAllAccess);
        ASSERT_TRUE(key.ok());
        key.value->WriteString("Name", name);
    }
}

ContractSubject WineMachine() {
    ContractSubject s;
    s.platform = CreateSystemPlatform();
    std::vector<AdapterRecord> adapters;
    s.platform->ipHelper->GetAdaptersInfo(adapters);
    NameConnections(*s.platform, adapters);
    std::string cv0, cv1;
    for (const AdapterRecord& a : adapters)
        (MacText(a) == "00-0C-29-AB-CD-EF" ? cv0 : cv1) = a.AdapterName;
    // Wine says DHCP for every adapter, without a server or a lease.
    s.adapters = {
        {.name = cv1,
         .connection = "Wine spare",
         .dhcp = true,
         .mac = {0x00, 0x0c, 0x29, 0x12, 0x34, 0x56}},
        {.name = cv0,
         .connection = "Wine LAN",
         .ip = "192.0.2.10",
         .mask = "255.255.255.0",
         .gateway = "192.0.2.1",
         .dhcp = true,
         .mac = {0x00, 0x0c, 0x29, 0xab, 0xcd, 0xef}},
    };
    s.routes = {{"0.0.0.0", "0.0.0.0", "192.0.2.1", cv0},
                {"192.0.2.0", "255.255.255.0", "192.0.2.10", cv0}};
    s.hostAddresses = {"192.0.2.10"};
    s.dns = {"192.0.2.53"};
    return s;
}

class WineContract : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!OwnNamespace())
            GTEST_SKIP() << "not in a network namespace of our own";
    }
};

// Wine reports every adapter with DHCP on but no server or lease, and
// autoconfiguration off, where the contract expects what a real client
// leaves; the adapters are checked as Wine has them in ip_helper_wine_test.
#define WINE_CONTRACT(Check)                                                                       \
    TEST_F(WineContract, Check) {                                                                  \
        ::corvane::contract::Check(WineMachine());                                                 \
    }
WINE_CONTRACT(CheckIndicesAgree)
WINE_CONTRACT(CheckIfTable)
WINE_CONTRACT(CheckRoutes)
WINE_CONTRACT(CheckConnectionNames)
WINE_CONTRACT(CheckHost)
WINE_CONTRACT(CheckErrorTexts)

TEST_F(WineContract, PerAdapterInfoHasTheNameServer) {
    ContractSubject machine = WineMachine();
    IpHelper& helper = *machine.platform->ipHelper;
    std::vector<AdapterRecord> adapters;
    ASSERT_EQ(helper.GetAdaptersInfo(adapters), kSuccess);
    std::uint32_t unused = 1;
    for (const AdapterRecord& a : adapters) {
        PerAdapterInfo info;
        ASSERT_EQ(helper.GetPerAdapterInfo(a.Index, info), kSuccess);
        EXPECT_EQ(info.DnsServerList, machine.dns);
        unused = std::max(unused, a.Index + 1);
    }
    PerAdapterInfo info;
    EXPECT_NE(helper.GetPerAdapterInfo(unused, info), kSuccess);
}

TEST_F(WineContract, GoOnADhcpEntryRunsTheShellAndReportsTheRefusedRelease) {
    ContractSubject machine = WineMachine();
    Platform& p = *machine.platform;
    AdapterInfo info = ReadAdapterInfo(*p.ipHelper, *p.connectionNames, false, &ToLocalTime);

    TempDir dir;
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    Settings settings(*p.settings);
    settings.DeleteScript = false;
    std::vector<UserMessage> shown;
    GoCallbacks callbacks;
    callbacks.message = [&](const UserMessage& m) { shown.push_back(m); };
    callbacks.saveAddressFile = [] { return true; };
    const std::string record = "dhcp, , ,Wine LAN,Home,dhcp";
    GoResult r = ExecuteGo(record, settings, info.summaries, p, callbacks);
    const std::string script = TempDir::Read(kScriptFileName);
    std::filesystem::current_path(home);

    EXPECT_TRUE(r.scriptWritten);
    std::string expected;
    for (const std::string& line : BuildConfigScript(record))
        expected += line + "\r\n";
    EXPECT_EQ(script, expected);
    // Wine's netsh.exe accepts any script; its DHCP client is missing.
    EXPECT_TRUE(r.shell.ok()) << r.shell.output;
    const std::vector<UserMessage> messages = {
        {kCouldntRelease, kDhcpErrorTitle, MessageIcon::Error},
        {std::string(kReconfigurationDone) + "192.0.2.10", "Corvane", MessageIcon::Information},
    };
    EXPECT_EQ(shown, messages);
}

} // namespace
