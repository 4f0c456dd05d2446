#pragma once
#include "platform/net_shell.h"

namespace corvane {

// netsh.exe from the system directory, run through the C library's command
// interpreter and waited for.
class Win32NetShellRunner : public NetShellRunner {
  public:
    std::string SystemDirectory() const override;
    std::string CommandLine(const std::string& scriptFile) const override;
    bool WriteScript(const std::string& path, const std::vector<std::string>& lines) override;
    void DeleteScript(const std::string& path) override;
    NetShellResult Run(const std::string& commandLine) override;
};

} // namespace corvane
