#include "platform/linux/net_shell_runner.h"

#include <cerrno>
#include <climits>
#include <fstream>
#include <unistd.h>

#include "platform/linux/process.h"

#ifndef CORVANE_NETSH_DIR
#define CORVANE_NETSH_DIR "/usr/lib/corvane"
#endif

namespace corvane {

namespace {

std::string OwnDirectory() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    std::string path(buf, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/'));
}

} // namespace

std::string ShellWord(const std::string& text) {
    if (!text.empty() &&
        text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                               "0123456789/._-+:,=@%") == std::string::npos)
        return text;
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

LinuxNetShellRunner::LinuxNetShellRunner() {
    const std::string own = OwnDirectory();
    directory_ = !own.empty() && ::access((own + "/" + kNetShellProgram).c_str(), X_OK) == 0
                     ? own
                     : std::string(CORVANE_NETSH_DIR);
}

std::string LinuxNetShellRunner::CommandLine(const std::string& scriptFile) const {
    return ShellWord(directory_ + "/" + kNetShellProgram) + " -f " + ShellWord(scriptFile);
}

bool LinuxNetShellRunner::WriteScript(const std::string& path,
                                      const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    for (const std::string& line : lines)
        out << line << '\n';
    out.close();
    return !out.fail();
}

void LinuxNetShellRunner::DeleteScript(const std::string& path) {
    ::unlink(path.c_str());
}

NetShellResult LinuxNetShellRunner::Run(const std::string& commandLine) {
    using namespace linux_backend;
    ProcessResult p = RunProcess({"/bin/sh", "-c", commandLine}, {.captureOutput = true});
    NetShellResult r;
    r.started = p.started;
    r.exitCode = p.exitCode;
    r.output = p.output;
    r.error = p.error;
    return r;
}

} // namespace corvane
