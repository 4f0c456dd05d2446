#include "commands.h"
#include "core/lookup/decoders.h"
#include "core/lookup/pcap.h"
#include "platform/capture_source.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>

namespace corvane::ctl {

namespace {

bool ParseProtocols(const std::string& text, std::uint32_t& protocols) {
    protocols = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        std::string name = text.substr(start, end - start);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name == "hsrp")
            protocols |= kProtocolHSRP;
        else if (name == "vrrp")
            protocols |= kProtocolVRRP;
        else if (name == "ospf")
            protocols |= kProtocolOSPF;
        else if (name == "eigrp")
            protocols |= kProtocolEIGRP;
        else if (name == "rip")
            protocols |= kProtocolRIP;
        else
            return false;
        start = end + 1;
    }
    return protocols != 0;
}

void PrintRows(const NetworkList& list) {
    for (const NetworkRow& row : list.rows())
        std::printf("%s;%s;%s\n", row.address.c_str(), row.mask.c_str(), row.protocol.c_str());
}

int FromFile(const std::string& path, std::uint32_t protocols) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "Cannot open %s\n", path.c_str());
        return 1;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    NetworkList list;
    PcapSummary s = ForEachPcapIpv4(
        bytes, [&](const std::uint8_t* p, std::size_t n) { DecodePacket(p, n, protocols, list); });
    switch (s.status) {
    case PcapStatus::NotPcap:
        std::fprintf(stderr, "%s is not a capture file\n", path.c_str());
        return 1;
    case PcapStatus::UnsupportedLink:
        std::fprintf(stderr, "%s: link type %u is not supported\n", path.c_str(), s.linkType);
        return 1;
    case PcapStatus::Truncated:
        std::fprintf(stderr, "%s: truncated after %zu records\n", path.c_str(), s.records);
        break;
    case PcapStatus::Ok:
        break;
    }
    PrintRows(list);
    return 0;
}

int Live(const std::string& address, int seconds, std::uint32_t protocols, bool stats) {
    auto capture = CreateSystemCaptureSource();
    std::mutex mutex;
    std::condition_variable wake;
    bool pending = false;
    CaptureStartResult r = capture->Start(address, [&] {
        std::lock_guard lock(mutex);
        pending = true;
        wake.notify_one();
    });
    if (!r.ok()) {
        std::fprintf(stderr, "%s\n", CaptureFailureMessage(r.failure, r.error).c_str());
        return 1;
    }
    NetworkList list;
    PacketBatch batch;
    std::uint64_t packets = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
        bool more;
        {
            std::unique_lock lock(mutex);
            more = wake.wait_until(lock, deadline, [&] { return pending; });
            pending = false;
        }
        capture->Take(batch);
        for (std::size_t i = 0; i < batch.size(); ++i)
            DecodePacket(batch[i].data(), batch[i].size(), protocols, list);
        packets += batch.size();
        if (!more)
            break;
    }
    capture->Stop();
    capture->Take(batch);
    for (std::size_t i = 0; i < batch.size(); ++i)
        DecodePacket(batch[i].data(), batch[i].size(), protocols, list);
    packets += batch.size();
    PrintRows(list);
    if (stats) {
        CaptureStats s = capture->Stats();
        std::fprintf(stderr, "packets %llu, kernel drops %llu, queue drops %llu\n",
                     static_cast<unsigned long long>(packets),
                     static_cast<unsigned long long>(s.kernelDrops),
                     static_cast<unsigned long long>(s.queueDrops));
    }
    return 0;
}

} // namespace

// Network list rows found on the segment of ADDRESS, or in a capture file.
int Lookup(const Args& args) {
    std::string address, file;
    int seconds = 10;
    std::uint32_t protocols = kAllProtocols;
    bool stats = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--seconds" && hasValue) {
            try {
                std::size_t used = 0;
                seconds = std::stoi(args[++i], &used);
                if (used != args[i].size() || seconds < 0 || seconds > 86400)
                    return Usage("lookup");
            } catch (...) {
                return Usage("lookup");
            }
        } else if (a == "--protocols" && hasValue) {
            if (!ParseProtocols(args[++i], protocols))
                return Usage("lookup");
        } else if (a == "--file" && hasValue) {
            file = args[++i];
        } else if (a == "--stats") {
            stats = true;
        } else if (address.empty() && !a.starts_with("-")) {
            address = a;
        } else {
            return Usage("lookup");
        }
    }
    if (address.empty() == file.empty())
        return Usage("lookup");
    return file.empty() ? Live(address, seconds, protocols, stats) : FromFile(file, protocols);
}

} // namespace corvane::ctl
