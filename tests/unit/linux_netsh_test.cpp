#ifdef __linux__
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "platform/linux/adapter_values.h"
#include "platform/linux/dhcp_client.h"
#include "platform/linux/dhcp_leases.h"
#include "platform/linux/net_shell_runner.h"
#include "platform/linux/process.h"
#include "platform/linux/resolver.h"
#include "platform/sim/memory_store.h"
#include "temp_dir.h"

namespace corvane {
namespace {

using namespace linux_backend;

TEST(Resolver, ReplacesOnlyTheIpv4NameServers) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> servers;
        std::string result;
    } cases[] = {
        {"replaced where they stood",
         "# by hand\nsearch example.org\nnameserver 10.0.0.1\nnameserver 10.0.0.2\noptions "
         "ndots:2\n",
         {"10.1.0.5"},
         "# by hand\nsearch example.org\nnameserver 10.1.0.5\noptions ndots:2\n"},
        {"IPv6 servers and indented lines kept apart",
         "nameserver fe80::1\n  nameserver 10.0.0.1\nnameserver 10.0.0.2 # old\n",
         {"10.1.0.5", "10.1.0.6"},
         "nameserver fe80::1\nnameserver 10.1.0.5\nnameserver 10.1.0.6\n"},
        {"removed", "search x\nnameserver 10.0.0.1\n", {}, "search x\n"},
        {"added at the end", "search x", {"10.1.0.5"}, "search x\nnameserver 10.1.0.5\n"},
        {"a missing file", "", {"10.1.0.5"}, "nameserver 10.1.0.5\n"},
        {"a comment naming a server stays", "#nameserver 1.1.1.1\n", {}, "#nameserver 1.1.1.1\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithNameServers(c.text, c.servers), c.result) << c.name;
}

// The resolver file may be a link a resolver manager owns, or a file mounted
// over (a namespace's own resolv.conf): neither may be replaced by a file.
TEST(Resolver, WritesThroughALinkAndKeepsIt) {
    TempDir dir;
    const std::string target = dir.file("managed.conf"), link = dir.file("resolv.conf");
    TempDir::Write(target, "nameserver 10.0.0.1\n");
    std::filesystem::create_symlink(target, link);
    ASSERT_EQ(WriteResolverFile(link, "nameserver 10.0.0.9\n"), kSuccess);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::Read(target), "nameserver 10.0.0.9\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(Resolver, MountPoints) {
    const std::string mountinfo =
        "22 1 0:21 / / rw - ext4 /dev/vda rw\n"
        "31 22 0:21 /etc/netns/lab/resolv.conf /etc/resolv.conf rw - ext4 /dev/vda rw\n"
        "32 22 0:22 / /mnt/with\\040blank rw - tmpfs tmpfs rw\n";
    EXPECT_TRUE(IsMountPoint(mountinfo, "/etc/resolv.conf"));
    EXPECT_TRUE(IsMountPoint(mountinfo, "/mnt/with blank"));
    EXPECT_FALSE(IsMountPoint(mountinfo, "/etc/hosts"));
    EXPECT_FALSE(IsMountPoint(mountinfo, "/mnt/with\\040blank"));
}

TEST(Resolver, ResolvectlAnswers) {
    EXPECT_EQ(ResolvedDnsOf("Link 2 (eth0): 10.0.0.1 fe80::1 10.0.0.2\n"),
              (std::vector<std::string>{"10.0.0.1", "10.0.0.2"}));
    EXPECT_TRUE(ResolvedDnsOf("Link 2 (eth0):\n").empty());
    EXPECT_TRUE(ResolvedDnsOf("Failed to resolve interface\n").empty());
}

TEST(DhcpLeases, NameServersOfALease) {
    auto lease = LastDhclientLease("lease {\n  interface \"eth0\";\n  fixed-address 10.0.0.9;\n"
                                   "  option domain-name-servers 10.0.0.53, 10.0.0.54;\n}\n",
                                   "eth0");
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->dns, (std::vector<std::string>{"10.0.0.53", "10.0.0.54"}));
    auto networkd = KeyValueLease("ADDRESS=10.0.0.9\nDNS=10.0.0.53 10.0.0.54\n", 0);
    ASSERT_TRUE(networkd);
    EXPECT_EQ(networkd->dns, (std::vector<std::string>{"10.0.0.53", "10.0.0.54"}));
}

TEST(DhcpClient, CommandLines) {
    const std::vector<std::string> lab = {"dhclient",  "-4",  "-1",          "-cf",
                                          "/dev/null", "-lf", "/l/x.leases", "-pf",
                                          "/l/x.pid",  "-nw", "-d",          "eth0"};
    EXPECT_EQ(DhclientDaemonArgs(lab),
              (std::vector<std::string>{"dhclient", "-4", "-cf", "/dev/null", "-lf", "/l/x.leases",
                                        "-pf", "/l/x.pid", "eth0"}));
    EXPECT_EQ(WithoutPidFile(DhclientDaemonArgs(lab)),
              (std::vector<std::string>{"dhclient", "--no-pid", "-4", "-cf", "/dev/null", "-lf",
                                        "/l/x.leases", "eth0"}));
    EXPECT_EQ(OptionValue(lab, "-lf"), "/l/x.leases");
    EXPECT_EQ(OptionValue(lab, "-sf"), std::nullopt);
    EXPECT_EQ(OptionValue({"dhclient", "eth0", "-lf"}, "-lf"), std::nullopt);
    LinuxPaths paths;
    EXPECT_EQ(
        DefaultDhclientArgs("eth0", paths),
        (std::vector<std::string>{"dhclient", "-4", "-lf", "/var/lib/dhcp/dhclient.eth0.leases",
                                  "-pf", "/run/dhclient.eth0.pid", "eth0"}));

    struct Dhcpcd {
        std::vector<std::string> argv;
        bool manages;
    } dhcpcd[] = {
        {{"/usr/sbin/dhcpcd", "-q", "eth0"}, true},
        {{"dhcpcd", "-q", "wlan0"}, false},
        {{"dhcpcd", "-b"}, true}, // the manager of every interface
        {{"dhclient", "eth0"}, false},
    };
    for (const Dhcpcd& d : dhcpcd)
        EXPECT_EQ(DhcpcdManages(d.argv, "eth0"), d.manages) << JoinCommandLine(d.argv);
}

TEST(AdapterValues, CommandLinesSurviveTheStore) {
    const std::vector<std::vector<std::string>> cases = {
        {"dhclient", "-4", "eth0"},
        {"dhclient", "-sf", "/opt/my scripts/hook", "-lf", "C:\\odd\"name", "eth0"},
        {"dhclient", "", "eth0"},
    };
    for (const auto& argv : cases)
        EXPECT_EQ(SplitStoredCommandLine(JoinCommandLine(argv)), argv) << JoinCommandLine(argv);
    EXPECT_EQ(JoinCommandLine({"a b", "c"}), "\"a b\" c");
    EXPECT_TRUE(SplitStoredCommandLine("").empty());
}

TEST(AdapterValues, WinsServersPerAdapter) {
    MemoryStore store;
    EXPECT_EQ(ReadWinsServers(store, "eth0"), (std::pair<std::string, std::string>{}));
    ASSERT_TRUE(WriteWinsServers(store, "eth0", {"10.0.0.6", "10.0.0.7"}).ok());
    EXPECT_EQ(ReadWinsServers(store, "eth0"),
              (std::pair<std::string, std::string>{"10.0.0.6", "10.0.0.7"}));
    EXPECT_EQ(ReadWinsServers(store, "eth1"), (std::pair<std::string, std::string>{}));
    ASSERT_TRUE(WriteWinsServers(store, "eth0", {}).ok());
    EXPECT_EQ(ReadWinsServers(store, "eth0"), (std::pair<std::string, std::string>{}));
    EXPECT_FALSE(WriteWinsServers(store, "a\\b", {"10.0.0.6"}).ok());
    EXPECT_TRUE(WinsKey("").empty());
}

// A fake /proc and /run: only what the tests put there exists.
struct FakeSystem {
    TempDir dir;
    LinuxPaths paths;
    MemoryStore store;

    FakeSystem() {
        paths.proc = dir.file("proc");
        paths.run = dir.file("run");
        std::filesystem::create_directories(paths.proc);
        std::filesystem::create_directories(paths.run);
    }
    void Process(int pid, const std::vector<std::string>& argv) {
        const std::string d = paths.proc + "/" + std::to_string(pid);
        std::filesystem::create_directories(d);
        std::string raw;
        for (const std::string& a : argv)
            raw += a + '\0';
        TempDir::Write(d + "/cmdline", raw);
    }
};

TEST(DhcpClient, FindsTheClientOfTheInterface) {
    FakeSystem sys;
    sys.Process(40, {"dhclient", "-lf", "/x/eth0.leases", "cvtest1"});
    sys.Process(41, {"/sbin/dhclient", "-r", "cvtest0"}); // only releasing
    sys.Process(42, {"dhclient", "-4", "-lf", "/x/eth0.leases", "cvtest0"});
    sys.Process(43, {"dhcpcd", "cvtest2"});
    DhcpControl dhcp(&sys.store, sys.paths);
    DhcpClient c = dhcp.Find("cvtest0");
    EXPECT_EQ(c.manager, DhcpManager::Dhclient);
    EXPECT_EQ(c.pid, 42);
    EXPECT_EQ(dhcp.Find("cvtest2").manager, DhcpManager::Dhcpcd);
    EXPECT_FALSE(dhcp.Find("cvtest9").running());
}

// A static interface keeps its address: a client it once had is remembered
// for a later switch to DHCP, but gives no lease to release or renew.
TEST(DhcpClient, NoReleaseOrRenewOnAStaticInterface) {
    FakeSystem sys;
    DhcpControl dhcp(&sys.store, sys.paths);
    dhcp.SetRemembered("cvtest0", "dhclient-that-must-not-run cvtest0");
    for (std::optional<std::uint32_t> enabled :
         {std::optional<std::uint32_t>(), std::optional<std::uint32_t>(0)}) {
        dhcp.SetEnabled("cvtest0", enabled);
        EXPECT_EQ(dhcp.Release("cvtest0", 1000), static_cast<SysError>(EOPNOTSUPP));
        EXPECT_EQ(dhcp.Renew("cvtest0", 1000), static_cast<SysError>(EOPNOTSUPP));
    }
    EXPECT_EQ(dhcp.Remembered("cvtest0"), "dhclient-that-must-not-run cvtest0");
}

TEST(Process, ExitCodesOutputAndTimeOuts) {
    ProcessResult r =
        RunProcess({"sh", "-c", "echo out; echo err >&2; exit 3"}, {.captureOutput = true});
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.output, "out\nerr\n");

    ProcessResult missing = RunProcess({"corvane-no-such-program"});
    EXPECT_FALSE(missing.started);
    EXPECT_EQ(missing.error, static_cast<SysError>(ENOENT));

    ProcessResult slow = RunProcess({"sleep", "30"}, {.timeoutMs = 50});
    EXPECT_TRUE(slow.timedOut);
    EXPECT_EQ(slow.exitCode, -1);

    // A daemon that keeps the output open must not keep us waiting.
    ProcessResult daemon = RunProcess({"sh", "-c", "sleep 30 & echo started"},
                                      {.timeoutMs = 20000, .captureOutput = true});
    EXPECT_FALSE(daemon.timedOut);
    EXPECT_EQ(daemon.output, "started\n");
}

TEST(NetShellRunner, ScriptCommandLineAndRun) {
    TempDir dir;
    LinuxNetShellRunner runner("/opt/my corvane");
    EXPECT_EQ(runner.SystemDirectory(), "/opt/my corvane");
    EXPECT_EQ(runner.CommandLine("config.cfg"), "'/opt/my corvane/corvane-netsh' -f config.cfg");
    EXPECT_EQ(ShellWord("it's"), "'it'\\''s'");
    EXPECT_EQ(ShellWord(""), "''");

    const std::string script = dir.file("config.cfg");
    TempDir::Write(script, "old content that is longer\n");
    ASSERT_TRUE(runner.WriteScript(script, {"line 1", "line 2"}));
    EXPECT_EQ(TempDir::Read(script), "line 1\nline 2\n");
    EXPECT_FALSE(runner.WriteScript(dir.file("missing/config.cfg"), {"x"}));

    NetShellResult r = runner.Run("cat " + ShellWord(script) + "; exit 1");
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "line 1\nline 2\n");
    runner.DeleteScript(script);
    EXPECT_FALSE(std::filesystem::exists(script));
}

} // namespace
} // namespace corvane
#endif
