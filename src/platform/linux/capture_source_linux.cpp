#include "platform/capture_queue.h"
#include "platform/capture_source.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <ifaddrs.h>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "core/addr/ip.h"

namespace corvane {
namespace {

constexpr std::size_t kSlots = 64;       // packets per receive call
constexpr std::size_t kSlotSize = 65536; // the largest IPv4 packet fits
constexpr int kReceiveBuffer = 16 << 20;

// Index of the interface that carries `address` (network order), or 0.
unsigned InterfaceOwning(std::uint32_t address) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return 0;
    unsigned index = 0;
    for (ifaddrs* a = list; a && !index; a = a->ifa_next) {
        if (a->ifa_addr && a->ifa_addr->sa_family == AF_INET &&
            reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr.s_addr == address)
            index = if_nametoindex(a->ifa_name);
    }
    freeifaddrs(list);
    return index;
}

class LinuxCaptureSource : public CaptureSource {
  public:
    ~LinuxCaptureSource() override { Stop(); }

    CaptureStartResult Start(const std::string& address, Notify notify) override {
        Stop();
        queue_.Reset();
        // Protocol 0: nothing is delivered until the socket is bound to its
        // interface, so no packet of another interface slips in.
        int fd = socket(AF_PACKET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return {CaptureFailure::SocketInit, static_cast<SysError>(errno)};
        ip chosen(address);
        if (chosen.value() == 0x7F000001) {
            close(fd);
            return {CaptureFailure::LocalHost, 0};
        }
        unsigned index = chosen.valid() ? InterfaceOwning(chosen.networkValue()) : 0;
        if (index == 0)
            return Fail(fd, EADDRNOTAVAIL);

        int size = kReceiveBuffer;
        if (setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0)
            setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);

        sockaddr_ll where{};
        where.sll_family = AF_PACKET;
        where.sll_protocol = htons(ETH_P_IP);
        where.sll_ifindex = static_cast<int>(index);
        if (bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0)
            return Fail(fd, errno);
        // Routers talk to multicast groups this host has not joined.
        packet_mreq promisc{};
        promisc.mr_ifindex = static_cast<int>(index);
        promisc.mr_type = PACKET_MR_PROMISC;
        if (setsockopt(fd, SOL_PACKET, PACKET_ADD_MEMBERSHIP, &promisc, sizeof promisc) != 0)
            return Fail(fd, errno);
        tpacket_stats discard{};
        socklen_t len = sizeof discard;
        getsockopt(fd, SOL_PACKET, PACKET_STATISTICS, &discard, &len);

        int wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (wake < 0)
            return Fail(fd, errno);
        fd_ = fd;
        wake_ = wake;
        notify_ = std::move(notify);
        reader_ = std::thread([this] { Read(); });
        return {};
    }

    void Stop() override {
        if (fd_ < 0)
            return;
        std::uint64_t one = 1;
        (void)!write(wake_, &one, sizeof one);
        reader_.join();
        CollectDrops();
        close(fd_);
        close(wake_);
        fd_ = wake_ = -1;
        notify_ = nullptr;
    }

    bool Running() const override { return fd_ >= 0; }

    std::size_t Take(PacketBatch& batch) override { return queue_.Take(batch); }

    CaptureStats Stats() override {
        if (fd_ >= 0)
            CollectDrops();
        return queue_.Stats();
    }

  private:
    CaptureStartResult Fail(int fd, int error) {
        close(fd);
        return {CaptureFailure::SocketOpen, static_cast<SysError>(error)};
    }

    // The kernel's counters reset on every read, so they are added up here.
    void CollectDrops() {
        tpacket_stats s{};
        socklen_t len = sizeof s;
        if (getsockopt(fd_, SOL_PACKET, PACKET_STATISTICS, &s, &len) != 0)
            return;
        queue_.AddKernelDrops(s.tp_drops);
    }

    void Read() {
        std::vector<std::uint8_t> buffers(kSlots * kSlotSize);
        mmsghdr messages[kSlots];
        iovec vectors[kSlots];
        for (std::size_t i = 0; i < kSlots; ++i) {
            vectors[i] = {buffers.data() + i * kSlotSize, kSlotSize};
            messages[i] = {};
            messages[i].msg_hdr.msg_iov = &vectors[i];
            messages[i].msg_hdr.msg_iovlen = 1;
        }
        pollfd waits[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
        for (;;) {
            if (poll(waits, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (waits[1].revents)
                return;
            int n = recvmmsg(fd_, messages, kSlots, MSG_DONTWAIT, nullptr);
            if (n <= 0) {
                if (n < 0 && errno != EAGAIN && errno != EINTR)
                    return;
                continue;
            }
            bool wake = false;
            for (int i = 0; i < n; ++i) {
                std::size_t length = std::min<std::size_t>(messages[i].msg_len, kSlotSize);
                wake |=
                    queue_.Push(buffers.data() + static_cast<std::size_t>(i) * kSlotSize, length);
            }
            if (wake && notify_)
                notify_();
        }
    }

    int fd_ = -1;
    int wake_ = -1;
    Notify notify_;
    std::thread reader_;
    CaptureQueue queue_;
};

} // namespace

std::unique_ptr<CaptureSource> CreateSystemCaptureSource() {
    return std::make_unique<LinuxCaptureSource>();
}

} // namespace corvane
