#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/capture_source.h"
#include "platform/host_resolver.h"
#include "platform/icmp_echo.h"

namespace corvane {

// An ICMP service that answers from a script, for tests.
class SimIcmpEcho : public IcmpEcho {
  public:
    // What one SendEcho call yields.
    struct Answer {
        std::uint32_t replies = 1;
        IcmpEchoReply reply{};
        SysError error = 0;
        bool writesReply = true; // false: the reply record is left as the caller gave it
    };

    IcmpOpenResult openResult = IcmpOpenResult::Ok;
    // Answers in order; when empty, every request is echoed in 1 ms.
    std::deque<Answer> answers;
    // Every request as it arrived, with a copy of its data.
    struct Sent {
        EchoRequest request;
        std::vector<std::uint8_t> data;
    };
    std::vector<Sent> sent;
    int opens = 0;
    int closes = 0;

    IcmpOpenResult Open() override;
    void Close() override { ++closes; }
    std::uint32_t SendEcho(const EchoRequest& request, IcmpEchoReply& reply,
                           SysError& error) override;
};

// A resolver with a fixed table of names, for tests.
class SimHostResolver : public HostResolver {
  public:
    std::map<std::string, HostEntry> hosts;
    SysError failure = kHostNotFound; // answer for names not in the table
    std::vector<std::string> lookups; // every name asked for

    SysError GetHostByName(const std::string& name, HostEntry& entry) override;
};

// A capture fed by the test: Inject() queues a packet and notifies like the
// real reader would (on the calling thread).
class SimCaptureSource : public CaptureSource {
  public:
    CaptureStartResult startResult{};
    std::vector<std::string> starts; // addresses asked for
    CaptureStats stats{};

    CaptureStartResult Start(const std::string& address, Notify notify) override;
    void Stop() override;
    bool Running() const override { return running_; }
    std::size_t Take(PacketBatch& batch) override;
    CaptureStats Stats() override { return stats; }

    void Inject(const std::vector<std::uint8_t>& packet);

  private:
    bool running_ = false;
    Notify notify_;
    PacketBatch queue_;
};

} // namespace corvane
