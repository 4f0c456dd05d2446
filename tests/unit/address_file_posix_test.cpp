// Saving the address file when the disk fills up, simulated with a file size
// limit, which only POSIX systems have.
#include "core/app/records.h"
#include "platform/address_file.h"
#include "unit/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

using corvane::ConfigLines;

namespace {

// A write that fails half-way must leave the previous file as it was.
TEST(AddressFile, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("ipfile.csv");
    const ConfigLines old = {"dhcp, , ,LAN,Home,dhcp,dhcp"};
    ASSERT_TRUE(corvane::SaveAddressFile(old, path));
    const std::string before = TempDir::Read(path);

    ConfigLines big(2000, "10.0.0.5,255.255.255.0,10.0.0.1,LAN,a long remark to fill the disk");
    // A file size limit makes write() fail with EFBIG, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool ok = corvane::SaveAddressFile(big, path, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TempDir::Read(path), before);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
