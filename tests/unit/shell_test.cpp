#include <gtest/gtest.h>

#include <map>

#include "core/netsh/shell.h"

namespace corvane {
namespace {

constexpr SysError kNoDevice = 19;
constexpr SysError kUnreachable = 101;
constexpr SysError kDenied = 13;

// A machine that records what the shell asks of it; any call can be made to fail.
class FakeTarget : public NetConfig {
  public:
    std::map<std::string, std::string> interfaces = {
        {"LAN", "eth0"}, {"lan", "eth0"}, {"WLAN", "wlan0"}};
    std::map<std::string, SysError> failures; // call text prefix -> code
    std::vector<std::string> calls;

    SysError FindConnection(const std::string& c, std::string& ifname) override {
        auto it = interfaces.find(c);
        if (it == interfaces.end())
            return kNoDevice;
        ifname = it->second;
        return kSuccess;
    }
    SysError Save(const std::string& i) override { return Call("save " + i); }
    SysError Restore(const std::string& i) override { return Call("restore " + i); }
    SysError SetStaticAddress(const std::string& i, std::uint32_t a, int p) override {
        return Call("static " + i + " " + std::to_string(a) + "/" + std::to_string(p));
    }
    SysError AddDefaultGateway(const std::string& i, std::uint32_t g, std::uint32_t m) override {
        return Call("gateway " + i + " " + std::to_string(g) + " " + std::to_string(m));
    }
    SysError EnableDhcp(const std::string& i) override { return Call("dhcp " + i); }
    SysError SetDnsServers(const std::string& i, const std::vector<std::uint32_t>& s) override {
        return Call("dns " + i + " " + std::to_string(s.size()));
    }
    SysError SetDnsByDhcp(const std::string& i) override { return Call("dns-dhcp " + i); }
    SysError SetWinsServers(const std::string& i, const std::vector<std::uint32_t>& s) override {
        return Call("wins " + i + " " + std::to_string(s.size()));
    }
    SysError SetWinsByDhcp(const std::string& i) override { return Call("wins-dhcp " + i); }
    std::string ErrorText(SysError code) const override {
        static const std::map<SysError, std::string> texts = {
            {kNoDevice, "there is no such connection"},
            {kUnreachable, "Network is unreachable"},
            {kDenied, "Permission denied"}};
        auto it = texts.find(code);
        return it == texts.end() ? std::string() : it->second;
    }

  private:
    SysError Call(const std::string& text) {
        calls.push_back(text);
        for (const auto& [prefix, code] : failures)
            if (text.rfind(prefix, 0) == 0)
                return code;
        return kSuccess;
    }
};

struct ShellRun {
    int status;
    std::vector<std::string> output;
};

ShellRun Execute(FakeTarget& target, const std::string& script) {
    ShellRun r;
    r.status =
        RunShellScript(script, target, [&](const std::string& line) { r.output.push_back(line); });
    return r;
}

const std::string kStatic =
    "interface ip set add name = \"LAN\" source = static addr = 10.0.0.5 mask = 255.0.0.0\r\n"
    "interface ip set add name = \"LAN\" gateway = 10.0.0.1 gwmetric = 1\r\n"
    "interface ip set dns name = \"LAN\" source = static addr = 10.0.0.2\r\n"
    "del wins \"LAN\" all\r\n";

TEST(Shell, AppliesEveryLineAfterSavingTheConnection) {
    FakeTarget t;
    ShellRun r = Execute(t, kStatic + "\r\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, std::vector<std::string>{"Ok."});
    EXPECT_EQ(t.calls,
              (std::vector<std::string>{"save eth0", "static eth0 167772165/8",
                                        "gateway eth0 167772161 1", "dns eth0 1", "wins eth0 0"}));
}

TEST(Shell, ChangesNothingWhenALineCannotBeRead) {
    struct Case {
        std::string script;
        std::vector<std::string> output;
    } cases[] = {
        {kStatic + "interface ip set dns name = \"LAN\" source = static addr = 10.0.0.300\r\n",
         {"Line 5: \"10.0.0.300\" is not a usable address: interface ip set dns name = \"LAN\" "
          "source = static addr = 10.0.0.300",
          "Nothing was changed."}},
        {"\n\nshow me\n" + kStatic, {"Line 3: unknown command: show me", "Nothing was changed."}},
        {kStatic + "del dns \"Dial-up\" all\n",
         {"Line 5: connection \"Dial-up\": there is no such connection", "Nothing was changed."}},
    };
    for (const Case& c : cases) {
        FakeTarget t;
        ShellRun r = Execute(t, c.script);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.output, c.output);
        EXPECT_TRUE(t.calls.empty()) << t.calls.front();
    }
}

TEST(Shell, AFailingLinePutsEveryConnectionBack) {
    const std::string script = "interface ip set add name = \"WLAN\" source = dhcp\n" + kStatic +
                               "interface ip set dns name = \"WLAN\" source = dhcp\n";
    struct Case {
        std::map<std::string, SysError> failures;
        std::vector<std::string> tail; // calls after the failing one
        std::vector<std::string> output;
    } cases[] = {
        {{{"gateway", kUnreachable}},
         {"restore eth0", "restore wlan0"},
         {"Line 3 failed: Network is unreachable: interface ip set add name = \"LAN\" gateway = "
          "10.0.0.1 gwmetric = 1",
          "\"LAN\" is back as it was before the script.",
          "\"WLAN\" is back as it was before the script."}},
        {{{"dns-dhcp", kDenied}, {"restore wlan0", kDenied}},
         {"restore eth0", "restore wlan0"},
         {"Line 6 failed: Permission denied: interface ip set dns name = \"WLAN\" source = dhcp",
          "\"LAN\" is back as it was before the script.",
          "\"WLAN\" could not be put back completely: Permission denied"}},
        {{{"dhcp", 99}},
         {"restore eth0", "restore wlan0"},
         {"Line 1 failed: error 99: interface ip set add name = \"WLAN\" source = dhcp",
          "\"LAN\" is back as it was before the script.",
          "\"WLAN\" is back as it was before the script."}},
    };
    for (const Case& c : cases) {
        FakeTarget t;
        t.failures = c.failures;
        ShellRun r = Execute(t, script);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.output, c.output);
        ASSERT_GE(t.calls.size(), 2 + c.tail.size());
        EXPECT_EQ(std::vector<std::string>(t.calls.begin(), t.calls.begin() + 2),
                  (std::vector<std::string>{"save wlan0", "save eth0"}));
        EXPECT_EQ(std::vector<std::string>(t.calls.end() - static_cast<long>(c.tail.size()),
                                           t.calls.end()),
                  c.tail);
    }
}

TEST(Shell, TwoSpellingsOfOneConnectionAreOneInterface) {
    FakeTarget t;
    t.failures = {{"gateway", kUnreachable}};
    ShellRun r =
        Execute(t, "del dns \"LAN\" all\ndel wins \"lan\" all\n"
                   "interface ip set add name = \"lan\" gateway = 10.0.0.1 gwmetric = 1\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(t.calls, (std::vector<std::string>{"save eth0", "dns eth0 0", "wins eth0 0",
                                                 "gateway eth0 167772161 1", "restore eth0"}));
    EXPECT_EQ(r.output.back(), "\"LAN\" is back as it was before the script.");
}

TEST(Shell, ASaveThatFailsChangesNothing) {
    FakeTarget t;
    t.failures = {{"save eth0", kDenied}};
    ShellRun r = Execute(t, kStatic);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output,
              (std::vector<std::string>{"Cannot read the settings of \"LAN\": Permission denied",
                                        "Nothing was changed."}));
    EXPECT_EQ(t.calls, std::vector<std::string>{"save eth0"});
}

TEST(Shell, AnEmptyScriptSucceeds) {
    FakeTarget t;
    EXPECT_EQ(Execute(t, "").status, 0);
    EXPECT_EQ(Execute(t, "\r\n \r\n").status, 0);
    EXPECT_TRUE(t.calls.empty());
}

} // namespace
} // namespace corvane
