#include "commands.h"
#include "core/icmp/icmp_engine.h"
#include "core/icmp/ping_lines.h"
#include "platform/host_resolver.h"
#include "platform/icmp_echo.h"
#ifdef __linux__
#include "platform/linux/icmp_echo_linux.h"
#endif

#include <cstdio>
#include <memory>

namespace corvane::ctl {

namespace {

bool ParseInt(const std::string& text, int low, int high, int& value) {
    try {
        std::size_t used = 0;
        long v = std::stol(text, &used);
        if (used != text.size() || v < low || v > high)
            return false;
        value = static_cast<int>(v);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

// Quick-ping lines for one host. Exit 0 when any request was answered.
int Ping(const Args& args) {
    std::string host;
    int count = 3;
    int timeout = 2000;
    std::string socketKind = "auto";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "-n" && hasValue) {
            if (!ParseInt(args[++i], 1, 1000000, count))
                return Usage("ping");
        } else if (a == "-w" && hasValue) {
            if (!ParseInt(args[++i], 0, 3600000, timeout))
                return Usage("ping");
        } else if (a == "--socket" && hasValue) {
            socketKind = args[++i];
        } else if (host.empty() && !a.starts_with("-")) {
            host = a;
        } else {
            return Usage("ping");
        }
    }
    if (host.empty())
        return Usage("ping");

    std::unique_ptr<IcmpEcho> service;
#ifdef __linux__
    if (socketKind == "dgram")
        service = CreateLinuxIcmpEcho(IcmpSocketKind::Datagram);
    else if (socketKind == "raw")
        service = CreateLinuxIcmpEcho(IcmpSocketKind::Raw);
    else if (socketKind == "auto")
        service = CreateSystemIcmpEcho();
    else
        return Usage("ping");
#else
    if (socketKind != "auto")
        return Usage("ping");
    service = CreateSystemIcmpEcho();
#endif
    auto resolver = CreateSystemHostResolver();

    try {
        TICMP engine(*service, *resolver);
        engine.Timeout = timeout;
        engine.SetAddress(host);
        engine.OnDisplay = [](TICMP&, const std::string& msg) {
            std::fprintf(stderr, "%s\n", msg.c_str());
        };
        engine.OnEchoRequest = [](TICMP& e) {
            std::printf("%s\n", PingRequestLine(e.Size, e.HostIP()).c_str());
        };
        engine.OnEchoReply = [](TICMP& e, int status) {
            std::printf("%s\n",
                        PingReplyLine(status, e.Reply(), e.HostIP(), e.GetErrorString()).c_str());
        };
        int answered = 0;
        for (int i = 0; i < count; ++i) {
            answered += engine.Ping() > 0;
            std::fflush(stdout);
        }
        return answered > 0 ? 0 : 1;
    } catch (const TICMPException& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

} // namespace corvane::ctl
