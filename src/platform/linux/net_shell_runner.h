#pragma once
#include <string>
#include <vector>

#include "platform/net_shell.h"

namespace corvane {

// corvane-netsh, run through /bin/sh. The shell lives beside the running
// program when it is installed there, else where the build put it.
class LinuxNetShellRunner : public NetShellRunner {
  public:
    LinuxNetShellRunner();
    explicit LinuxNetShellRunner(std::string directory) : directory_(std::move(directory)) {}

    std::string SystemDirectory() const override { return directory_; }
    std::string CommandLine(const std::string& scriptFile) const override;
    bool WriteScript(const std::string& path, const std::vector<std::string>& lines) override;
    void DeleteScript(const std::string& path) override;
    NetShellResult Run(const std::string& commandLine) override;

  private:
    std::string directory_;
};

inline constexpr const char* kNetShellProgram = "corvane-netsh";

// `text` as one word for /bin/sh: unchanged when it needs no quoting.
std::string ShellWord(const std::string& text);

} // namespace corvane
