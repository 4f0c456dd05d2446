// The network shell runner of Windows: the command line, the script file and
// running a command through the command interpreter.
#include "core/app/ascii.h"
#include "platform/win32/net_shell_win32.h"
#include "unit/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace corvane;

namespace {

TEST(NetShell, CommandLineFromTheSystemDirectory) {
    Win32NetShellRunner shell;
    const std::string dir = shell.SystemDirectory();
    ASSERT_GE(dir.size(), 9u);
    EXPECT_EQ(LowerAscii(dir.substr(dir.size() - 9)), "\\system32");
    EXPECT_TRUE(std::filesystem::is_regular_file(dir + "\\netsh.exe"));
    EXPECT_EQ(shell.CommandLine("config.cfg"), dir + "\\netsh.exe -f config.cfg");
}

TEST(NetShell, RunWaitsAndKeepsCodeAndWords) {
    Win32NetShellRunner shell;
    struct Case {
        const char* command;
        int exitCode;
        const char* output; // words the output holds
    };
    const Case cases[] = {
        {"echo hello", 0, "hello"},
        {"exit 3", 3, ""},
        // The interpreter's own complaint, on its error channel.
        {"C:\\no\\such\\program.exe", 9009, "C:\\no\\such\\program.exe"},
    };
    for (const Case& c : cases) {
        NetShellResult r = shell.Run(c.command);
        EXPECT_TRUE(r.started) << c.command;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.command;
        EXPECT_NE(r.output.find(c.output), std::string::npos) << c.command << ": " << r.output;
        EXPECT_EQ(r.output.empty(), !*c.output) << c.command;
    }
}

TEST(NetShell, ScriptLinesEndInCrLfAndTheFileGoes) {
    Win32NetShellRunner shell;
    TempDir dir;
    const std::string path = dir.file("config.cfg");
    ASSERT_TRUE(shell.WriteScript(path, {"interface ip set address name = \"LAN\" source = dhcp",
                                         "interface ip set dns name = \"LAN\" source = dhcp"}));
    EXPECT_EQ(TempDir::Read(path), "interface ip set address name = \"LAN\" source = dhcp\r\n"
                                   "interface ip set dns name = \"LAN\" source = dhcp\r\n");
    ASSERT_TRUE(shell.WriteScript(path, {}));
    EXPECT_EQ(TempDir::Read(path), "");
    shell.DeleteScript(path);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(shell.WriteScript(dir.file("no\\such\\config.cfg"), {"x"}));
}

} // namespace
