#include "platform/linux/process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace corvane::linux_backend {

namespace {

using Clock = std::chrono::steady_clock;

// Root's programs first, so that a caller with a short PATH still finds them.
std::string Locate(const std::string& name) {
    if (name.find('/') != std::string::npos)
        return name;
    std::string path = "/usr/sbin:/sbin:/usr/bin:/bin";
    if (const char* env = std::getenv("PATH"))
        path += std::string(":") + env;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t end = path.find(':', pos);
        if (end == std::string::npos)
            end = path.size();
        std::string dir = path.substr(pos, end - pos);
        pos = end + 1;
        if (dir.empty())
            continue;
        std::string candidate = dir + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// A zombie has ended; only its parent's bookkeeping is left.
bool Alive(int pid) {
    if (::kill(pid, 0) != 0 && errno != EPERM)
        return false;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", pid);
    std::FILE* f = std::fopen(path, "r");
    if (!f)
        return false;
    char buf[512] = {};
    std::size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    const char* close = std::strrchr(buf, ')');
    return !(n > 0 && close && close[1] == ' ' && close[2] == 'Z');
}

} // namespace

bool ProgramExists(const std::string& name) {
    std::string path = Locate(name);
    return !path.empty() && ::access(path.c_str(), X_OK) == 0;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
    ProcessResult r;
    if (argv.empty()) {
        r.error = EINVAL;
        return r;
    }
    const std::string program = Locate(argv[0]);
    if (program.empty()) {
        r.error = ENOENT;
        r.output = argv[0] + ": " + std::strerror(ENOENT);
        return r;
    }
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    int out[2] = {-1, -1};
    int report[2] = {-1, -1}; // carries exec's errno; closes on success
    if ((options.captureOutput && ::pipe2(out, O_CLOEXEC) != 0) ||
        ::pipe2(report, O_CLOEXEC) != 0) {
        r.error = static_cast<SysError>(errno);
        return r;
    }
    const int pid = ::fork();
    if (pid < 0) {
        r.error = static_cast<SysError>(errno);
        for (int fd : {out[0], out[1], report[0], report[1]})
            if (fd >= 0)
                ::close(fd);
        return r;
    }
    if (pid == 0) {
        ::setpgid(0, 0);
        int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(options.captureOutput ? out[1] : null, 1);
        ::dup2(options.captureOutput ? out[1] : null, 2);
        ::signal(SIGPIPE, SIG_DFL);
        ::execv(program.c_str(), args.data());
        int err = errno;
        (void)!::write(report[1], &err, sizeof err);
        ::_exit(127);
    }
    ::close(report[1]);
    if (out[1] >= 0)
        ::close(out[1]);
    int err = 0;
    ssize_t n;
    while ((n = ::read(report[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    if (n == sizeof err) {
        ::waitpid(pid, nullptr, 0);
        if (out[0] >= 0)
            ::close(out[0]);
        r.error = static_cast<SysError>(err);
        r.output = program + ": " + std::strerror(err);
        return r;
    }
    r.started = true;

    const auto deadline = Clock::now() + std::chrono::milliseconds(options.timeoutMs);
    int status = 0;
    bool ended = false;
    for (;;) {
        int w = ::waitpid(pid, &status, WNOHANG);
        if (w == pid) {
            ended = true;
            break;
        }
        if (options.timeoutMs >= 0 && Clock::now() >= deadline)
            break;
        // Read output while waiting, so a chatty child never blocks on a full pipe.
        if (out[0] >= 0) {
            pollfd p{out[0], POLLIN, 0};
            if (::poll(&p, 1, 20) > 0) {
                char buf[4096];
                ssize_t got = ::read(out[0], buf, sizeof buf);
                if (got > 0)
                    r.output.append(buf, static_cast<std::size_t>(got));
                else if (got == 0) {
                    ::close(out[0]);
                    out[0] = -1;
                }
            }
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    if (out[0] >= 0) {
        // What is left once the child is gone; a grandchild that kept the pipe
        // open must not hold us, so never wait for the end of the pipe.
        ::fcntl(out[0], F_SETFL, O_NONBLOCK);
        char buf[4096];
        ssize_t got;
        while ((got = ::read(out[0], buf, sizeof buf)) > 0)
            r.output.append(buf, static_cast<std::size_t>(got));
        ::close(out[0]);
    }
    if (ended) {
        if (WIFEXITED(status))
            r.exitCode = WEXITSTATUS(status);
        return r;
    }
    r.timedOut = true;
    if (options.killOnTimeout) {
        ::kill(-pid, SIGTERM);
        for (int i = 0; i < 100 && ::waitpid(pid, &status, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::kill(-pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    return r;
}

void StopProcess(int pid, int graceMs) {
    if (pid <= 0 || ::kill(pid, SIGTERM) != 0)
        return;
    const auto deadline = Clock::now() + std::chrono::milliseconds(graceMs);
    while (Alive(pid) && Clock::now() < deadline) {
        // Our own child would stay a zombie; reap it if it is one.
        ::waitpid(pid, nullptr, WNOHANG);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (Alive(pid))
        ::kill(pid, SIGKILL);
}

} // namespace corvane::linux_backend
