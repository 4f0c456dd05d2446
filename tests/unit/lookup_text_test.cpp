#include "core/lookup/lookup_text.h"

#include <gtest/gtest.h>

namespace {

using namespace corvane;

TEST(LookupInterfaceEntries, SkipAdaptersWithoutConnectionOrAddress) {
    std::vector<std::string> summaries = {
        "192.168.1.10,NO,255.255.255.0,192.168.1.1,LAN, , ,2",
        "10.0.0.5,YES,255.0.0.0, ,none, , ,3",
        "0.0.0.0,YES,0.0.0.0, ,WLAN, , ,4",
        "bogus,NO,255.0.0.0, ,VPN, , ,5",
        "172.16.0.9,NO,255.255.0.0, ,Lab net, , ,6",
    };
    EXPECT_EQ(LookupInterfaceEntries(summaries),
              (std::vector<std::string>{"192.168.1.10 (LAN)", "172.16.0.9 (Lab net)"}));
    EXPECT_EQ(AddressOfInterfaceEntry("192.168.1.10 (LAN)"), "192.168.1.10");
    EXPECT_EQ(AddressOfInterfaceEntry("172.16.0.9 (Lab net)"), "172.16.0.9");
    EXPECT_EQ(AddressOfInterfaceEntry(""), "");
}

TEST(CaptureFailureMessage, Texts) {
    EXPECT_EQ(CaptureFailureMessage(CaptureFailure::SocketInit, 1),
              "Socket initialisation error (1).");
    EXPECT_EQ(CaptureFailureMessage(CaptureFailure::SocketOpen, 10013),
              "Socket opening error (10013).");
    EXPECT_EQ(CaptureFailureMessage(CaptureFailure::LocalHost, 0),
              "System's IP address is local host, NIC link is probably down.");
    EXPECT_EQ(CaptureFailureMessage(CaptureFailure::None, 5), "");
}

} // namespace
