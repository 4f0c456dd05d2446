// Packets per second through the decoder chain on one core, for replayed
// traffic: a segment's usual mix, a flood of router hellos, and a capture file.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/lookup/decoders.h"
#include "core/lookup/pcap.h"
#include "support/router_packets.h"

namespace {

using namespace corvane;
namespace pk = corvane::packets;

std::vector<pk::Bytes> Hellos() {
    return {pk::HsrpHello("10.0.0.2", "10.0.0.1"),
            pk::HsrpHello("10.0.0.3", "10.0.0.1", 1, 90, 8),
            pk::VrrpAdvert("10.0.0.2", {"10.0.0.4"}),
            pk::OspfPacket("10.0.0.2", "255.255.255.0"),
            pk::OspfPacket("10.0.0.2", "0.0.0.0", 4),
            pk::EigrpHello("10.0.0.2"),
            pk::RipResponse("10.0.0.2", 2, {{"10.1.0.0", "255.255.0.0"}})};
}

// One hello in twenty packets; the rest is ordinary TCP, UDP and ICMP.
std::vector<pk::Bytes> Mix() {
    std::vector<pk::Bytes> packets;
    auto hellos = Hellos();
    for (int i = 0; i < 140; ++i) {
        std::string host = "10.0." + std::to_string(i % 7) + "." + std::to_string(10 + i % 50);
        switch (i % 20) {
        case 0:
            packets.push_back(hellos[static_cast<std::size_t>(i / 20) % hellos.size()]);
            break;
        case 1:
        case 2:
        case 3:
            packets.push_back(pk::Udp(host, "10.0.0.53", 40000, 53, pk::Bytes(40, 1), 64));
            break;
        case 4:
            packets.push_back(pk::Ipv4(1, host, "10.0.0.1", 64, pk::Bytes(64, 0)));
            break;
        default:
            packets.push_back(pk::Ipv4(6, host, "10.0.9.9", 64, pk::Bytes(1460, 2)));
            break;
        }
    }
    return packets;
}

void Run(benchmark::State& state, const std::vector<pk::Bytes>& packets) {
    NetworkList list;
    std::size_t i = 0;
    for (auto _ : state) {
        const pk::Bytes& p = packets[i];
        benchmark::DoNotOptimize(DecodePacket(p.data(), p.size(), kAllProtocols, list));
        if (++i == packets.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["rows"] = static_cast<double>(list.size());
}

void DecoderChainMix(benchmark::State& state) {
    Run(state, Mix());
}
void DecoderChainHelloFlood(benchmark::State& state) {
    Run(state, Hellos());
}

// Hellos from ever new routers: every packet adds rows, the list grows.
void DecoderChainNewRouters(benchmark::State& state) {
    NetworkList list;
    pk::Bytes p = pk::EigrpHello("10.0.0.1");
    std::uint32_t n = 0;
    for (auto _ : state) {
        ++n;
        std::memcpy(p.data() + 12, &n, 4);
        benchmark::DoNotOptimize(DecodePacket(p.data(), p.size(), kAllProtocols, list));
    }
    state.SetItemsProcessed(state.iterations());
}

void PcapReplay(benchmark::State& state) {
    std::vector<pk::Bytes> packets = Mix();
    pk::Bytes file = {0xD4, 0xC3, 0xB2, 0xA1, 2,    0,    4, 0, 0,   0, 0, 0,
                      0,    0,    0,    0,    0xFF, 0xFF, 0, 0, 101, 0, 0, 0};
    for (const pk::Bytes& p : packets) {
        std::uint32_t header[4] = {0, 0, static_cast<std::uint32_t>(p.size()),
                                   static_cast<std::uint32_t>(p.size())};
        const auto* h = reinterpret_cast<const std::uint8_t*>(header);
        file.insert(file.end(), h, h + sizeof header);
        file.insert(file.end(), p.begin(), p.end());
    }
    for (auto _ : state) {
        NetworkList list;
        ForEachPcapIpv4(file, [&](const std::uint8_t* p, std::size_t n) {
            DecodePacket(p, n, kAllProtocols, list);
        });
        benchmark::DoNotOptimize(list.size());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(packets.size()));
}

BENCHMARK(DecoderChainMix);
BENCHMARK(DecoderChainHelloFlood);
BENCHMARK(DecoderChainNewRouters);
BENCHMARK(PcapReplay);

} // namespace

BENCHMARK_MAIN();
