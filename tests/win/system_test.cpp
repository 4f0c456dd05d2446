// Operating system queries, sockets and file replacement on Windows.
#include "core/app/host_address.h"
#include "platform/atomic_file.h"
#include "platform/program_info.h"
#include "platform/win32/host_info_win32.h"
#include "unit/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace corvane;

namespace {

TEST(ProgramInfo, FileVersionFromTheResource) {
    EXPECT_EQ(ProgramFileVersion(), std::optional<std::string>(CORVANE_FILE_VERSION));
}

TEST(HostInfo, NameAndAddressesThroughSockets) {
    Win32HostInfo host;
    std::string name;
    ASSERT_EQ(host.HostName(name), kSuccess);
    EXPECT_FALSE(name.empty());
    EXPECT_LT(name.size(), 80u);
    std::vector<std::string> addresses;
    ASSERT_EQ(host.HostAddresses(addresses), kSuccess);
    ASSERT_FALSE(addresses.empty());

    HostAddressReading r = ReadHostAddress(host);
    EXPECT_EQ(r.hostName, name);
    EXPECT_EQ(r.first, addresses[0]);
    if (std::getenv("CORVANE_WINE_NETNS")) {
        EXPECT_EQ(r.text, "192.0.2.10");
        EXPECT_EQ(r.state, 1);
        EXPECT_FALSE(r.failed);
    }
}

TEST(AtomicFile, ReplacesWholeOrNotAtAll) {
    TempDir dir;
    const std::string path = dir.file("ipfile.csv");
    struct Case {
        const char* what;
        std::string target;
        std::string bytes;
        bool ok;
    };
    std::filesystem::create_directory(dir.file("a directory"));
    const Case cases[] = {
        {"new file", path, "first\r\n", true},
        {"replaced", path, std::string(100000, 'x') + "\n", true},
        {"emptied", path, "", true},
        {"binary kept as is", path, std::string("a\nb\r\n\0\x1a", 7), true},
        {"missing directory", dir.file("no\\such\\file"), "x", false},
        {"a directory in the way", dir.file("a directory"), "x", false},
    };
    for (const Case& c : cases) {
        std::string error;
        const std::string before = TempDir::Read(c.target);
        EXPECT_EQ(WriteFileAtomic(c.target, c.bytes, &error), c.ok) << c.what;
        EXPECT_EQ(error.empty(), c.ok) << c.what << ": " << error;
        if (c.ok) {
            EXPECT_EQ(TempDir::Read(c.target), c.bytes) << c.what;
        } else if (std::filesystem::is_regular_file(c.target)) {
            EXPECT_EQ(TempDir::Read(c.target), before) << c.what;
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("a directory")));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

} // namespace
