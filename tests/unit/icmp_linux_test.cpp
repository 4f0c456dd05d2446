// The Linux ICMP service against the loopback interface only.
#include "platform/linux/icmp_echo_linux.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "core/addr/inet.h"

namespace {

using namespace corvane;

class LinuxIcmp : public ::testing::TestWithParam<IcmpSocketKind> {
  protected:
    void SetUp() override {
        service = CreateLinuxIcmpEcho(GetParam());
        if (service->Open() != IcmpOpenResult::Ok)
            GTEST_SKIP() << "this socket kind is not allowed for this user";
    }
    std::unique_ptr<IcmpEcho> service;
};

EchoRequest Request(const std::string& address, const std::string& data, uint32_t timeout = 1000) {
    static std::string keep;
    keep = data;
    EchoRequest r;
    r.destination = InetAddr(address);
    r.data = {reinterpret_cast<const uint8_t*>(keep.data()), keep.size()};
    r.options.Ttl = 64;
    r.timeoutMs = timeout;
    return r;
}

TEST_P(LinuxIcmp, LoopbackAnswersWithTheDataSize) {
    for (size_t size : {0u, 10u, 56u, 1400u}) {
        IcmpEchoReply reply{};
        SysError error = 99;
        EXPECT_EQ(service->SendEcho(Request("127.0.0.1", std::string(size, 'x')), reply, error), 1u)
            << size;
        EXPECT_EQ(error, 0u);
        EXPECT_EQ(reply.DataSize, size);
        EXPECT_EQ(reply.Address, InetAddr("127.0.0.1"));
        EXPECT_LT(reply.RoundTripTime, 1000u);
    }
}

TEST_P(LinuxIcmp, RepliesGoToTheirOwnRequester) {
    // Two services pinging at once: each must take only its own replies, so
    // each sees its own data size, however the kernel interleaves them.
    auto other = CreateLinuxIcmpEcho(GetParam());
    ASSERT_EQ(other->Open(), IcmpOpenResult::Ok);
    int wrong = 0;
    std::thread t([&] {
        std::string data(33, 'b');
        EchoRequest r;
        r.destination = InetAddr("127.0.0.1");
        r.data = {reinterpret_cast<const uint8_t*>(data.data()), data.size()};
        r.options.Ttl = 64;
        r.timeoutMs = 1000;
        for (int i = 0; i < 200; ++i) {
            IcmpEchoReply reply{};
            SysError error = 0;
            if (other->SendEcho(r, reply, error) != 1 || reply.DataSize != 33)
                ++wrong;
        }
    });
    for (int i = 0; i < 200; ++i) {
        IcmpEchoReply reply{};
        SysError error = 0;
        if (service->SendEcho(Request("127.0.0.1", std::string(20, 'a')), reply, error) != 1 ||
            reply.DataSize != 20)
            ++wrong;
    }
    t.join();
    EXPECT_EQ(wrong, 0);
}

TEST_P(LinuxIcmp, BroadcastIsABadDestination) {
    IcmpEchoReply reply{};
    SysError error = 0;
    EXPECT_EQ(service->SendEcho(Request("255.255.255.255", "x"), reply, error), 0u);
    EXPECT_EQ(error, kIpBadDestination);
}

TEST_P(LinuxIcmp, ClosedServiceFailsInsteadOfSending) {
    service->Close();
    IcmpEchoReply reply{};
    SysError error = 0;
    EXPECT_EQ(service->SendEcho(Request("127.0.0.1", "x"), reply, error), 0u);
    EXPECT_EQ(error, kIpGeneralFailure);
}

INSTANTIATE_TEST_SUITE_P(Sockets, LinuxIcmp,
                         ::testing::Values(IcmpSocketKind::Datagram, IcmpSocketKind::Raw),
                         [](const auto& info) {
                             return info.param == IcmpSocketKind::Raw ? "Raw" : "Datagram";
                         });

} // namespace
