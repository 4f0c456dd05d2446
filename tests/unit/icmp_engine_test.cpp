#include "core/icmp/icmp_engine.h"

#include <gtest/gtest.h>

#include "core/addr/inet.h"
#include "core/icmp/ping_lines.h"
#include "platform/sim/sim_network.h"

namespace {

using namespace corvane;

// Records every event of an engine as one line.
struct Recorder {
    std::vector<std::string> events;
    void Attach(TICMP& e) {
        e.OnDisplay = [this](TICMP&, const std::string& m) { events.push_back("display " + m); };
        e.OnEchoRequest = [this](TICMP& s) { events.push_back("request " + s.HostIP()); };
        e.OnEchoReply = [this](TICMP& s, int r) {
            events.push_back("reply " + std::to_string(r) + " " + s.GetErrorString());
        };
    }
};

class Engine : public ::testing::Test {
  protected:
    SimIcmpEcho service;
    SimHostResolver resolver;
};

TEST_F(Engine, StartsWithTheStoredDefaults) {
    TICMP e(service, resolver);
    EXPECT_EQ(e.Size, 56);
    EXPECT_EQ(e.Timeout, 4000);
    EXPECT_EQ(e.TTL, 64);
    EXPECT_EQ(e.Flags, 0);
    EXPECT_EQ(e.IPAddress(), kInaddrNone);
    EXPECT_FALSE(e.Resolved());
    EXPECT_EQ(service.opens, 1);
}

TEST_F(Engine, OpenFailuresRaiseTheirMessages) {
    const std::pair<IcmpOpenResult, const char*> cases[] = {
        {IcmpOpenResult::SocketsFailed, "Error initialising Winsock"},
        {IcmpOpenResult::ServiceMissing, "Unable to register icmp.dll"},
        {IcmpOpenResult::EntryPointsMissing, "Error loading dll functions"},
        {IcmpOpenResult::HandleFailed, "Unable to get ping handle"},
    };
    for (const auto& [result, text] : cases) {
        service.openResult = result;
        try {
            TICMP e(service, resolver);
            ADD_FAILURE() << text;
        } catch (const TICMPException& ex) {
            EXPECT_STREQ(ex.what(), text);
        }
    }
    EXPECT_EQ(service.closes, 0);
}

TEST_F(Engine, ClosesTheServiceOnDestruction) {
    { TICMP e(service, resolver); }
    EXPECT_EQ(service.closes, 1);
}

TEST(EchoPayload, IsTheTextCutOrPaddedWithBlanks) {
    const std::pair<int, std::string> cases[] = {
        {10, "Pinging fr"},
        {0, ""},
        {-5, ""},
        {45, TICMP::kPayload},
        {56, std::string(TICMP::kPayload) + std::string(11, ' ')},
        {46, std::string(TICMP::kPayload) + " "},
    };
    for (const auto& [size, text] : cases)
        EXPECT_EQ(EchoPayload(size), text) << size;
}

TEST_F(Engine, SendsTheRequestWithOptionsAndKeepsTheReply) {
    TICMP e(service, resolver);
    e.SetAddress("192.168.1.1");
    e.Size = 10;
    e.TTL = 0x1FF; // only the low byte goes out
    e.Flags = 0x102;
    e.Timeout = 2000;
    SimIcmpEcho::Answer a;
    a.reply.RoundTripTime = 7;
    a.reply.DataSize = 10;
    a.reply.Address = InetAddr("192.168.1.1");
    service.answers.push_back(a);

    ASSERT_EQ(e.Ping(), 1);
    ASSERT_EQ(service.sent.size(), 1u);
    const auto& s = service.sent[0];
    EXPECT_EQ(std::string(s.data.begin(), s.data.end()), "Pinging fr");
    EXPECT_EQ(s.request.destination, InetAddr("192.168.1.1"));
    EXPECT_EQ(s.request.options.Ttl, 0xFF);
    EXPECT_EQ(s.request.options.Flags, 0x02);
    EXPECT_EQ(s.request.timeoutMs, 2000u);
    EXPECT_EQ(e.Reply().RoundTripTime, 7u);
    EXPECT_EQ(e.Reply().DataSize, 10);
    EXPECT_EQ(e.ErrorCode(), 0u);
    EXPECT_EQ(e.GetErrorString(), "No error");
    EXPECT_EQ(e.HostName(), "192.168.1.1");
    EXPECT_EQ(e.HostIP(), "192.168.1.1");
}

TEST_F(Engine, EmptyAndOversizedRequests) {
    TICMP e(service, resolver);
    e.SetAddress("10.0.0.1");
    e.Size = 0;
    e.Ping();
    e.Size = 70000; // the service takes a 16-bit length
    e.Ping();
    ASSERT_EQ(service.sent.size(), 2u);
    EXPECT_TRUE(service.sent[0].data.empty());
    EXPECT_EQ(service.sent[1].data.size(), 0xFFFFu);
}

TEST_F(Engine, TimeOutRaisesReplyWithZeroAndTheReason) {
    TICMP e(service, resolver);
    Recorder r;
    r.Attach(e);
    e.SetAddress("10.0.0.9");
    e.Ping(); // a good one first, so the reply record holds something
    SimIcmpEcho::Answer timeout;
    timeout.replies = 0;
    timeout.error = kIpReqTimedOut;
    timeout.writesReply = false;
    service.answers.push_back(timeout);
    EXPECT_EQ(e.Ping(), 0);
    EXPECT_EQ(e.ErrorCode(), 11010u);
    EXPECT_EQ(e.Reply().RoundTripTime, 0u) << "the record is zeroed before every send";
    EXPECT_EQ(r.events,
              (std::vector<std::string>{"request 10.0.0.9", "reply 1 No error", "request 10.0.0.9",
                                        "reply 0 Request timed out"}));
}

TEST_F(Engine, ResolvesOncePerAddressChange) {
    resolver.hosts["router"] = {"router.lab", {InetAddr("10.1.1.1"), InetAddr("10.1.1.2")}};
    resolver.hosts["other"] = {"other.lab", {InetAddr("10.2.2.2")}};
    TICMP e(service, resolver);
    e.SetAddress("router");
    e.Ping();
    e.SetAddress("router");
    e.Ping();
    EXPECT_EQ(resolver.lookups, std::vector<std::string>{"router"});
    EXPECT_EQ(e.HostName(), "router.lab");
    EXPECT_EQ(e.HostIP(), "10.1.1.1");
    EXPECT_EQ(service.sent.back().request.destination, InetAddr("10.1.1.1"));
    e.SetAddress("other");
    e.Ping();
    EXPECT_EQ(resolver.lookups, (std::vector<std::string>{"router", "other"}));
    EXPECT_EQ(e.HostIP(), "10.2.2.2");
}

TEST_F(Engine, ADifferentTextOfTheSameAddressResolvesAgain) {
    TICMP e(service, resolver);
    e.SetAddress("10.0.0.1");
    e.ResolveAddr();
    EXPECT_TRUE(e.Resolved());
    e.SetAddress("10.0.0.01");
    EXPECT_FALSE(e.Resolved());
    e.Ping();
    EXPECT_EQ(e.HostName(), "10.0.0.01");
    EXPECT_EQ(e.HostIP(), "10.0.0.1");
    EXPECT_TRUE(resolver.lookups.empty());
}

TEST_F(Engine, UnresolvableTargetFailsWithoutSendingAndIsLookedUpAgain) {
    TICMP e(service, resolver);
    Recorder r;
    r.Attach(e);
    e.SetAddress("nowhere");
    EXPECT_EQ(e.Ping(), 0);
    EXPECT_EQ(e.Ping(), 0);
    EXPECT_TRUE(service.sent.empty());
    EXPECT_EQ(e.ErrorCode(), 11018u);
    EXPECT_EQ(e.GetErrorString(), "Bad Destination");
    EXPECT_EQ(resolver.lookups.size(), 2u);
    EXPECT_EQ(r.events, (std::vector<std::string>{
                            "display Unable to resolve nowhere", "display Invalid host address",
                            "display Unable to resolve nowhere", "display Invalid host address"}));
}

TEST_F(Engine, ResolveAddrKeepsTheResolverError) {
    resolver.failure = 11002;
    TICMP e(service, resolver);
    e.SetAddress("flaky");
    e.ResolveAddr();
    EXPECT_FALSE(e.Resolved());
    EXPECT_EQ(e.ErrorCode(), 11002u);
}

TEST_F(Engine, AllOnesIsLookedUpAndStillInvalid) {
    resolver.hosts["255.255.255.255"] = {"255.255.255.255", {kInaddrNone}};
    TICMP e(service, resolver);
    e.SetAddress("255.255.255.255");
    EXPECT_EQ(e.Ping(), 0);
    EXPECT_EQ(resolver.lookups, std::vector<std::string>{"255.255.255.255"});
    EXPECT_EQ(e.ErrorCode(), 11018u);
    EXPECT_TRUE(service.sent.empty());
}

TEST_F(Engine, AnAnswerWithoutAddressesIsAFailedLookup) {
    resolver.hosts["empty"] = {"empty", {}};
    TICMP e(service, resolver);
    e.SetAddress("empty");
    EXPECT_EQ(e.Ping(), 0);
    EXPECT_EQ(e.ErrorCode(), 11018u);
    EXPECT_FALSE(e.Resolved());
}

TEST_F(Engine, UnassignedEventsAreSkipped) {
    TICMP e(service, resolver);
    e.SetAddress("bad name");
    EXPECT_EQ(e.Ping(), 0);
    e.SetAddress("10.0.0.1");
    EXPECT_EQ(e.Ping(), 1);
}

TEST(IcmpErrorString, CoversTheWholeTable) {
    const std::pair<uint32_t, const char*> table[] = {
        {0, "No error"},
        {11001, "Buffer too small"},
        {11002, "Destination network unreachable"},
        {11003, "Destination host unreachable"},
        {11004, "Destination protocol unreachable"},
        {11005, "Destination port unreachable"},
        {11006, "No resources"},
        {11007, "Bad option"},
        {11008, "Hardware error"},
        {11009, "Packet too big"},
        {11010, "Request timed out"},
        {11011, "Bad request"},
        {11012, "Bad route"},
        {11013, "TTL expired in transit"},
        {11014, "TTL expired in reassembly"},
        {11015, "Parameter problem"},
        {11016, "Source quench"},
        {11017, "Option too big"},
        {11018, "Bad Destination"},
        {11019, "Address deleted"},
        {11020, "Spec MTU change"},
        {11021, "MTU change"},
        {11050, "General failure"},
        {11255, "Pending"},
        {10060, "ICMP error #10060"},
        {11000, "ICMP error #11000"},
        {11022, "ICMP error #11022"},
        {1, "ICMP error #1"},
    };
    for (const auto& [code, text] : table)
        EXPECT_EQ(IcmpErrorString(code), text) << code;
}

} // namespace

namespace {

TEST(PingLines, QuickPingOutput) {
    using namespace corvane;
    IcmpEchoReply reply{};
    reply.DataSize = 56;
    reply.RoundTripTime = 1;
    EXPECT_EQ(PingRequestLine(56, "192.168.1.1"), "Sending 56 bytes to 192.168.1.1");
    EXPECT_EQ(PingReplyLine(1, reply, "192.168.1.1", "No error"),
              "Received 56 bytes from 192.168.1.1 (1 msecs)");
    EXPECT_EQ(PingReplyLine(0, reply, "192.168.1.1", "Request timed out"),
              "Cannot ping host (192.168.1.1) : Request timed out");
    reply.RoundTripTime = 12000;
    EXPECT_EQ(PingReplyLine(1, reply, "10.0.0.1", ""),
              "Received 56 bytes from 10.0.0.1 (12000 msecs)");
}

} // namespace
