#include "core/lookup/pcap.h"

#include <gtest/gtest.h>

#include "support/router_packets.h"

namespace {

using namespace corvane;
namespace pk = corvane::packets;

void Le32(pk::Bytes& f, uint32_t v, bool big) {
    for (int i = 0; i < 4; ++i)
        f.push_back(static_cast<uint8_t>(big ? v >> (24 - 8 * i) : v >> (8 * i)));
}

pk::Bytes File(uint32_t link, const std::vector<pk::Bytes>& frames, bool big = false,
               uint32_t magic = 0xA1B2C3D4) {
    pk::Bytes f;
    Le32(f, magic, big);
    f.insert(f.end(), {0, 0, 0, 0}); // version (not read)
    Le32(f, 0, big);
    Le32(f, 0, big);
    Le32(f, 65535, big);
    Le32(f, link, big);
    for (const pk::Bytes& frame : frames) {
        Le32(f, 1, big);
        Le32(f, 2, big);
        Le32(f, static_cast<uint32_t>(frame.size()), big);
        Le32(f, static_cast<uint32_t>(frame.size()), big);
        f.insert(f.end(), frame.begin(), frame.end());
    }
    return f;
}

pk::Bytes Prefixed(pk::Bytes head, const pk::Bytes& packet) {
    head.insert(head.end(), packet.begin(), packet.end());
    return head;
}

std::vector<pk::Bytes> Read(const pk::Bytes& file, PcapSummary* summary = nullptr) {
    std::vector<pk::Bytes> out;
    PcapSummary s =
        ForEachPcapIpv4(file, [&](const uint8_t* p, size_t n) { out.emplace_back(p, p + n); });
    if (summary)
        *summary = s;
    return out;
}

const pk::Bytes kIp = pk::EigrpHello("10.0.0.1");

struct LinkCase {
    const char* name;
    uint32_t link;
    pk::Bytes frame;
    bool ipv4;
};

class PcapLinks : public ::testing::TestWithParam<LinkCase> {};

TEST_P(PcapLinks, FindTheIpv4Header) {
    const LinkCase& c = GetParam();
    for (bool big : {false, true}) {
        auto packets = Read(File(c.link, {c.frame}, big));
        if (c.ipv4)
            EXPECT_EQ(packets, std::vector<pk::Bytes>{kIp});
        else
            EXPECT_TRUE(packets.empty());
    }
}

pk::Bytes Ether(std::vector<uint8_t> tags, uint16_t type) {
    pk::Bytes h(12, 0xAA);
    for (uint8_t t : tags)
        h.push_back(t);
    pk::Append16(h, type);
    return h;
}

INSTANTIATE_TEST_SUITE_P(
    Links, PcapLinks,
    ::testing::Values(
        LinkCase{"Ethernet", 1, Prefixed(Ether({}, 0x0800), kIp), true},
        LinkCase{"EthernetVlan", 1, Prefixed(Ether({0x81, 0, 0, 5}, 0x0800), kIp), true},
        LinkCase{"EthernetIpv6", 1, Prefixed(Ether({}, 0x86DD), kIp), false},
        LinkCase{"EthernetHeaderOnly", 1, Ether({0x81, 0, 0, 5}, 0x0800), false},
        LinkCase{"Raw", 101, kIp, true}, LinkCase{"Ipv4", 228, kIp, true},
        LinkCase{"RawNotIpv4", 101, pk::Bytes(30, 0x60), false},
        LinkCase{"Sll", 113, Prefixed(Prefixed(pk::Bytes(14, 0), {0x08, 0x00}), kIp), true},
        LinkCase{"Sll2", 276, Prefixed(Prefixed({0x08, 0x00}, pk::Bytes(18, 0)), kIp), true},
        LinkCase{"Null", 0, Prefixed({2, 0, 0, 0}, kIp), true},
        LinkCase{"NullOtherFamily", 0, Prefixed({24, 0, 0, 0}, kIp), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Pcap, RejectsWhatIsNoCaptureFile) {
    PcapSummary s;
    EXPECT_TRUE(Read(pk::Bytes(10, 0), &s).empty());
    EXPECT_EQ(s.status, PcapStatus::NotPcap);
    EXPECT_TRUE(Read(pk::Bytes(100, 0x0A), &s).empty());
    EXPECT_EQ(s.status, PcapStatus::NotPcap);
    Read(File(127, {kIp}), &s);
    EXPECT_EQ(s.status, PcapStatus::UnsupportedLink);
}

TEST(Pcap, NanosecondFilesRead) {
    EXPECT_EQ(Read(File(101, {kIp}, true, 0xA1B23C4D)).size(), 1u);
}

TEST(Pcap, StopsAtATruncatedRecordAfterTheGoodOnes) {
    pk::Bytes file = File(101, {kIp, kIp});
    for (size_t cut = 1; cut < kIp.size() + 16; ++cut) {
        PcapSummary s;
        pk::Bytes shorter(file.begin(), file.end() - static_cast<long>(cut));
        EXPECT_EQ(Read(shorter, &s).size(), 1u) << cut;
        EXPECT_EQ(s.status, PcapStatus::Truncated) << cut;
    }
    PcapSummary s;
    EXPECT_EQ(Read(file, &s).size(), 2u);
    EXPECT_EQ(s.status, PcapStatus::Ok);
    EXPECT_EQ(s.records, 2u);
}

} // namespace
