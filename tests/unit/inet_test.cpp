#include "core/addr/inet.h"

#include <gtest/gtest.h>

namespace {

using corvane::InetAddr;
using corvane::InetNtoa;
using corvane::kInaddrNone;
using corvane::ToNetworkOrder;

struct AddrCase {
    const char* text;
    uint32_t hostOrder; // kInaddrNone when rejected
};

class InetAddrTable : public ::testing::TestWithParam<AddrCase> {};

TEST_P(InetAddrTable, ParsesLikeTheSocketLibrary) {
    const AddrCase& c = GetParam();
    uint32_t expected = c.hostOrder == kInaddrNone ? kInaddrNone : ToNetworkOrder(c.hostOrder);
    EXPECT_EQ(InetAddr(c.text), expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, InetAddrTable,
    ::testing::Values(AddrCase{"10.0.0.1", 0x0A000001}, AddrCase{"10.0.0.01", 0x0A000001},
                      AddrCase{"010.0.0.1", 0x08000001}, AddrCase{"0x7f.1", 0x7F000001},
                      AddrCase{"127.1", 0x7F000001}, AddrCase{"1.2.771", 0x01020303},
                      AddrCase{"3232235777", 0xC0A80101}, AddrCase{"1.2.3.4 trailing", 0x01020304},
                      AddrCase{"0.0.0.0", 0}, AddrCase{"255.255.255.255", kInaddrNone},
                      AddrCase{"", kInaddrNone}, AddrCase{"host.example", kInaddrNone},
                      AddrCase{"1.2.3.256", kInaddrNone}, AddrCase{"1.2.3.4.5", kInaddrNone},
                      AddrCase{"1.2.3.", kInaddrNone}, AddrCase{".1.2.3", kInaddrNone},
                      AddrCase{"08.1.1.1", kInaddrNone}, AddrCase{"0x.1.1.1", kInaddrNone},
                      AddrCase{"1.2.3.4x", kInaddrNone}, AddrCase{" 1.2.3.4", kInaddrNone},
                      AddrCase{"4294967296", kInaddrNone}, AddrCase{"256.1", kInaddrNone},
                      AddrCase{"1.16777216", kInaddrNone}, AddrCase{"-1.2.3.4", kInaddrNone}));

TEST(InetNtoa, WritesCanonicalDecimal) {
    EXPECT_EQ(InetNtoa(ToNetworkOrder(0xC0A80001)), "192.168.0.1");
    EXPECT_EQ(InetNtoa(ToNetworkOrder(0xFFFFFFFF)), "255.255.255.255");
    EXPECT_EQ(InetNtoa(0), "0.0.0.0");
    EXPECT_EQ(InetNtoa(InetAddr("010.001.1.1")), "8.1.1.1");
}

} // namespace
