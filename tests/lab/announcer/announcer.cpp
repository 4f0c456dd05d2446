// Sends the hellos and updates of routers onto one interface, as a router
// namespace of the lab would: HSRP, VRRP, OSPF Hello, EIGRP and RIP v1/v2,
// built byte by byte. A flood mode repeats them at a given rate for load
// measurements; --pcap writes them to a capture file instead of sending.
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "support/router_packets.h"

namespace pk = corvane::packets;
using Clock = std::chrono::steady_clock;

namespace {

int Usage() {
    std::fputs("usage: corvane_announcer (--interface IF | --pcap FILE) [packets] [mode]\n"
               "packets (any number, sent in this order each round):\n"
               "  --hsrp SOURCE,VIP[,STATE]  --vrrp SOURCE,VIP  --ospf SOURCE,MASK\n"
               "  --ospf-update SOURCE  --eigrp SOURCE  --rip SOURCE,VERSION[,PORT]\n"
               "mode: --count ROUNDS [--interval-ms MS]   (default 1 round)\n"
               "      --flood PPS --seconds S             (PPS 0: as fast as possible)\n",
               stderr);
    return 2;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(',', start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// Ethernet destination for an IPv4 destination: multicast map or broadcast.
void DestinationMac(const pk::Bytes& packet, unsigned char mac[6]) {
    const std::uint8_t* d = packet.data() + 16;
    if (d[0] >= 224 && d[0] <= 239) {
        const unsigned char m[6] = {0x01, 0x00, 0x5E, static_cast<unsigned char>(d[1] & 0x7F),
                                    d[2], d[3]};
        std::memcpy(mac, m, 6);
    } else {
        std::memset(mac, 0xFF, 6);
    }
}

bool WritePcap(const std::string& path, const std::vector<pk::Bytes>& packets, int rounds) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    auto u32 = [&](std::uint32_t v) { std::fwrite(&v, 4, 1, f); };
    auto u16 = [&](std::uint16_t v) { std::fwrite(&v, 2, 1, f); };
    u32(0xA1B2C3D4);
    u16(2);
    u16(4);
    u32(0);
    u32(0);
    u32(65535);
    u32(101); // raw IP
    for (int r = 0; r < rounds; ++r) {
        for (const pk::Bytes& p : packets) {
            u32(static_cast<std::uint32_t>(r));
            u32(0);
            u32(static_cast<std::uint32_t>(p.size()));
            u32(static_cast<std::uint32_t>(p.size()));
            std::fwrite(p.data(), 1, p.size(), f);
        }
    }
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string interface, pcap;
    std::vector<pk::Bytes> packets;
    int rounds = 1, intervalMs = 0, seconds = 0;
    long flood = -1;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (i + 1 >= argc)
            return Usage();
        std::string v = argv[++i];
        std::vector<std::string> p = Split(v);
        if (a == "--interface")
            interface = v;
        else if (a == "--pcap")
            pcap = v;
        else if (a == "--hsrp" && p.size() >= 2)
            packets.push_back(
                pk::HsrpHello(p[0], p[1], 1, 100,
                              static_cast<std::uint8_t>(p.size() > 2 ? std::stoi(p[2]) : 16)));
        else if (a == "--vrrp" && p.size() == 2)
            packets.push_back(pk::VrrpAdvert(p[0], {p[1]}));
        else if (a == "--ospf" && p.size() == 2)
            packets.push_back(pk::OspfPacket(p[0], p[1]));
        else if (a == "--ospf-update" && p.size() == 1)
            packets.push_back(pk::OspfPacket(p[0], "0.0.0.0", 4));
        else if (a == "--eigrp" && p.size() == 1)
            packets.push_back(pk::EigrpHello(p[0]));
        else if (a == "--rip" && p.size() >= 2)
            packets.push_back(pk::RipResponse(
                p[0], static_cast<std::uint8_t>(std::stoi(p[1])), {{"10.0.0.0", "255.0.0.0"}},
                static_cast<std::uint16_t>(p.size() > 2 ? std::stoi(p[2]) : 520)));
        else if (a == "--count")
            rounds = std::stoi(v);
        else if (a == "--interval-ms")
            intervalMs = std::stoi(v);
        else if (a == "--flood")
            flood = std::stol(v);
        else if (a == "--seconds")
            seconds = std::stoi(v);
        else
            return Usage();
    }
    if (packets.empty() || interface.empty() == pcap.empty())
        return Usage();
    if (!pcap.empty()) {
        if (!WritePcap(pcap, packets, rounds)) {
            std::perror(pcap.c_str());
            return 1;
        }
        return 0;
    }

    int fd = socket(AF_PACKET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        std::perror("socket");
        return 1;
    }
    unsigned index = if_nametoindex(interface.c_str());
    if (index == 0) {
        std::perror(interface.c_str());
        return 1;
    }
    std::vector<sockaddr_ll> targets(packets.size());
    for (std::size_t k = 0; k < packets.size(); ++k) {
        sockaddr_ll& to = targets[k];
        to = {};
        to.sll_family = AF_PACKET;
        to.sll_protocol = htons(ETH_P_IP);
        to.sll_ifindex = static_cast<int>(index);
        to.sll_halen = 6;
        DestinationMac(packets[k], to.sll_addr);
    }

    if (flood < 0) {
        for (int r = 0; r < rounds; ++r) {
            if (r && intervalMs)
                std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
            for (std::size_t k = 0; k < packets.size(); ++k) {
                if (sendto(fd, packets[k].data(), packets[k].size(), 0,
                           reinterpret_cast<sockaddr*>(&targets[k]), sizeof targets[k]) < 0) {
                    std::perror("sendto");
                    return 1;
                }
            }
        }
        return 0;
    }

    // Flood: batches of up to 64 packets, paced against the clock.
    constexpr unsigned kBatch = 64;
    std::vector<mmsghdr> messages(kBatch);
    std::vector<iovec> vectors(kBatch);
    const auto start = Clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    unsigned long long sent = 0, failed = 0;
    std::size_t next = 0;
    for (;;) {
        auto now = Clock::now();
        if (now >= end)
            break;
        unsigned batch = kBatch;
        if (flood > 0) {
            double elapsed = std::chrono::duration<double>(now - start).count();
            auto due = static_cast<unsigned long long>(elapsed * static_cast<double>(flood));
            if (due <= sent) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                continue;
            }
            batch = static_cast<unsigned>(std::min<unsigned long long>(kBatch, due - sent));
        }
        for (unsigned k = 0; k < batch; ++k) {
            std::size_t n = (next + k) % packets.size();
            vectors[k] = {packets[n].data(), packets[n].size()};
            messages[k] = {};
            messages[k].msg_hdr.msg_name = &targets[n];
            messages[k].msg_hdr.msg_namelen = sizeof targets[n];
            messages[k].msg_hdr.msg_iov = &vectors[k];
            messages[k].msg_hdr.msg_iovlen = 1;
        }
        int done = sendmmsg(fd, messages.data(), batch, 0);
        if (done < 0) {
            ++failed;
            if (errno != ENOBUFS && errno != EAGAIN) {
                std::perror("sendmmsg");
                return 1;
            }
            continue;
        }
        sent += static_cast<unsigned>(done);
        next = (next + static_cast<unsigned>(done)) % packets.size();
    }
    double took = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("sent %llu packets in %.2f s (%.0f pps)\n", sent, took,
                took > 0 ? static_cast<double>(sent) / took : 0.0);
    close(fd);
    return 0;
}
