#include <gtest/gtest.h>

#include "core/setup/dhcp_renew.h"
#include "platform/sim/sim_machine.h"

namespace corvane {
namespace {

using Op = SimMachine::Op;

struct Outcome {
    std::vector<UserMessage> messages;
    std::size_t released = 0, renewed = 0; // calls made, whatever they returned
    int pumps = 0;
};

Outcome Renew(SimMachine& m, std::uint32_t index, bool throwingPump = false) {
    Outcome o;
    RenewCallbacks callbacks{[&](const UserMessage& msg) { o.messages.push_back(msg); },
                             [&] {
                                 ++o.pumps;
                                 if (throwingPump)
                                     throw std::runtime_error("window gone");
                             }};
    RenewAdapterAddress(m, index, callbacks);
    o.released = static_cast<std::size_t>(m.Calls(Op::IpReleaseAddress));
    o.renewed = static_cast<std::size_t>(m.Calls(Op::IpRenewAddress));
    return o;
}

const UserMessage kDhcp(const char* text) {
    return {text, "DHCP Error", MessageIcon::Error};
}

TEST(RenewAdapterAddress, ReportsWhatFailed) {
    struct Case {
        const char* name;
        std::function<void(SimMachine&)> setup;
        std::vector<UserMessage> messages;
        std::size_t released, renewed;
    } cases[] = {
        {"both succeed", [](SimMachine&) {}, {}, 1, 1},
        {"release refused: no renew",
         [](SimMachine& m) { m.Fail(Op::IpReleaseAddress, 1); },
         {kDhcp(kCouldntRelease)},
         1,
         0},
        {"renew refused",
         [](SimMachine& m) { m.Fail(Op::IpRenewAddress, 1); },
         {kDhcp(kCouldntRenew)},
         1,
         1},
        {"interface map unreadable: its text, nothing released",
         [](SimMachine& m) {
             m.Fail(Op::GetInterfaceInfo, 8);
             m.SetErrorText(8, "Not enough storage.\r\n");
         },
         {{"Something didn't work..: Not enough storage.\r\n", "Error", MessageIcon::Error}},
         0,
         0},
        {"interface map unreadable without a text: silence",
         [](SimMachine& m) { m.Fail(Op::GetInterfaceInfo, 9); },
         {},
         0,
         0},
        {"release not bound",
         [](SimMachine& m) { m.state.bindingReport = kBindIpReleaseAddress; },
         {kDhcp(kGeneralDhcpRenewError)},
         1,
         0},
        {"map not bound",
         [](SimMachine& m) { m.state.bindingReport = kBindGetInterfaceInfo; },
         {kDhcp(kGeneralDhcpRenewError)},
         0,
         0},
    };
    for (const Case& c : cases) {
        SimMachine m;
        const std::uint32_t index = m.AddAdapter({.connection = "LAN", .dhcp = true});
        c.setup(m);
        Outcome o = Renew(m, index);
        EXPECT_EQ(o.messages, c.messages) << c.name;
        EXPECT_EQ(o.released, c.released) << c.name;
        EXPECT_EQ(o.renewed, c.renewed) << c.name;
    }
}

TEST(RenewAdapterAddress, OnlyTheAdapterWithThatIndex) {
    SimMachine m;
    m.AddAdapter({.connection = "LAN"});
    const std::uint32_t wlan = m.AddAdapter({.connection = "WLAN", .dhcp = true});
    Outcome o = Renew(m, wlan);
    ASSERT_EQ(m.Released().size(), 1u);
    EXPECT_EQ(m.Released()[0].Index, wlan);
    EXPECT_GE(o.pumps, 3); // before the release, before the renew, after it

    SimMachine none;
    none.AddAdapter({.connection = "LAN"});
    Outcome nothing = Renew(none, 77);
    EXPECT_TRUE(nothing.messages.empty());
    EXPECT_EQ(nothing.released, 0u);
}

TEST(RenewAdapterAddress, AnErrorWhilePumpingIsAGeneralError) {
    SimMachine m;
    const std::uint32_t index = m.AddAdapter({.connection = "LAN", .dhcp = true});
    Outcome o = Renew(m, index, true);
    EXPECT_EQ(o.messages, std::vector<UserMessage>{kDhcp(kGeneralDhcpRenewError)});
    EXPECT_EQ(o.released, 0u);
}

} // namespace
} // namespace corvane
