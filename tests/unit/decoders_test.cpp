#include "core/lookup/decoders.h"

#include <gtest/gtest.h>

#include "support/router_packets.h"

namespace {

using namespace corvane;
namespace pk = corvane::packets;
using Rows = std::vector<NetworkRow>;

Rows Decode(const std::vector<pk::Bytes>& packets, uint32_t protocols = kAllProtocols) {
    NetworkList list;
    for (const pk::Bytes& p : packets)
        DecodePacket(p.data(), p.size(), protocols, list);
    return list.rows();
}

constexpr const char* kHost = "255.255.255.255";

struct Scenario {
    const char* name;
    std::vector<pk::Bytes> packets;
    uint32_t protocols;
    Rows rows;
};

class DecoderScenarios : public ::testing::TestWithParam<Scenario> {};

TEST_P(DecoderScenarios, ListTheRowsInTheOrderFound) {
    const Scenario& s = GetParam();
    EXPECT_EQ(Decode(s.packets, s.protocols), s.rows);
}

pk::Bytes TcpFrom1985() {
    pk::Bytes tcp(40, 0);
    pk::Put16(tcp, 0, 1985);
    pk::Put16(tcp, 2, 80);
    pk::Put32(tcp, 24, pk::Addr("10.5.5.5")); // read as the virtual address
    return pk::Ipv4(6, "10.5.5.6", "10.5.5.7", 64, tcp);
}

INSTANTIATE_TEST_SUITE_P(
    Protocols, DecoderScenarios,
    ::testing::Values(
        Scenario{"HsrpActiveStandbyAndRepeats",
                 {pk::HsrpHello("10.0.0.2", "10.0.0.1"),
                  pk::HsrpHello("10.0.0.3", "10.0.0.1", 1, 90, 8),
                  pk::HsrpHello("10.0.0.2", "10.0.0.1"), pk::HsrpHello("10.0.0.3", "10.0.0.1")},
                 kAllProtocols,
                 {{"10.0.0.1", kHost, "HSRP"},
                  {"10.0.0.2", kHost, "HSRP"},
                  {"10.0.0.3", kHost, "HSRP"}}},
        Scenario{"VrrpFirstAddressOnly",
                 {pk::VrrpAdvert("192.168.0.2", {"192.168.0.1", "192.168.0.99"})},
                 kAllProtocols,
                 {{"192.168.0.1", kHost, "VRRP"}, {"192.168.0.2", kHost, "VRRP"}}},
        Scenario{"OspfHelloGivesTheMaskOtherTypesNothing",
                 {pk::OspfPacket("172.16.4.1", "255.255.255.0", 4),
                  pk::OspfPacket("172.16.4.1", "255.255.255.0"),
                  pk::OspfPacket("172.16.4.1", "255.255.0.0")},
                 kAllProtocols,
                 {{"172.16.4.1", "255.255.255.0", "OSPF"}}},
        Scenario{"RipVersionsCountAsOne",
                 {pk::RipResponse("10.9.9.1", 2, {{"10.1.0.0", "255.255.0.0"}}),
                  pk::RipResponse("10.9.9.1", 1, {{"10.1.0.0", ""}})},
                 kAllProtocols,
                 {{"10.9.9.1", kHost, "RIPV2"}}},
        Scenario{"RipToAnotherPortIsNotRip",
                 {pk::RipResponse("10.9.9.1", 2, {}, 521)},
                 kAllProtocols,
                 {}},
        Scenario{"OneRowPerProtocol",
                 {pk::OspfPacket("10.7.7.7", "255.255.255.0"), pk::EigrpHello("10.7.7.7"),
                  pk::HsrpHello("10.8.8.8", "10.8.8.1"), pk::VrrpAdvert("10.8.8.8", {"10.8.8.2"})},
                 kAllProtocols,
                 {{"10.7.7.7", "255.255.255.0", "OSPF"},
                  {"10.7.7.7", kHost, "EIGRP"},
                  {"10.8.8.1", kHost, "HSRP"},
                  {"10.8.8.8", kHost, "HSRP"},
                  {"10.8.8.2", kHost, "VRRP"},
                  {"10.8.8.8", kHost, "VRRP"}}},
        Scenario{"HsrpNeedsOnlyTheSourcePort",
                 {pk::Udp("10.4.4.4", "10.4.4.9", 1985, 7777, pk::Bytes(20, 0)), TcpFrom1985()},
                 kAllProtocols,
                 {{"0.0.0.0", kHost, "HSRP"},
                  {"10.4.4.4", kHost, "HSRP"},
                  {"10.5.5.5", kHost, "HSRP"},
                  {"10.5.5.6", kHost, "HSRP"}}},
        Scenario{"UncheckedProtocolsAddNothing",
                 {pk::HsrpHello("10.0.0.2", "10.0.0.1"), pk::EigrpHello("10.3.3.3"),
                  pk::RipResponse("10.9.9.1", 2, {})},
                 kProtocolEIGRP | kProtocolVRRP,
                 {{"10.3.3.3", kHost, "EIGRP"}}},
        Scenario{"OtherTrafficAddsNothing",
                 {pk::Udp("10.0.0.5", "10.0.0.6", 53, 53, pk::Bytes(40, 0)),
                  pk::Ipv4(1, "10.0.0.5", "10.0.0.6", 64, pk::Bytes(40, 0))},
                 kAllProtocols,
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Decoders, CheckingABoxDuringACaptureCountsTheNextHello) {
    NetworkList list;
    pk::Bytes hello = pk::HsrpHello("10.0.0.2", "10.0.0.1");
    DecodePacket(hello.data(), hello.size(), kAllProtocols & ~kProtocolHSRP, list);
    EXPECT_EQ(list.size(), 0u);
    EXPECT_EQ(DecodePacket(hello.data(), hello.size(), kAllProtocols, list), 2);
}

TEST(Decoders, RipVersionIsWrittenInDecimal) {
    pk::Bytes p = pk::RipResponse("10.9.9.1", 2, {});
    p[29] = 200;
    EXPECT_EQ(Decode({p}), (Rows{{"10.9.9.1", kHost, "RIPV200"}}));
}

// Every decoder ignores a packet cut short of the last byte it reads, at every
// length, and decodes it once that byte is there.
struct Truncation {
    const char* name;
    pk::Bytes packet;
    size_t minimum;
    int rows;
};

class TruncatedPackets : public ::testing::TestWithParam<Truncation> {};

TEST_P(TruncatedPackets, AreIgnoredBelowTheLastOffsetRead) {
    const Truncation& t = GetParam();
    ASSERT_GE(t.packet.size(), t.minimum);
    for (size_t length = 0; length <= t.minimum; ++length) {
        // A fresh copy of exactly `length` bytes, so a read past it is caught
        // by the sanitizer build.
        std::vector<uint8_t> cut(t.packet.begin(), t.packet.begin() + static_cast<long>(length));
        NetworkList list;
        int added = DecodePacket(cut.data(), cut.size(), kAllProtocols, list);
        EXPECT_EQ(added, length < t.minimum ? 0 : t.rows) << "length " << length;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryLength, TruncatedPackets,
    ::testing::Values(Truncation{"Hsrp", pk::HsrpHello("10.0.0.2", "10.0.0.1"), 48, 2},
                      Truncation{"Vrrp", pk::VrrpAdvert("10.0.0.2", {"10.0.0.1"}), 32, 2},
                      Truncation{"Ospf", pk::OspfPacket("10.0.0.2", "255.0.0.0"), 48, 1},
                      Truncation{"Eigrp", pk::EigrpHello("10.0.0.2"), 20, 1},
                      Truncation{"Rip", pk::RipResponse("10.0.0.2", 1, {{"10.0.0.0", ""}}), 30, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NetworkList, MatchesAddressTextAndProtocolExactly) {
    NetworkList list;
    EXPECT_TRUE(list.AddUnlessListed("10.0.0.1", kHost, "HSRP"));
    EXPECT_FALSE(list.AddUnlessListed("10.0.0.1", "255.0.0.0", "HSRP"));
    EXPECT_TRUE(list.AddUnlessListed("10.0.0.01", kHost, "HSRP"));
    EXPECT_TRUE(list.AddUnlessListed("10.0.0.1", kHost, "hsrp"));
    EXPECT_TRUE(list.AddUnlessListed("10.0.0.1", kHost, "RIPV1"));
    EXPECT_FALSE(list.AddUnlessListed("10.0.0.1", kHost, "RIPV2"));
    EXPECT_FALSE(list.AddUnlessListed("10.0.0.1", kHost, "RIP"));
    EXPECT_EQ(list.size(), 4u);
    list.Clear();
    EXPECT_TRUE(list.AddUnlessListed("10.0.0.1", kHost, "HSRP"));
}

} // namespace
