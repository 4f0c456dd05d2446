#include "core/addr/ip.h"

#include <gtest/gtest.h>

using corvane::ip;
using corvane::iphost;
using corvane::ipnetwork;

namespace {

struct ParseCase {
    const char* text;
    bool valid;
    uint32_t value; // value() as read back (0 when invalid)
    const char* shown;
};

class IpParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(IpParse, ValidityValueAndText) {
    const ParseCase& c = GetParam();
    ip a(c.text);
    EXPECT_EQ(a.valid(), c.valid);
    EXPECT_EQ(a.value(), c.value);
    EXPECT_EQ(a.text(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    DottedQuads, IpParse,
    ::testing::Values(
        ParseCase{"", false, 0, "0.0.0.0"}, ParseCase{" 1.2.3.4", false, 0, "0.0.0.0"},
        ParseCase{"1.2.3.4 ", false, 0, "0.0.0.0"}, ParseCase{"1.2.3.4.5", false, 0, "0.0.0.0"},
        ParseCase{"1.2.3", false, 0, "0.0.0.0"}, ParseCase{"1.2.3.4.", false, 0, "0.0.0.0"},
        ParseCase{"1..2.3", false, 0, "0.0.0.0"}, ParseCase{".1.2.3", false, 0, "0.0.0.0"},
        ParseCase{"1.2.3.256", false, 0, "0.0.0.0"}, ParseCase{"1.2.-3.4", false, 0, "0.0.0.0"},
        ParseCase{"1.2.3.a", false, 0, "0.0.0.0"}, ParseCase{"1.2.3.\xe9", false, 0, "0.0.0.0"},
        ParseCase{"01.02.03.04", true, 0x01020304, "01.02.03.04"},
        ParseCase{"010.001.1.1", true, 0x0A010101, "010.001.1.1"},
        ParseCase{"000000001.1.1.1", true, 0x01010101, "000000001.1.1.1"},
        ParseCase{"0000000001.1.1.1", false, 0, "0.0.0.0"},
        ParseCase{"192.168.1.1", true, 0xC0A80101, "192.168.1.1"}));

struct ClassCase {
    const char* text;
    bool host, zero, mask, maskLike, loopback, a, b, c;
};

class IpClassify : public ::testing::TestWithParam<ClassCase> {};

TEST_P(IpClassify, Flags) {
    const ClassCase& c = GetParam();
    ip v(c.text);
    ASSERT_TRUE(v.valid());
    EXPECT_EQ(v.isHost(), c.host);
    EXPECT_EQ(v.isZero(), c.zero);
    EXPECT_EQ(v.isMask(), c.mask);
    EXPECT_EQ(v.isMaskLike(), c.maskLike);
    EXPECT_EQ(v.isLoopback(), c.loopback);
    EXPECT_EQ(v.isClassA(), c.a);
    EXPECT_EQ(v.isClassB(), c.b);
    EXPECT_EQ(v.isClassC(), c.c);
}

//                         text               host   zero   mask   like   loop   A      B      C
INSTANTIATE_TEST_SUITE_P(
    Values, IpClassify,
    ::testing::Values(
        ClassCase{"0.0.0.0", true, true, false, false, false, false, false, false},
        ClassCase{"255.255.255.0", false, false, true, true, false, false, false, false},
        ClassCase{"255.255.255.252", false, false, true, true, false, false, false, false},
        ClassCase{"255.255.255.254", true, false, false, false, true, false, false, false},
        ClassCase{"255.255.255.255", false, false, true, true, false, false, false, false},
        ClassCase{"255.0.0.0", false, false, true, true, false, false, false, false},
        ClassCase{"254.0.0.0", true, false, false, false, false, false, false, false},
        ClassCase{"128.0.0.0", true, false, false, false, false, false, true, false},
        ClassCase{"255.0.255.0", true, false, false, false, true, false, false, false},
        ClassCase{"0.0.0.255", false, false, false, true, false, true, false, false},
        ClassCase{"0.0.0.1", false, false, false, true, false, true, false, false},
        ClassCase{"0.255.255.255", false, false, false, true, false, true, false, false},
        ClassCase{"0.0.0.2", true, false, false, false, false, true, false, false},
        ClassCase{"127.0.0.1", true, false, false, false, true, false, false, false},
        ClassCase{"255.1.2.3", true, false, false, false, true, false, false, false},
        ClassCase{"255.255.0.0", false, false, true, true, false, false, false, false},
        ClassCase{"126.1.1.1", true, false, false, false, false, true, false, false},
        ClassCase{"191.255.255.255", true, false, false, false, false, false, true, false},
        ClassCase{"192.0.0.1", true, false, false, false, false, false, false, true},
        ClassCase{"223.1.1.1", true, false, false, false, false, false, false, true},
        ClassCase{"224.0.0.1", true, false, false, false, false, false, false, false}));

TEST(Ip, FailedParseLeavesOnlyZeroSet) {
    ip a("10.0.0.1");
    a.assign("10.0.0");
    EXPECT_FALSE(a.valid());
    EXPECT_TRUE(a.isZero());
    EXPECT_FALSE(a.isHost() || a.isClassA() || a.isMask());
}

TEST(Ip, OverlongAssignKeepsTextAndFlags) {
    ip a("10.0.0.1");
    a.assign("0000000010.0.0.1");
    EXPECT_FALSE(a.valid());
    EXPECT_TRUE(a.isClassA()); // flags of the last parse stay
    EXPECT_EQ(a.text(), "0.0.0.0");
    EXPECT_EQ(ip("0000000010.0.0.1").isZero(), false); // never parsed at all
}

TEST(Ip, ValueFormattingAndByteOrder) {
    ip a(uint32_t{0xC0A80101});
    EXPECT_EQ(a.text(), "192.168.1.1");
    EXPECT_TRUE(a.valid());
    const uint32_t n = a.networkValue();
    const auto* bytes = reinterpret_cast<const unsigned char*>(&n);
    EXPECT_EQ(bytes[0], 192);
    EXPECT_EQ(bytes[3], 1);
    EXPECT_EQ(ip("x").networkValue(), 0u);

    ip b("192.168.1.77");
    b.applyMask("255.255.255.0");
    EXPECT_EQ(b.text(), "192.168.1.0");
}

TEST(IpHost, NetworkAndBroadcast) {
    iphost h("192.168.1.77", "255.255.255.0");
    EXPECT_TRUE(h.valid());
    EXPECT_EQ(ip(h.network()).text(), "192.168.1.0");
    EXPECT_EQ(ip(h.broadcast()).text(), "192.168.1.255");

    iphost bad("192.168.1.77", "");
    EXPECT_FALSE(bad.valid());
    EXPECT_EQ(bad.network(), 0u);
    EXPECT_EQ(bad.broadcast(), 0xFFFFFFFFu);
}

TEST(IpNetwork, Contains) {
    ipnetwork net("10.1.2.3", "255.0.0.0");
    EXPECT_TRUE(net.contains("10.200.0.1"));
    EXPECT_FALSE(net.contains("11.0.0.1"));
    EXPECT_FALSE(net.contains(""));
    EXPECT_FALSE(ipnetwork("10.1.2.3", "").contains("0.0.0.0"));
}

TEST(IpChecks, NamedChecks) {
    EXPECT_EQ(corvane::ClassfulDefaultMask("10.0.0.1"), "255.0.0.0");
    EXPECT_EQ(corvane::ClassfulDefaultMask("172.16.0.1"), "255.255.0.0");
    EXPECT_EQ(corvane::ClassfulDefaultMask("192.168.0.1"), "255.255.255.0");
    EXPECT_EQ(corvane::ClassfulDefaultMask("224.0.0.1"), "");
    EXPECT_EQ(corvane::ClassfulDefaultMask("127.0.0.1"), "");

    EXPECT_TRUE(corvane::IsGatewayInRange("10.0.0.1", "10.0.0.5", "255.255.255.0"));
    EXPECT_FALSE(corvane::IsGatewayInRange("10.0.0.0", "10.0.0.5", "255.255.255.0"));
    EXPECT_FALSE(corvane::IsGatewayInRange("10.0.0.255", "10.0.0.5", "255.255.255.0"));
    EXPECT_FALSE(corvane::IsGatewayInRange("10.0.1.1", "10.0.0.5", "255.255.255.0"));

    EXPECT_FALSE(corvane::IsUsableSystemAddress("0.0.0.0"));
    EXPECT_FALSE(corvane::IsUsableSystemAddress("127.0.0.1"));
    EXPECT_TRUE(corvane::IsUsableSystemAddress("10.0.0.5"));
    EXPECT_TRUE(corvane::IsAcceptableNetworkMask("0.0.0.255"));
    EXPECT_FALSE(corvane::IsValidSubnetMask("0.0.0.255"));
}

} // namespace
