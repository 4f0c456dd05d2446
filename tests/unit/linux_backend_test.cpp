#ifdef __linux__
#include <gtest/gtest.h>

#include <linux/if.h>
#include <linux/if_arp.h>

#include "platform/linux/dhcp_leases.h"
#include "platform/linux/linux_platform.h"

namespace corvane {
namespace {

using namespace linux_backend;

const char* const kLeases = R"(default-duid "\000\001";
lease {
  interface "eth0";
  fixed-address 10.0.0.9;
  option dhcp-server-identifier 10.0.0.1;
  option dhcp-lease-time 600;
  expire 1 2024/03/04 10:10:00;
}
lease {
  interface "wlan0";
  fixed-address 192.168.5.20;
  option subnet-mask 255.255.255.0;
  option dhcp-lease-time 3600;
  option dhcp-server-identifier 192.168.5.1;
  renew 4 2004/03/05 14:37:00;
  expire 4 2004/03/05 15:07:00;
}
lease {
  interface "eth0";
  fixed-address 10.0.0.12;
  option dhcp-lease-time 7200;
  option dhcp-server-identifier 10.0.0.2;
  expire epoch 1709812800; # Thu Mar 07 12:00:00 2024
}
)";

TEST(DhclientLease, NewestBlockOfTheInterface) {
    auto eth = LastDhclientLease(kLeases, "eth0");
    ASSERT_TRUE(eth);
    EXPECT_EQ(eth->address, "10.0.0.12");
    EXPECT_EQ(eth->server, "10.0.0.2");
    EXPECT_EQ(eth->expires, 1709812800);
    EXPECT_EQ(eth->obtained, 1709812800 - 7200);

    auto wlan = LastDhclientLease(kLeases, "wlan0");
    ASSERT_TRUE(wlan);
    EXPECT_EQ(wlan->address, "192.168.5.20");
    EXPECT_EQ(wlan->expires, 1078499220); // 2004-03-05 15:07:00 UTC
    EXPECT_EQ(wlan->obtained, 1078499220 - 3600);

    EXPECT_FALSE(LastDhclientLease(kLeases, "eth"));
    EXPECT_FALSE(LastDhclientLease("", "eth0"));
    // A block cut off by a crash mid-write is not a lease.
    EXPECT_FALSE(
        LastDhclientLease("lease {\n  interface \"eth1\";\n  fixed-address 1.2.3.4;\n", "eth1"));
}

TEST(KeyValueLease, NetworkdFormat) {
    auto l = KeyValueLease("# comment\nADDRESS=10.1.0.7\nNETMASK=255.255.0.0\n"
                           "SERVER_ADDRESS=10.1.0.1\nLIFETIME=86400\n",
                           1000);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->address, "10.1.0.7");
    EXPECT_EQ(l->server, "10.1.0.1");
    EXPECT_EQ(l->obtained, 1000);
    EXPECT_EQ(l->expires, 87400);
    EXPECT_FALSE(KeyValueLease("SERVER_ADDRESS=10.1.0.1\n", 1000));
}

TEST(DhclientCommandLine, WhichInterfaceAndLeaseFile) {
    const std::string def = "/var/lib/dhcp/dhclient.leases";
    struct Case {
        std::vector<std::string> argv;
        std::optional<std::string> file;
    } cases[] = {
        {{"/sbin/dhclient", "-4", "-v", "-pf", "/run/d.pid", "-lf", "/tmp/x.leases", "eth0"},
         "/tmp/x.leases"},
        {{"dhclient", "eth0"}, def},
        {{"dhclient", "eth1", "eth0"}, def},
        {{"dhclient", "-r", "eth0"}, std::nullopt}, // a release run manages nothing
        {{"dhclient", "eth1"}, std::nullopt},
        {{"dhclient", "-pf", "eth0"}, std::nullopt}, // option value, not an interface
        {{"/usr/sbin/dhcpcd", "eth0"}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LeaseFileOfDhclient(c.argv, "eth0", def), c.file)
            << (c.argv.empty() ? "" : c.argv.back());
    EXPECT_EQ(SplitCommandLine(std::string_view("dhclient\0-v\0eth0\0", 17)),
              (std::vector<std::string>{"dhclient", "-v", "eth0"}));
}

TEST(LinuxMapping, InterfaceTypes) {
    const std::tuple<unsigned, bool, std::uint32_t> cases[] = {
        {ARPHRD_ETHER, false, 6},      {ARPHRD_ETHER, true, 71}, {ARPHRD_PPP, false, 23},
        {ARPHRD_LOOPBACK, false, 24},  {ARPHRD_SLIP, false, 28}, {ARPHRD_CSLIP, false, 28},
        {ARPHRD_IEEE802_TR, false, 9}, {ARPHRD_FDDI, false, 15}, {ARPHRD_IEEE80211, false, 71},
        {ARPHRD_IPGRE, false, 131},    {ARPHRD_NONE, false, 1},  {ARPHRD_INFINIBAND, false, 199},
    };
    for (auto [arp, wireless, type] : cases)
        EXPECT_EQ(IfTypeOf(arp, wireless), type) << arp;
}

TEST(LinuxMapping, OperationalStatus) {
    const unsigned upRunning = IFF_UP | IFF_RUNNING;
    const std::tuple<std::uint8_t, unsigned, std::uint32_t> cases[] = {
        {IF_OPER_UP, upRunning, 5},
        {IF_OPER_DOWN, IFF_UP, 2}, // admin up, no carrier
        {IF_OPER_DOWN, 0, 0},      // admin down
        {IF_OPER_LOWERLAYERDOWN, IFF_UP, 2},
        {IF_OPER_DORMANT, IFF_UP, 3},
        {IF_OPER_UNKNOWN, upRunning, 5}, // loopback, dummy
        {IF_OPER_UNKNOWN, IFF_UP, 2},
        {IF_OPER_UNKNOWN, 0, 0},
        {IF_OPER_NOTPRESENT, IFF_UP, 0},
    };
    for (auto [oper, flags, status] : cases)
        EXPECT_EQ(OperStatusOf(oper, flags), status) << int(oper) << " " << flags;
}

TEST(LinuxMapping, NameServersInResolverOrder) {
    EXPECT_EQ(NameServersOf("# generated\nsearch lab\nnameserver 10.0.0.53\n"
                            "nameserver fe80::1\nnameserver\t10.0.0.54 \noptions edns0\n"),
              (std::vector<std::string>{"10.0.0.53", "10.0.0.54"}));
    EXPECT_TRUE(NameServersOf("").empty());
}

TEST(LinuxMapping, ErrorTexts) {
    LinuxIpHelper helper;
    EXPECT_EQ(helper.ErrorText(2), "No such file or directory");
    EXPECT_EQ(helper.ErrorText(kNotBound), std::nullopt);
    EXPECT_EQ(helper.ErrorText(99999), std::nullopt);
    EXPECT_EQ(helper.BindingReport(), 0u);
}

} // namespace
} // namespace corvane
#endif
