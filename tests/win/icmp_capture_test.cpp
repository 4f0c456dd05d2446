// The ICMP service, the resolver and the capture socket of Windows, under
// Wine. Echo requests go to 127.0.0.1, or to addresses of the namespace that
// wine_env.sh made.
#include "core/icmp/icmp_engine.h"
#include "core/lookup/lookup_text.h"
#include "platform/capture_source.h"
#include "platform/host_resolver.h"
#include "platform/win32/icmp_echo_win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace corvane;

namespace {

bool OwnNamespace() {
    const char* v = std::getenv("CORVANE_WINE_NETNS");
    return v && *v == '1';
}

const std::uint32_t kLoopback = ToNetworkOrder(0x7F000001);

TEST(IcmpService, OpenFailsByWhatIsMissing) {
    struct Case {
        const char* library;
        IcmpOpenResult result;
    };
    const Case cases[] = {
        {"icmp.dll", IcmpOpenResult::Ok},
        {"iphlpapi.dll", IcmpOpenResult::Ok}, // where newer systems keep it
        {"corvane_no_such_library.dll", IcmpOpenResult::ServiceMissing},
        {"standin_full.dll", IcmpOpenResult::EntryPointsMissing},
    };
    for (const Case& c : cases) {
        auto service = CreateWin32IcmpEcho(c.library);
        EXPECT_EQ(service->Open(), c.result) << c.library;
        // Opening again after a failure fails the same way; Close is harmless.
        EXPECT_EQ(service->Open(), c.result) << c.library;
        service->Close();
        service->Close();
    }
}

TEST(IcmpService, EchoFromLoopback) {
    auto service = CreateWin32IcmpEcho();
    IcmpEchoReply reply;
    SysError error = 0;
    const std::uint8_t text[] = "Pinging fr";
    EchoRequest request{kLoopback, {text, 10}, {64, 0, 0, 0, 0}, 2000};
    EXPECT_EQ(service->SendEcho(request, reply, error), 0u) << "not open yet";
    EXPECT_EQ(error, kIpGeneralFailure);

    ASSERT_EQ(service->Open(), IcmpOpenResult::Ok);
    struct Case {
        std::size_t size;
        std::uint8_t flags;
    };
    for (Case c : {Case{10, 0}, Case{0, 0}, Case{1400, kIpFlagDontFragment}}) {
        std::vector<std::uint8_t> data(c.size, 'x');
        request.data = data;
        request.options.Flags = c.flags;
        reply.DataSize = 9999;
        EXPECT_EQ(service->SendEcho(request, reply, error), 1u) << c.size;
        EXPECT_EQ(error, 0u) << c.size;
        EXPECT_EQ(reply.Status, kIpSuccess);
        EXPECT_EQ(reply.Address, kLoopback);
        EXPECT_EQ(reply.DataSize, c.size);
        EXPECT_LT(reply.RoundTripTime, 2000u);
    }
}

TEST(IcmpService, SilenceIsATimeOut) {
    if (!OwnNamespace())
        GTEST_SKIP() << "echo requests leave loopback only inside our own namespace";
    auto service = CreateWin32IcmpEcho();
    ASSERT_EQ(service->Open(), IcmpOpenResult::Ok);
    // 192.0.2.1 is the namespace's router, which nobody answers for.
    IcmpEchoReply reply;
    SysError error = 0;
    EchoRequest request{ToNetworkOrder(0xC0000201), {}, {64, 0, 0, 0, 0}, 300};
    EXPECT_EQ(service->SendEcho(request, reply, error), 0u);
    EXPECT_EQ(error, kIpReqTimedOut);
}

TEST(IcmpEngine, PingsThroughTheServiceAndTheResolver) {
    auto service = CreateWin32IcmpEcho();
    auto resolver = CreateSystemHostResolver();
    TICMP engine(*service, *resolver);
    engine.Timeout = 2000;
    std::vector<std::string> shown;
    engine.OnDisplay = [&](TICMP&, const std::string& m) { shown.push_back(m); };
    for (const char* target : {"127.0.0.1", "localhost"}) {
        engine.SetAddress(target);
        EXPECT_EQ(engine.Ping(), 1) << target;
        EXPECT_EQ(engine.HostIP(), "127.0.0.1") << target;
        EXPECT_EQ(engine.GetErrorString(), "No error") << target;
        EXPECT_EQ(engine.Reply().DataSize, 56) << target;
    }
    EXPECT_TRUE(shown.empty());
}

TEST(Resolver, NamesAndFailures) {
    auto resolver = CreateSystemHostResolver();
    HostEntry entry;
    ASSERT_EQ(resolver->GetHostByName("localhost", entry), kSuccess);
    ASSERT_FALSE(entry.addresses.empty());
    EXPECT_EQ(entry.addresses[0], kLoopback);
    EXPECT_FALSE(entry.name.empty());
    ASSERT_EQ(resolver->GetHostByName("127.0.0.1", entry), kSuccess);
    EXPECT_EQ(entry.addresses, std::vector<std::uint32_t>{kLoopback});
    if (OwnNamespace()) {
        // The namespace's name server does not exist, so nothing answers.
        SysError e = resolver->GetHostByName("no-such-host.invalid", entry);
        EXPECT_TRUE(e == kHostNotFound || e == kTryAgain || e == kNoData) << e;
        EXPECT_TRUE(entry.addresses.empty());
    }
}

// Wine passes the raw socket of protocol 0 to Linux, which refuses it, so
// only the capture's first error path can be checked here.
TEST(Capture, WineRefusesTheRawSocket) {
    auto capture = CreateSystemCaptureSource();
    for (const char* address : {"192.0.2.10", "127.0.0.1"}) {
        int notified = 0;
        CaptureStartResult r = capture->Start(address, [&] { ++notified; });
        EXPECT_EQ(r.failure, CaptureFailure::SocketInit) << address;
        EXPECT_EQ(r.error, 10043u) << address; // WSAEPROTONOSUPPORT
        EXPECT_EQ(CaptureFailureMessage(r.failure, r.error),
                  "Socket initialisation error (10043).");
        EXPECT_FALSE(capture->Running());
        capture->Stop();
        PacketBatch batch;
        EXPECT_EQ(capture->Take(batch), 0u);
        EXPECT_EQ(notified, 0);
    }
}

} // namespace
