// Failures of the Linux capture source; live capture is tested in the lab.
#include "platform/capture_source.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using namespace corvane;

TEST(LinuxCapture, RefusesLocalHostAndAddressesNotOnThisMachine) {
    auto capture = CreateSystemCaptureSource();
    const std::pair<const char*, CaptureFailure> cases[] = {
        {"127.0.0.1", CaptureFailure::LocalHost},
        {"192.0.2.77", CaptureFailure::SocketOpen},
        {"not an address", CaptureFailure::SocketOpen},
    };
    for (const auto& [address, failure] : cases) {
        CaptureStartResult r = capture->Start(address, nullptr);
        if (geteuid() != 0 && r.failure == CaptureFailure::SocketInit) {
            EXPECT_NE(r.error, 0u);
            continue; // no capture socket without privileges: the first check
        }
        EXPECT_EQ(r.failure, failure) << address;
        EXPECT_FALSE(capture->Running());
    }
    PacketBatch batch;
    EXPECT_EQ(capture->Take(batch), 0u);
    capture->Stop(); // harmless when nothing runs
}

} // namespace
