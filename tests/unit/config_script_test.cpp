#include "core/netsh/config_script.h"

#include <gtest/gtest.h>

namespace {

struct ScriptCase {
    const char* record;
    std::vector<std::string> lines;
};

class BuildConfigScript : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(BuildConfigScript, Lines) {
    EXPECT_EQ(corvane::BuildConfigScript(GetParam().record), GetParam().lines);
}

const std::string kLan = "interface ip set add name = \"Local Area Connection\"";

INSTANTIATE_TEST_SUITE_P(
    Templates, BuildConfigScript,
    ::testing::Values(
        ScriptCase{"10.1.2.30,255.255.0.0,10.1.0.1,Local Area Connection,Office,10.1.0.5,10.1.0.6",
                   {kLan + " source = static addr = 10.1.2.30 mask = 255.255.0.0",
                    kLan + " gateway = 10.1.0.1 gwmetric = 1",
                    "interface ip set dns name = \"Local Area Connection\" source = static addr = "
                    "10.1.0.5",
                    "interface ip set wins name = \"Local Area Connection\" source = static addr = "
                    "10.1.0.6"}},
        ScriptCase{"10.1.2.30,255.255.0.0,10.1.0.1,Local Area Connection,Office, , ",
                   {kLan + " source = static addr = 10.1.2.30 mask = 255.255.0.0",
                    kLan + " gateway = 10.1.0.1 gwmetric = 1",
                    "del dns \"Local Area Connection\" all",
                    "del wins \"Local Area Connection\" all"}},
        ScriptCase{"dhcp, , ,Wireless Network Connection,Home,dhcp, ",
                   {"interface ip set add name = \"Wireless Network Connection\" source = dhcp",
                    "interface ip set dns name = \"Wireless Network Connection\" source = dhcp",
                    "del wins \"Wireless Network Connection\" all"}},
        ScriptCase{"dhcp, , ,LAN,IP address by DHCP",
                   {"interface ip set add name = \"LAN\" source = dhcp"}},
        // Blank router: no gateway line, the server lines still follow.
        ScriptCase{
            "10.0.0.5,255.0.0.0, ,LAN,x,10.0.0.2",
            {"interface ip set add name = \"LAN\" source = static addr = 10.0.0.5 mask = 255.0.0.0",
             "interface ip set dns name = \"LAN\" source = static addr = 10.0.0.2"}},
        // Eight fields: DNS yes, WINS no.
        ScriptCase{"dhcp, , ,LAN,x,dhcp,dhcp,extra",
                   {"interface ip set add name = \"LAN\" source = dhcp",
                    "interface ip set dns name = \"LAN\" source = dhcp"}},
        // Case matters; a leading blank is trimmed only for the decision.
        ScriptCase{"DHCP, , ,LAN,x,DHCP, dhcp",
                   {"interface ip set add name = \"LAN\" source = static addr = DHCP mask =  ",
                    "interface ip set dns name = \"LAN\" source = static addr = DHCP",
                    "interface ip set wins name = \"LAN\" source =  dhcp"}},
        ScriptCase{
            "10.0.0.5,255.0.0.0,10.0.0.1,My \"Net\",x",
            {"interface ip set add name = \"My \"Net\"\" source = static addr = 10.0.0.5 mask = "
             "255.0.0.0",
             "interface ip set add name = \"My \"Net\"\" gateway = 10.0.0.1 gwmetric = 1"}}));

} // namespace
