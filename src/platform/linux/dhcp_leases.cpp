#include "platform/linux/dhcp_leases.h"

#include <charconv>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <sstream>

namespace corvane::linux_backend {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view p) {
    return s.substr(0, p.size()) == p;
}

std::optional<std::int64_t> Number(std::string_view s) {
    std::int64_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

// "4 2024/03/07 12:00:00" (UTC) or "epoch 1709812800".
std::optional<std::int64_t> LeaseTime(std::string_view value) {
    if (StartsWith(value, "epoch ")) {
        value.remove_prefix(6);
        std::size_t end = value.find_first_of(" ;#");
        return Number(value.substr(0, end));
    }
    std::tm tm{};
    int weekday = 0;
    std::string text(value);
    if (std::sscanf(text.c_str(), "%d %d/%d/%d %d:%d:%d", &weekday, &tm.tm_year, &tm.tm_mon,
                    &tm.tm_mday, &tm.tm_hour, &tm.tm_min, &tm.tm_sec) != 7)
        return std::nullopt;
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    return static_cast<std::int64_t>(timegm(&tm));
}

// "a, b" or "a b": the addresses in order.
std::vector<std::string> Servers(std::string_view list, char separator) {
    std::vector<std::string> out;
    while (!list.empty()) {
        std::size_t end = list.find(separator);
        std::string_view item = Trim(list.substr(0, end));
        if (!item.empty())
            out.emplace_back(item);
        if (end == std::string_view::npos)
            break;
        list.remove_prefix(end + 1);
    }
    return out;
}

} // namespace

std::optional<DhcpLease> LastDhclientLease(std::string_view text, std::string_view iface) {
    std::optional<DhcpLease> found;
    DhcpLease current;
    std::int64_t leaseTime = -1;
    bool inLease = false, forIface = false;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos)
            nl = text.size();
        std::string_view line = Trim(text.substr(pos, nl - pos));
        pos = nl + 1;
        if (!inLease) {
            if (StartsWith(line, "lease") && line.find('{') != std::string_view::npos) {
                inLease = true;
                forIface = false;
                current = {};
                leaseTime = -1;
            }
            continue;
        }
        if (line == "}") {
            if (forIface) {
                if (leaseTime >= 0 && current.expires > 0)
                    current.obtained = current.expires - leaseTime;
                found = current;
            }
            inLease = false;
            continue;
        }
        if (!line.empty() && line.back() == ';')
            line.remove_suffix(1);
        if (StartsWith(line, "interface ")) {
            std::string_view v = Trim(line.substr(10));
            if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
                v = v.substr(1, v.size() - 2);
            forIface = v == iface;
        } else if (StartsWith(line, "fixed-address ")) {
            current.address = std::string(Trim(line.substr(14)));
        } else if (StartsWith(line, "option dhcp-server-identifier ")) {
            current.server = std::string(Trim(line.substr(30)));
        } else if (StartsWith(line, "option domain-name-servers ")) {
            current.dns = Servers(line.substr(27), ',');
        } else if (StartsWith(line, "option dhcp-lease-time ")) {
            leaseTime = Number(Trim(line.substr(23))).value_or(-1);
        } else if (StartsWith(line, "expire ")) {
            current.expires = LeaseTime(Trim(line.substr(7))).value_or(0);
        }
    }
    return found;
}

std::optional<DhcpLease> KeyValueLease(std::string_view text, std::int64_t modified) {
    DhcpLease lease;
    bool any = false;
    std::int64_t lifetime = -1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos)
            nl = text.size();
        std::string_view line = Trim(text.substr(pos, nl - pos));
        pos = nl + 1;
        std::size_t eq = line.find('=');
        if (line.empty() || line.front() == '#' || eq == std::string_view::npos)
            continue;
        std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "ADDRESS") {
            lease.address = std::string(value);
            any = true;
        } else if (key == "SERVER_ADDRESS") {
            lease.server = std::string(value);
        } else if (key == "DNS") {
            lease.dns = Servers(value, ' ');
        } else if (key == "LIFETIME") {
            lifetime = Number(value).value_or(-1);
        }
    }
    if (!any)
        return std::nullopt;
    lease.obtained = modified;
    if (lifetime >= 0 && modified > 0)
        lease.expires = modified + lifetime;
    return lease;
}

std::vector<std::string> SplitCommandLine(std::string_view raw) {
    std::vector<std::string> argv;
    std::size_t pos = 0;
    while (pos < raw.size()) {
        std::size_t end = raw.find('\0', pos);
        if (end == std::string_view::npos)
            end = raw.size();
        argv.emplace_back(raw.substr(pos, end - pos));
        pos = end + 1;
    }
    return argv;
}

std::optional<std::string> LeaseFileOfDhclient(const std::vector<std::string>& argv,
                                               const std::string& iface,
                                               const std::string& defaultFile) {
    if (argv.empty())
        return std::nullopt;
    std::string_view prog = argv[0];
    if (std::size_t slash = prog.rfind('/'); slash != std::string_view::npos)
        prog.remove_prefix(slash + 1);
    if (prog != "dhclient")
        return std::nullopt;
    std::string leaseFile = defaultFile;
    bool releasing = false, managesIface = false;
    // Options that take a value; their value is never an interface name.
    static const char* const withValue[] = {
        "-p", "-cf", "-lf", "-pf", "-sf", "-s", "-g", "-e", "-n", "--prefix-len-hint", "-timeout"};
    for (std::size_t i = 1; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        bool takesValue = false;
        for (const char* opt : withValue)
            takesValue = takesValue || a == opt;
        if (takesValue) {
            if (i + 1 < argv.size() && a == "-lf")
                leaseFile = argv[i + 1];
            ++i;
            continue;
        }
        if (a == "-r" || a == "-x")
            releasing = true;
        else if (!a.empty() && a[0] != '-' && a == iface)
            managesIface = true;
    }
    if (!managesIface || releasing)
        return std::nullopt;
    return leaseFile;
}

std::vector<std::vector<std::string>> DhclientCommandLines(const std::string& procRoot) {
    std::vector<std::vector<std::string>> found;
    DIR* dir = opendir(procRoot.c_str());
    if (!dir)
        return found;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] < '0' || e->d_name[0] > '9')
            continue;
        std::ifstream in(procRoot + "/" + e->d_name + "/cmdline", std::ios::binary);
        if (!in)
            continue;
        std::stringstream buf;
        buf << in.rdbuf();
        std::vector<std::string> argv = SplitCommandLine(buf.str());
        if (argv.empty())
            continue;
        std::string_view prog = argv[0];
        if (std::size_t slash = prog.rfind('/'); slash != std::string_view::npos)
            prog.remove_prefix(slash + 1);
        if (prog == "dhclient")
            found.push_back(std::move(argv));
    }
    closedir(dir);
    return found;
}

} // namespace corvane::linux_backend
