#include "platform/linux/icmp_echo_linux.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <linux/errqueue.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <poll.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace corvane {
namespace {

constexpr std::uint8_t kEchoReply = 0;
constexpr std::uint8_t kEchoRequest = 8;

std::uint16_t Checksum(const std::uint8_t* data, std::size_t length) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < length; i += 2)
        sum += static_cast<std::uint32_t>(data[i] << 8 | data[i + 1]);
    if (length & 1)
        sum += static_cast<std::uint32_t>(data[length - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

std::uint16_t Word(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

// The IP_STATUS code of an ICMP error report.
std::uint32_t StatusOfIcmpError(std::uint8_t type, std::uint8_t code) {
    switch (type) {
    case ICMP_DEST_UNREACH:
        switch (code) {
        case ICMP_NET_UNREACH:
        case ICMP_NET_UNKNOWN:
        case ICMP_NET_ANO:
        case ICMP_NET_UNR_TOS:
            return kIpDestNetUnreachable;
        case ICMP_PROT_UNREACH:
            return kIpDestProtUnreachable;
        case ICMP_PORT_UNREACH:
            return kIpDestPortUnreachable;
        case ICMP_FRAG_NEEDED:
            return kIpPacketTooBig;
        case ICMP_SR_FAILED:
            return kIpBadRoute;
        default:
            return kIpDestHostUnreachable;
        }
    case ICMP_TIME_EXCEEDED:
        return code == ICMP_EXC_FRAGTIME ? kIpTtlExpiredReassem : kIpTtlExpiredTransit;
    case ICMP_PARAMETERPROB:
        return kIpParamProblem;
    case ICMP_SOURCE_QUENCH:
        return kIpSourceQuench;
    default:
        return kIpGeneralFailure;
    }
}

std::uint32_t StatusOfSendError(int error) {
    switch (error) {
    case ENETUNREACH:
    case ENETDOWN:
        return kIpDestNetUnreachable;
    case EHOSTUNREACH:
    case EHOSTDOWN:
        return kIpDestHostUnreachable;
    case EMSGSIZE:
        return kIpPacketTooBig;
    case ENOBUFS:
    case ENOMEM:
        return kIpNoResources;
    case EACCES:
    case EINVAL:
    case EADDRNOTAVAIL:
        return kIpBadDestination;
    default:
        return kIpGeneralFailure;
    }
}

class LinuxIcmpEcho : public IcmpEcho {
  public:
    explicit LinuxIcmpEcho(IcmpSocketKind kind) : kind_(kind) {
        std::random_device seed;
        identifier_ = static_cast<std::uint16_t>(seed());
        sequence_ = static_cast<std::uint16_t>(seed());
    }
    ~LinuxIcmpEcho() override { Close(); }

    IcmpOpenResult Open() override {
        if (fd_ >= 0)
            return IcmpOpenResult::Ok;
        if (kind_ != IcmpSocketKind::Raw) {
            fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
            raw_ = false;
        }
        if (fd_ < 0 && kind_ != IcmpSocketKind::Datagram) {
            fd_ = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
            raw_ = true;
        }
        if (fd_ < 0)
            return IcmpOpenResult::HandleFailed;
        int on = 1;
        if (raw_) {
            // Only what can answer an echo request reaches us.
            icmp_filter filter{};
            filter.data =
                ~((1u << ICMP_ECHOREPLY) | (1u << ICMP_DEST_UNREACH) | (1u << ICMP_SOURCE_QUENCH) |
                  (1u << ICMP_TIME_EXCEEDED) | (1u << ICMP_PARAMETERPROB));
            setsockopt(fd_, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
        } else {
            // A datagram socket hears of errors only through its error queue;
            // a raw one sees the error reports themselves.
            setsockopt(fd_, SOL_IP, IP_RECVERR, &on, sizeof on);
            setsockopt(fd_, SOL_IP, IP_RECVTTL, &on, sizeof on);
        }
        return IcmpOpenResult::Ok;
    }

    void Close() override {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }

    std::uint32_t SendEcho(const EchoRequest& request, IcmpEchoReply& reply,
                           SysError& error) override {
        if (fd_ < 0) {
            error = kIpGeneralFailure;
            return 0;
        }
        const std::uint16_t sequence = ++sequence_;
        std::vector<std::uint8_t> packet(8 + request.data.size());
        packet[0] = kEchoRequest;
        packet[4] = static_cast<std::uint8_t>(identifier_ >> 8);
        packet[5] = static_cast<std::uint8_t>(identifier_);
        packet[6] = static_cast<std::uint8_t>(sequence >> 8);
        packet[7] = static_cast<std::uint8_t>(sequence);
        if (!request.data.empty())
            std::memcpy(packet.data() + 8, request.data.data(), request.data.size());
        std::uint16_t sum = Checksum(packet.data(), packet.size());
        packet[2] = static_cast<std::uint8_t>(sum >> 8);
        packet[3] = static_cast<std::uint8_t>(sum);

        int ttl = request.options.Ttl;
        setsockopt(fd_, SOL_IP, IP_TTL, &ttl, sizeof ttl);
        int pmtu =
            (request.options.Flags & kIpFlagDontFragment) ? IP_PMTUDISC_DO : IP_PMTUDISC_DONT;
        setsockopt(fd_, SOL_IP, IP_MTU_DISCOVER, &pmtu, sizeof pmtu);

        Drain();
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = request.destination;
        const auto start = std::chrono::steady_clock::now();
        if (sendto(fd_, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to),
                   sizeof to) < 0) {
            error = StatusOfSendError(errno);
            return 0;
        }
        if (!raw_) {
            // The kernel puts the socket's own identifier into every request.
            sockaddr_in self{};
            socklen_t len = sizeof self;
            if (getsockname(fd_, reinterpret_cast<sockaddr*>(&self), &len) == 0)
                datagramId_ = ntohs(self.sin_port);
        }

        const auto deadline = start + std::chrono::milliseconds(request.timeoutMs);
        for (;;) {
            auto now = std::chrono::steady_clock::now();
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
            if (left < 0)
                left = 0;
            pollfd p{fd_, POLLIN, 0};
            int ready = poll(&p, 1, static_cast<int>(left));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                break;
            Outcome o = Outcome::None;
            if (p.revents & POLLERR)
                o = ReadError(sequence);
            if (o == Outcome::None && (p.revents & POLLIN))
                o = ReadReply(sequence);
            if (o == Outcome::None)
                continue;
            auto elapsed = std::chrono::steady_clock::now() - start;
            if (o == Outcome::Echo) {
                reply = match_;
                reply.RoundTripTime = static_cast<std::uint32_t>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
                error = 0;
                return 1;
            }
            reply = match_;
            error = match_.Status;
            return 0;
        }
        error = kIpReqTimedOut;
        return 0;
    }

  private:
    enum class Outcome { None, Echo, Error };

    // Answers to earlier requests that came after their time-out, and a
    // pending socket error, would otherwise meet the next request.
    void Drain() {
        std::uint8_t scrap[256];
        while (recv(fd_, scrap, sizeof scrap, MSG_DONTWAIT) >= 0) {
        }
        while (recv(fd_, scrap, sizeof scrap, MSG_DONTWAIT | MSG_ERRQUEUE) >= 0) {
        }
        int pending = 0;
        socklen_t len = sizeof pending;
        getsockopt(fd_, SOL_SOCKET, SO_ERROR, &pending, &len);
    }

    bool Matches(const std::uint8_t* icmp, std::uint16_t sequence) const {
        std::uint16_t id = raw_ ? identifier_ : datagramId_;
        return Word(icmp + 4) == id && Word(icmp + 6) == sequence;
    }

    // One datagram from the normal queue.
    Outcome ReadReply(std::uint16_t sequence) {
        std::uint8_t buffer[65536];
        std::uint8_t control[256];
        sockaddr_in from{};
        iovec iov{buffer, sizeof buffer};
        msghdr msg{};
        msg.msg_name = &from;
        msg.msg_namelen = sizeof from;
        msg.msg_iov = &iov;
        msg.msg_iovlen = 1;
        msg.msg_control = control;
        msg.msg_controllen = sizeof control;
        ssize_t n = recvmsg(fd_, &msg, MSG_DONTWAIT);
        if (n <= 0)
            return Outcome::None;
        std::size_t length = static_cast<std::size_t>(n);
        const std::uint8_t* icmp = buffer;
        int ttl = 0;
        if (raw_) {
            if (length < 20)
                return Outcome::None;
            std::size_t header = (buffer[0] & 0x0F) * 4u;
            if (header < 20 || length < header + 8)
                return Outcome::None;
            ttl = buffer[8];
            icmp = buffer + header;
            length -= header;
        } else {
            for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
                if (c->cmsg_level == SOL_IP && c->cmsg_type == IP_TTL)
                    std::memcpy(&ttl, CMSG_DATA(c), sizeof ttl);
            }
        }
        if (length < 8)
            return Outcome::None;
        match_ = IcmpEchoReply{};
        match_.Address = from.sin_addr.s_addr;
        if (icmp[0] == kEchoReply) {
            if (!Matches(icmp, sequence))
                return Outcome::None;
            match_.DataSize = static_cast<std::uint16_t>(length - 8);
            match_.Options.Ttl = static_cast<std::uint8_t>(ttl);
            return Outcome::Echo;
        }
        // A raw socket also sees error reports; they quote our request's IP
        // header and the first 8 bytes of our ICMP header.
        if (!raw_ || length < 8 + 20 + 8)
            return Outcome::None;
        const std::uint8_t* quoted = icmp + 8;
        std::size_t quotedHeader = (quoted[0] & 0x0F) * 4u;
        if (quotedHeader < 20 || length < 8 + quotedHeader + 8 || quoted[9] != IPPROTO_ICMP)
            return Outcome::None;
        const std::uint8_t* ours = quoted + quotedHeader;
        if (ours[0] != kEchoRequest || !Matches(ours, sequence))
            return Outcome::None;
        match_.Status = StatusOfIcmpError(icmp[0], icmp[1]);
        return Outcome::Error;
    }

    // One report from the error queue (IP_RECVERR).
    Outcome ReadError(std::uint16_t sequence) {
        std::uint8_t buffer[65536];
        std::uint8_t control[512];
        sockaddr_in to{};
        iovec iov{buffer, sizeof buffer};
        msghdr msg{};
        msg.msg_name = &to;
        msg.msg_namelen = sizeof to;
        msg.msg_iov = &iov;
        msg.msg_iovlen = 1;
        msg.msg_control = control;
        msg.msg_controllen = sizeof control;
        ssize_t n = recvmsg(fd_, &msg, MSG_ERRQUEUE | MSG_DONTWAIT);
        if (n < 0)
            return Outcome::None;
        const sock_extended_err* ee = nullptr;
        for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
            if (c->cmsg_level == SOL_IP && c->cmsg_type == IP_RECVERR)
                ee = reinterpret_cast<const sock_extended_err*>(CMSG_DATA(c));
        }
        if (!ee)
            return Outcome::None;
        // The error queue returns the request as we sent it (without IP header
        // on a datagram socket, with it on a raw one).
        std::size_t length = static_cast<std::size_t>(n);
        const std::uint8_t* ours = buffer;
        if (raw_) {
            if (length < 20)
                return Outcome::None;
            std::size_t header = (buffer[0] & 0x0F) * 4u;
            if (length < header + 8)
                return Outcome::None;
            ours = buffer + header;
            length -= header;
        }
        if (length < 8 || ours[0] != kEchoRequest || !Matches(ours, sequence))
            return Outcome::None;
        match_ = IcmpEchoReply{};
        if (ee->ee_origin == SO_EE_ORIGIN_ICMP) {
            const auto* offender = reinterpret_cast<const sockaddr_in*>(SO_EE_OFFENDER(ee));
            if (offender->sin_family == AF_INET)
                match_.Address = offender->sin_addr.s_addr;
            match_.Status = StatusOfIcmpError(ee->ee_type, ee->ee_code);
        } else {
            match_.Status = StatusOfSendError(static_cast<int>(ee->ee_errno));
        }
        // A raw socket gets the same report on its normal queue as well; it
        // is answered here and the copy later fails to match a new sequence.
        return Outcome::Error;
    }

    IcmpSocketKind kind_;
    int fd_ = -1;
    bool raw_ = false;
    std::uint16_t identifier_ = 0;
    std::uint16_t datagramId_ = 0;
    std::uint16_t sequence_ = 0;
    IcmpEchoReply match_{};
};

} // namespace

std::unique_ptr<IcmpEcho> CreateLinuxIcmpEcho(IcmpSocketKind kind) {
    return std::make_unique<LinuxIcmpEcho>(kind);
}

std::unique_ptr<IcmpEcho> CreateSystemIcmpEcho() {
    return CreateLinuxIcmpEcho(IcmpSocketKind::Auto);
}

} // namespace corvane
