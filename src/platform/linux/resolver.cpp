#include "platform/linux/resolver.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/atomic_file.h"
#include "platform/linux/process.h"

namespace corvane::linux_backend {

namespace {

constexpr int kResolvectlTimeoutMs = 10000;

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

// An IPv4 "nameserver" line.
bool IsIpv4NameServer(std::string_view line) {
    std::istringstream words{std::string(line)};
    std::string key, value;
    return (words >> key >> value) && key == "nameserver" && value.find(':') == std::string::npos;
}

// mountinfo writes blanks, tabs, newlines and backslashes as octal escapes.
std::string Unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            int v = 0;
            bool octal = true;
            for (std::size_t k = 1; k <= 3; ++k) {
                if (i + k >= s.size() || s[i + k] < '0' || s[i + k] > '7') {
                    octal = false;
                    break;
                }
                v = v * 8 + (s[i + k] - '0');
            }
            if (octal) {
                out += static_cast<char>(v);
                i += 3;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

SysError WriteInPlace(const std::string& path, std::string_view text) {
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return static_cast<SysError>(errno);
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            return static_cast<SysError>(err);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0)
        return static_cast<SysError>(errno);
    return kSuccess;
}

SysError Resolvectl(std::vector<std::string> args, std::string* output = nullptr) {
    args.insert(args.begin(), "resolvectl");
    ProcessResult r = RunProcess(args, {.timeoutMs = kResolvectlTimeoutMs, .captureOutput = true});
    if (!r.started)
        return r.error ? r.error : ENOENT;
    if (r.timedOut)
        return ETIMEDOUT;
    if (output)
        *output = r.output;
    return r.exitCode == 0 ? kSuccess : EIO;
}

} // namespace

std::string WithNameServers(std::string_view text, const std::vector<std::string>& servers) {
    std::string block;
    for (const std::string& s : servers)
        block += "nameserver " + s + "\n";
    std::string out;
    bool placed = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::string_view line =
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        if (IsIpv4NameServer(TrimLeft(line))) {
            if (!placed)
                out += block;
            placed = true;
            continue;
        }
        out += line;
        out += '\n';
    }
    if (!placed)
        out += block;
    return out;
}

std::optional<std::string> ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::stringstream buf;
    buf << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return buf.str();
}

bool IsMountPoint(std::string_view mountinfo, const std::string& path) {
    std::size_t pos = 0;
    while (pos < mountinfo.size()) {
        std::size_t end = mountinfo.find('\n', pos);
        if (end == std::string_view::npos)
            end = mountinfo.size();
        std::istringstream fields{std::string(mountinfo.substr(pos, end - pos))};
        pos = end + 1;
        std::string id, parent, device, root, mountPoint;
        if ((fields >> id >> parent >> device >> root >> mountPoint) &&
            Unescape(mountPoint) == path)
            return true;
    }
    return false;
}

SysError WriteResolverFile(const std::string& path, std::string_view text) {
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    if (auto mounts = ReadTextFile("/proc/self/mountinfo"); mounts && IsMountPoint(*mounts, target))
        return WriteInPlace(target, text);
    if (WriteFileAtomic(target, text))
        return kSuccess;
    // A directory we may not create in, or a file that cannot be renamed over.
    return WriteInPlace(target, text);
}

bool ResolvedRuns(const std::string& runDir) {
    struct stat st {};
    return ::stat((runDir + "/systemd/resolve/io.systemd.Resolve").c_str(), &st) == 0 &&
           ProgramExists("resolvectl");
}

std::vector<std::string> ResolvedDnsOf(std::string_view answer) {
    std::vector<std::string> servers;
    std::size_t colon = answer.find("):");
    if (colon == std::string_view::npos)
        return servers;
    std::istringstream words{std::string(answer.substr(colon + 2))};
    std::string w;
    while (words >> w)
        if (w.find(':') == std::string::npos)
            servers.push_back(w);
    return servers;
}

SysError ResolvedLinkDns(const std::string& interfaceName, std::vector<std::string>& servers) {
    std::string out;
    if (SysError e = Resolvectl({"dns", interfaceName}, &out))
        return e;
    servers = ResolvedDnsOf(out);
    return kSuccess;
}

SysError SetResolvedLinkDns(const std::string& interfaceName,
                            const std::vector<std::string>& servers) {
    std::vector<std::string> args = {"dns", interfaceName};
    if (servers.empty())
        args.push_back("");
    args.insert(args.end(), servers.begin(), servers.end());
    return Resolvectl(args);
}

SysError RevertResolvedLink(const std::string& interfaceName) {
    return Resolvectl({"revert", interfaceName});
}

} // namespace corvane::linux_backend
