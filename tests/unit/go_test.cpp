#include <gtest/gtest.h>

#include "core/app/go.h"
#include "platform/sim/memory_store.h"
#include "platform/sim/sim_machine.h"

namespace corvane {
namespace {

// The network shell as "Go!" sees it: what was written, run and deleted.
class FakeShell : public NetShellRunner {
  public:
    bool writable = true;
    NetShellResult result{true, 0, "Ok.\n", 0};
    std::vector<std::string> events;
    std::vector<std::string> written;

    std::string SystemDirectory() const override { return "C:\\WINDOWS\\system32"; }
    std::string CommandLine(const std::string& script) const override {
        return SystemDirectory() + "\\netsh.exe -f " + script;
    }
    bool WriteScript(const std::string& path, const std::vector<std::string>& lines) override {
        events.push_back("write " + path);
        if (writable)
            written = lines;
        return writable;
    }
    void DeleteScript(const std::string& path) override { events.push_back("delete " + path); }
    NetShellResult Run(const std::string& commandLine) override {
        events.push_back("run " + commandLine);
        return result;
    }
};

struct GoFixture : ::testing::Test {
    SimPlatform platform;
    FakeShell shell;
    MemoryStore store;
    Settings settings{store};
    bool saves = true;
    std::vector<std::string> log; // messages and window events in order
    std::vector<UserMessage> messages;
    std::vector<std::string> summaries;
    std::uint32_t lan = 0, wlan = 0, wlan2 = 0;

    void SetUp() override {
        platform.netsh = &shell;
        settings.DeleteScript = true;
        lan = platform.machine.AddAdapter({.connection = "LAN"});
        wlan = platform.machine.AddAdapter({.connection = "Wireless Network Connection"});
        wlan2 = platform.machine.AddAdapter({.connection = "Wireless Network Connection"});
        platform.machine.SetHost("pc", {"192.168.1.20", "10.0.0.5"});
        summaries = {
            "10.0.0.5,NO,255.0.0.0,10.0.0.1,LAN, , ," + std::to_string(lan),
            "0.0.0.0,YES,0.0.0.0, ,Wireless Network Connection, , ," + std::to_string(wlan),
            "0.0.0.0,YES,0.0.0.0, ,Wireless Network Connection, , ," + std::to_string(wlan2)};
    }

    GoResult Go(const std::string& record) {
        GoCallbacks c;
        c.message = [&](const UserMessage& m) {
            messages.push_back(m);
            log.push_back(m.text);
        };
        c.saveAddressFile = [&] {
            log.push_back("save");
            return saves;
        };
        c.showDhcpWait = [&] { log.push_back("wait"); };
        c.closeDhcpWait = [&] { log.push_back("close"); };
        return ExecuteGo(record, settings, summaries, platform, c);
    }
};

const std::string kDone = "Reconfiguration done. Current IP address is now: 192.168.1.20,10.0.0.5";

TEST_F(GoFixture, StaticEntry) {
    GoResult r = Go("10.1.2.30,255.255.0.0,10.1.0.1,LAN,Office,10.1.0.5,10.1.0.6");
    EXPECT_EQ(shell.events,
              (std::vector<std::string>{"write config.cfg",
                                        "run C:\\WINDOWS\\system32\\netsh.exe -f config.cfg",
                                        "delete config.cfg"}));
    EXPECT_EQ(shell.written.size(), 4u);
    EXPECT_EQ(log, (std::vector<std::string>{"save", kDone}));
    EXPECT_EQ(messages.back().title, "Corvane");
    EXPECT_EQ(messages.back().icon, MessageIcon::Information);
    EXPECT_TRUE(platform.machine.Released().empty());
    EXPECT_TRUE(r.shell.ok());
    EXPECT_EQ(r.host.state, 2);
}

TEST_F(GoFixture, DhcpEntryRenewsEveryAdapterOfItsConnection) {
    Go("dhcp, , ,Wireless Network Connection,Home,dhcp, ");
    EXPECT_EQ(log, (std::vector<std::string>{"save", "wait", "close", "wait", "close", kDone}));
    ASSERT_EQ(platform.machine.Renewed().size(), 2u);
    EXPECT_EQ(platform.machine.Renewed()[0].Index, wlan);
    EXPECT_EQ(platform.machine.Renewed()[1].Index, wlan2);
}

TEST_F(GoFixture, OnlyTheExactWordDhcpRenews) {
    for (const char* record :
         {"DHCP, , ,Wireless Network Connection,x", " dhcp, , ,Wireless Network Connection,x"}) {
        Go(record);
        EXPECT_TRUE(platform.machine.Released().empty()) << record;
    }
}

TEST_F(GoFixture, FailuresAreReportedAndGoOn) {
    struct Case {
        const char* name;
        bool writable, saves;
        NetShellResult shell;
        std::vector<UserMessage> messages;
    } cases[] = {
        {"script not written",
         false,
         true,
         {true, 0, "", 0},
         {{"Couldn't write IP address file.", "Corvane Error", MessageIcon::Error},
          {kDone, "Corvane", MessageIcon::Information}}},
        {"address file not saved",
         true,
         false,
         {true, 0, "", 0},
         {{"Couldn't write IP address file.", "Corvane Error", MessageIcon::Warning},
          {kDone, "Corvane", MessageIcon::Information}}},
        // A rejected script is no longer reported as done without a word.
        {"shell rejects the script",
         true,
         true,
         {true, 1, "Line 2: unknown command: x\nNothing was changed.\n", 0},
         {{"Line 2: unknown command: x\nNothing was changed.", "Corvane Error",
           MessageIcon::Warning},
          {kDone, "Corvane", MessageIcon::Information}}},
        {"shell fails silently",
         true,
         true,
         {true, 3, "", 0},
         {{"The network shell ended with exit code 3.", "Corvane Error", MessageIcon::Warning},
          {kDone, "Corvane", MessageIcon::Information}}},
        {"shell killed",
         true,
         true,
         {true, -1, "", 0},
         {{"The network shell did not end normally.", "Corvane Error", MessageIcon::Warning},
          {kDone, "Corvane", MessageIcon::Information}}},
        {"shell not started",
         true,
         true,
         {false, -1, "/bin/sh: No such file or directory", 2},
         {{"The network shell could not be run: /bin/sh: No such file or directory",
           "Corvane Error", MessageIcon::Warning},
          {kDone, "Corvane", MessageIcon::Information}}},
    };
    for (const Case& c : cases) {
        messages.clear();
        shell.events.clear();
        shell.writable = c.writable;
        shell.result = c.shell;
        saves = c.saves;
        GoResult r = Go("10.1.2.30,255.255.0.0,10.1.0.1,LAN,Office");
        EXPECT_EQ(messages, c.messages) << c.name;
        // The command line still runs, on whatever script the directory holds.
        EXPECT_EQ(shell.events.size(), 3u) << c.name;
        EXPECT_EQ(r.shell.ok(), c.shell.ok()) << c.name;
    }
}

TEST_F(GoFixture, KeepsTheScriptWhenTheSettingsSaySo) {
    settings.DeleteScript = false;
    Go("10.1.2.30,255.255.0.0, ,LAN,Office");
    EXPECT_EQ(shell.events.back(), "run C:\\WINDOWS\\system32\\netsh.exe -f config.cfg");
    EXPECT_EQ(shell.written, (std::vector<std::string>{
                                 "interface ip set add name = \"LAN\" source = static addr = "
                                 "10.1.2.30 mask = 255.255.0.0"}));
}

TEST_F(GoFixture, ReportsTheLoopbackAddressOfAMachineWithoutNetwork) {
    platform.machine.SetHost("pc", {"127.0.0.1"});
    GoResult r = Go("10.1.2.30,255.255.0.0,10.1.0.1,LAN,Office");
    EXPECT_EQ(messages.back().text, "Reconfiguration done. Current IP address is now: 127.0.0.1");
    EXPECT_EQ(r.host.state, -1);
}

TEST_F(GoFixture, DhcpErrorsComeBeforeTheReport) {
    platform.machine.Fail(SimMachine::Op::IpRenewAddress, 1, 1);
    Go("dhcp, , ,Wireless Network Connection,Home");
    EXPECT_EQ(log, (std::vector<std::string>{"save", "wait", "Couldn't renew IP address.", "close",
                                             "wait", "close", kDone}));
}

} // namespace
} // namespace corvane
