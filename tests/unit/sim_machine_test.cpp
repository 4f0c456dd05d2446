#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace corvane {
namespace {

TEST(SimMachine, InjectedFailureCountsDownThenHeals) {
    SimMachine m;
    m.AddAdapter({.connection = "LAN", .ip = "10.0.0.5", .mask = "255.0.0.0"});
    m.Fail(SimMachine::Op::GetAdaptersInfo, 1231, 2);
    std::vector<AdapterRecord> a;
    EXPECT_EQ(m.GetAdaptersInfo(a), 1231u);
    EXPECT_EQ(m.GetAdaptersInfo(a), 1231u);
    EXPECT_EQ(m.GetAdaptersInfo(a), 0u);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].IpAddress, "10.0.0.5");
    EXPECT_EQ(m.Calls(SimMachine::Op::GetAdaptersInfo), 3);
}

TEST(SimMachine, UnboundOperationReportsNotBound) {
    SimMachine m;
    m.state.bindingReport = kBindGetIpForwardTable;
    std::vector<ForwardRow> rows;
    EXPECT_EQ(m.GetIpForwardTable(rows, true), kNotBound);
    std::vector<IfRow> ifs;
    EXPECT_EQ(m.GetIfTable(ifs, true), kSuccess);
}

} // namespace
} // namespace corvane
