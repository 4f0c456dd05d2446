// The Linux back end against the lab's client namespace; run by
// platform_lab_test.sh inside that namespace with the lab's variables set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <net/if.h>

#include "contract/platform_contract.h"
#include "core/setup/adapter_info.h"
#include "core/setup/tables.h"
#include "platform/linux/linux_platform.h"

namespace corvane {
namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::vector<std::uint8_t> Mac(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < text.size() + 1; i += 3)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
    return bytes;
}

bool InLab() {
    return !Env("LAB_ID").empty() && !Env("LAB_WLAN_IP").empty();
}

contract::ContractSubject Lab() {
    contract::ContractSubject s;
    s.platform = CreateSystemPlatform();
    s.adapters = {
        {.name = Env("LAB_LAN_IF"),
         .connection = Env("LAB_LAN_NAME"),
         .ip = Env("LAB_LAN_IP"),
         .mask = Env("LAB_MASK"),
         .gateway = Env("LAB_ROUTER_LAN_IP"),
         .mac = Mac(Env("LAB_LAN_MAC"))},
        {.name = Env("LAB_WLAN_IF"),
         .connection = Env("LAB_WLAN_NAME"),
         .ip = Env("LAB_WLAN_IP"),
         .mask = Env("LAB_MASK"),
         .gateway = Env("LAB_ROUTER_WLAN_IP"),
         .dhcp = true,
         .dhcpServer = Env("LAB_ROUTER_WLAN_IP"),
         .mac = Mac(Env("LAB_WLAN_MAC"))},
    };
    const std::string net1 =
        Env("LAB_ROUTER_LAN_IP").substr(0, Env("LAB_ROUTER_LAN_IP").rfind('.')) + ".0";
    const std::string net2 =
        Env("LAB_ROUTER_WLAN_IP").substr(0, Env("LAB_ROUTER_WLAN_IP").rfind('.')) + ".0";
    s.routes = {
        {"0.0.0.0", "0.0.0.0", Env("LAB_ROUTER_LAN_IP"), Env("LAB_LAN_IF"), 0},
        {"0.0.0.0", "0.0.0.0", Env("LAB_ROUTER_WLAN_IP"), Env("LAB_WLAN_IF"), 100},
        {net1, Env("LAB_MASK"), "0.0.0.0", Env("LAB_LAN_IF"), 0},
        {net2, Env("LAB_MASK"), "0.0.0.0", Env("LAB_WLAN_IF"), 0},
        {Env("LAB_EXTRA_NET"), Env("LAB_MASK"), Env("LAB_ROUTER_LAN_IP"), Env("LAB_LAN_IF"), 7},
    };
    s.hostAddresses = {Env("LAB_LAN_IP"), Env("LAB_WLAN_IP")};
    s.dns = {Env("LAB_DNS1"), Env("LAB_DNS2")};
    return s;
}

#define LAB_ONLY()                                                                                 \
    if (!InLab())                                                                                  \
    GTEST_SKIP() << "run by platform_lab_test.sh inside the lab"

class LinuxLab : public ::testing::Test {
  protected:
    void SetUp() override { LAB_ONLY(); }
};

#define LAB_CONTRACT(Check)                                                                        \
    TEST_F(LinuxLab, Check) {                                                                      \
        contract::Check(Lab());                                                                    \
    }
LAB_CONTRACT(CheckAdapters)
LAB_CONTRACT(CheckIndicesAgree)
LAB_CONTRACT(CheckIfTable)
LAB_CONTRACT(CheckRoutes)
LAB_CONTRACT(CheckPerAdapter)
LAB_CONTRACT(CheckConnectionNames)
LAB_CONTRACT(CheckHost)
LAB_CONTRACT(CheckErrorTexts)

TEST_F(LinuxLab, LeaseOfTheDhcpConnection) {
    auto p = CreateSystemPlatform();
    std::vector<AdapterRecord> adapters;
    ASSERT_EQ(p->ipHelper->GetAdaptersInfo(adapters), kSuccess);
    const AdapterRecord* w = contract::FindAdapter(adapters, Env("LAB_WLAN_IF"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->LeaseExpires - w->LeaseObtained, std::stoll(Env("LAB_LEASE_SECONDS")));
    const std::int64_t now = std::time(nullptr);
    EXPECT_LE(w->LeaseObtained, now + 5);
    EXPECT_GE(w->LeaseObtained, now - 600);
    const AdapterRecord* l = contract::FindAdapter(adapters, Env("LAB_LAN_IF"));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->DhcpServer, "");
    EXPECT_EQ(l->LeaseObtained, 0);
}

TEST_F(LinuxLab, SummaryLinesAndTree) {
    auto p = CreateSystemPlatform();
    AdapterInfo info = ReadAdapterInfo(*p->ipHelper, *p->connectionNames, false, &ToLocalTime);
    const unsigned lan = if_nametoindex(Env("LAB_LAN_IF").c_str());
    const unsigned wlan = if_nametoindex(Env("LAB_WLAN_IF").c_str());
    EXPECT_EQ(info.summaries,
              (std::vector<std::string>{
                  Env("LAB_LAN_IP") + ",NO," + Env("LAB_MASK") + "," + Env("LAB_ROUTER_LAN_IP") +
                      "," + Env("LAB_LAN_NAME") + ", , ," + std::to_string(lan),
                  Env("LAB_WLAN_IP") + ",YES," + Env("LAB_MASK") + "," + Env("LAB_ROUTER_WLAN_IP") +
                      "," + Env("LAB_WLAN_NAME") + ", , ," + std::to_string(wlan)}));
    EXPECT_EQ(info.displayTexts, (std::vector<std::string>{Env("LAB_LAN_NAME") + " (veth)",
                                                           Env("LAB_WLAN_NAME") + " (veth)"}));
    ASSERT_EQ(info.tree.size(), 2u);
    EXPECT_EQ(info.tree[0].text, "veth");
    EXPECT_TRUE(info.shownErrors.empty());
}

TEST_F(LinuxLab, LoopbackRowOfTheInterfaceTable) {
    auto p = CreateSystemPlatform();
    std::vector<IfRow> rows;
    ASSERT_EQ(p->ipHelper->GetIfTable(rows, true), kSuccess);
    ASSERT_FALSE(rows.empty());
    auto texts = IfTableRowTexts(rows[0]);
    EXPECT_EQ(texts[0], "0x1");
    EXPECT_EQ(texts[1], "");
    EXPECT_EQ(texts[2], "Loopback");
    EXPECT_EQ(texts[4], "operational");
}

TEST_F(LinuxLab, StoredApipaSwitchAndWins) {
    LinuxIpHelper helper;
    const std::string lanIf = Env("LAB_LAN_IF");
    helper.SetApipaLookup([&](const std::string& name) -> std::optional<std::uint32_t> {
        if (name == lanIf)
            return 0;
        return std::nullopt;
    });
    helper.SetWinsLookup([&](const std::string& name) {
        return name == lanIf ? std::make_pair(std::string("10.231.1.44"), std::string())
                             : std::make_pair(std::string(), std::string());
    });
    PerAdapterInfo info;
    ASSERT_EQ(helper.GetPerAdapterInfo(if_nametoindex(lanIf.c_str()), info), kSuccess);
    EXPECT_EQ(info.AutoconfigEnabled, 0u);
    ASSERT_EQ(helper.GetPerAdapterInfo(if_nametoindex(Env("LAB_WLAN_IF").c_str()), info), kSuccess);
    EXPECT_EQ(info.AutoconfigEnabled, 1u);
    std::vector<AdapterRecord> adapters;
    ASSERT_EQ(helper.GetAdaptersInfo(adapters), kSuccess);
    EXPECT_EQ(contract::FindAdapter(adapters, lanIf)->HaveWins, 1u);
    EXPECT_EQ(contract::FindAdapter(adapters, lanIf)->PrimaryWinsServer, "10.231.1.44");
    EXPECT_EQ(contract::FindAdapter(adapters, Env("LAB_WLAN_IF"))->HaveWins, 0u);
}

} // namespace
} // namespace corvane

namespace corvane {
namespace {

// A scratch directory for lease files and the settings file of one test.
struct Scratch {
    std::string dir;
    Scratch() {
        char name[] = "/tmp/corvane-labtest.XXXXXX";
        dir = mkdtemp(name);
    }
    ~Scratch() { std::system(("rm -rf '" + dir + "'").c_str()); }
    void Write(const std::string& rel, const std::string& text) const {
        std::ofstream(dir + "/" + rel) << text;
    }
};

TEST_F(LinuxLab, ApipaSwitchFromTheSettingsStore) {
    Scratch s;
    auto p = CreateLinuxPlatform(LinuxPaths{}, s.dir + "/registry.reg");
    const std::string lanIf = Env("LAB_LAN_IF");
    auto key = p->settings->OpenKey(
        StoreRoot::LocalMachine,
        "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + lanIf,
        KeyAccess::CreateAllAccess);
    ASSERT_TRUE(key.ok());
    ASSERT_TRUE(key.value->WriteDword("IPAutoconfigurationEnabled", 0).ok());
    key.value->Close();
    AdapterInfo info = ReadAdapterInfo(*p->ipHelper, *p->connectionNames, false, &ToLocalTime);
    ASSERT_EQ(info.tree.size(), 2u);
    auto has = [](const TreeNode& n, const std::string& text) {
        for (const auto& c : n.children)
            if (c.text == text)
                return true;
        return false;
    };
    EXPECT_TRUE(has(info.tree[0], "APIPA status: disabled"));
    EXPECT_TRUE(has(info.tree[1], "APIPA status: enabled"));
}

// Without a dhclient, the DHCP state comes from networkd's or NetworkManager's
// lease; a NetworkManager lease for another address is stale.
TEST_F(LinuxLab, DhcpStateFromOtherClients) {
    const std::string lanIf = Env("LAB_LAN_IF");
    const unsigned lan = if_nametoindex(lanIf.c_str());
    struct Case {
        const char* what;
        std::string networkd;   // lease file for the LAN index, or empty
        std::string nmName, nm; // NetworkManager lease file, or empty
        bool dhcp;
        std::string server;
    } cases[] = {
        {"nothing", "", "", "", false, ""},
        {"networkd", "ADDRESS=" + Env("LAB_LAN_IP") + "\nSERVER_ADDRESS=10.231.1.2\nLIFETIME=600\n",
         "", "", true, "10.231.1.2"},
        {"NetworkManager", "", "internal-0f1e-" + lanIf + ".lease",
         "ADDRESS=" + Env("LAB_LAN_IP") + "\nSERVER_ADDRESS=10.231.1.3\n", true, "10.231.1.3"},
        {"stale NetworkManager", "", "internal-0f1e-" + lanIf + ".lease",
         "ADDRESS=10.231.1.99\nSERVER_ADDRESS=10.231.1.3\n", false, ""},
        {"NetworkManager dhclient", "", "dhclient-0f1e-" + lanIf + ".lease",
         "lease {\n  interface \"" + lanIf + "\";\n  fixed-address " + Env("LAB_LAN_IP") +
             ";\n  option dhcp-server-identifier 10.231.1.4;\n}\n",
         true, "10.231.1.4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch s;
        std::system(
            ("mkdir -p '" + s.dir + "/proc' '" + s.dir + "/networkd' '" + s.dir + "/nm'").c_str());
        if (!c.networkd.empty())
            s.Write("networkd/" + std::to_string(lan), c.networkd);
        if (!c.nm.empty())
            s.Write("nm/" + c.nmName, c.nm);
        LinuxPaths paths;
        paths.proc = s.dir + "/proc";
        paths.networkdLeases = s.dir + "/networkd";
        paths.networkManager = s.dir + "/nm";
        LinuxIpHelper helper(paths);
        std::vector<AdapterRecord> adapters;
        ASSERT_EQ(helper.GetAdaptersInfo(adapters), kSuccess);
        const AdapterRecord* a = contract::FindAdapter(adapters, lanIf);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->DhcpEnabled != 0, c.dhcp);
        EXPECT_EQ(a->DhcpServer, c.server);
        // The wireless connection's dhclient is invisible here.
        EXPECT_EQ(contract::FindAdapter(adapters, Env("LAB_WLAN_IF"))->DhcpEnabled, 0u);
    }
}

} // namespace
} // namespace corvane
