#include <gtest/gtest.h>

#include "core/app/host_address.h"
#include "platform/sim/sim_machine.h"

namespace corvane {
namespace {

TEST(HostAddress, Readings) {
    struct Case {
        std::vector<std::string> addresses;
        std::string text, first;
        int state;
        bool failed;
    } cases[] = {
        {{"127.0.0.1"}, "127.0.0.1", "127.0.0.1", -1, true},
        {{"192.168.1.20", "10.0.0.5"}, "192.168.1.20,10.0.0.5", "192.168.1.20", 2, false},
        {{"10.0.0.5", "127.0.1.1", "10.0.0.6"}, "10.0.0.5,127.0.1.1", "10.0.0.5", -1, true},
        {{}, "", "", 0, false},
    };
    for (const Case& c : cases) {
        SimMachine m;
        m.SetHost("pc1", c.addresses);
        HostAddressReading r = ReadHostAddress(m);
        EXPECT_EQ(r.hostName, "pc1");
        EXPECT_EQ(r.text, c.text);
        EXPECT_EQ(r.first, c.first);
        EXPECT_EQ(r.state, c.state) << c.text;
        EXPECT_EQ(r.failed, c.failed) << c.text;
    }
}

TEST(HostAddress, FailuresLeaveTheNetworkUnusable) {
    SimMachine m;
    m.SetHost("pc1", {"10.0.0.5"});
    m.Fail(SimMachine::Op::HostName, 10093);
    HostAddressReading r = ReadHostAddress(m);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.hostName, "");
    EXPECT_EQ(r.state, 0);

    m.Heal(SimMachine::Op::HostName);
    m.Fail(SimMachine::Op::HostAddresses, 11001);
    r = ReadHostAddress(m);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.hostName, "pc1");
    EXPECT_EQ(r.text, "");
}

} // namespace
} // namespace corvane
