#include "platform/win32/net_shell_win32.h"

#include "platform/program_info.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

namespace corvane {

std::string Win32NetShellRunner::SystemDirectory() const {
    return corvane::SystemDirectory();
}

std::string Win32NetShellRunner::CommandLine(const std::string& scriptFile) const {
    return SystemDirectory() + "\\netsh.exe -f " + scriptFile;
}

bool Win32NetShellRunner::WriteScript(const std::string& path,
                                      const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    for (const std::string& line : lines)
        out << line << "\r\n";
    out.close();
    return !out.fail();
}

void Win32NetShellRunner::DeleteScript(const std::string& path) {
    DeleteFileA(path.c_str());
}

NetShellResult Win32NetShellRunner::Run(const std::string& commandLine) {
    NetShellResult r;
    // As system() would, but with the shell's words kept for the message.
    std::FILE* pipe = _popen((commandLine + " 2>&1").c_str(), "rb");
    if (!pipe) {
        r.error = static_cast<SysError>(errno);
        r.output = "cannot start the command interpreter";
        return r;
    }
    r.started = true;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        r.output.append(buf, n);
    r.exitCode = _pclose(pipe);
    return r;
}

} // namespace corvane
