#include "platform/sim/sim_network.h"

namespace corvane {

IcmpOpenResult SimIcmpEcho::Open() {
    ++opens;
    return openResult;
}

std::uint32_t SimIcmpEcho::SendEcho(const EchoRequest& request, IcmpEchoReply& reply,
                                    SysError& error) {
    Sent s{request, {request.data.begin(), request.data.end()}};
    s.request.data = {};
    sent.push_back(std::move(s));
    if (answers.empty()) {
        reply.Address = request.destination;
        reply.RoundTripTime = 1;
        reply.DataSize = static_cast<std::uint16_t>(request.data.size());
        reply.Options.Ttl = 64;
        error = 0;
        return 1;
    }
    Answer a = answers.front();
    answers.pop_front();
    if (a.writesReply)
        reply = a.reply;
    error = a.error;
    return a.replies;
}

SysError SimHostResolver::GetHostByName(const std::string& name, HostEntry& entry) {
    lookups.push_back(name);
    auto it = hosts.find(name);
    if (it == hosts.end())
        return failure;
    entry = it->second;
    return 0;
}

CaptureStartResult SimCaptureSource::Start(const std::string& address, Notify notify) {
    Stop();
    starts.push_back(address);
    if (!startResult.ok())
        return startResult;
    running_ = true;
    notify_ = std::move(notify);
    stats = {};
    return startResult;
}

void SimCaptureSource::Stop() {
    running_ = false;
    notify_ = nullptr;
}

std::size_t SimCaptureSource::Take(PacketBatch& batch) {
    batch.clear();
    batch.swap(queue_);
    return batch.size();
}

void SimCaptureSource::Inject(const std::vector<std::uint8_t>& packet) {
    if (!running_)
        return;
    const bool wasEmpty = queue_.empty();
    queue_.append(packet.data(), packet.size());
    ++stats.received;
    if (wasEmpty && notify_)
        notify_();
}

} // namespace corvane
