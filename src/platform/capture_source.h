#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/lookup/lookup_text.h"
#include "platform/ip_helper.h"

namespace corvane {

// Packets handed over in one go, each a buffer that starts with its IPv4 header.
class PacketBatch {
  public:
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::span<const std::uint8_t> operator[](std::size_t i) const {
        std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return {bytes_.data() + begin, ends_[i] - begin};
    }
    void append(const std::uint8_t* data, std::size_t length) {
        bytes_.insert(bytes_.end(), data, data + length);
        ends_.push_back(bytes_.size());
    }
    void clear() {
        bytes_.clear();
        ends_.clear();
    }
    std::size_t byteSize() const { return bytes_.size(); }
    void swap(PacketBatch& other) noexcept {
        bytes_.swap(other.bytes_);
        ends_.swap(other.ends_);
    }

  private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::size_t> ends_;
};

struct CaptureStats {
    std::uint64_t received = 0;    // packets handed to the queue
    std::uint64_t kernelDrops = 0; // packets the kernel could not deliver to us
    std::uint64_t queueDrops = 0;  // packets dropped because the owner did not take them
};

struct CaptureStartResult {
    CaptureFailure failure = CaptureFailure::None;
    SysError error = 0; // the system's error number for the message
    bool ok() const { return failure == CaptureFailure::None; }
};

// Delivers every IPv4 packet seen by the interface that owns one of the
// machine's addresses. Packets are read off the caller's thread and queued;
// `notify` runs on the reader thread whenever packets arrive in an empty
// queue, so the owner can wake its own thread and Take() them there. Taking
// everything each time keeps notifications to one per batch.
class CaptureSource {
  public:
    using Notify = std::function<void()>;

    virtual ~CaptureSource() = default;

    // Starts a capture on `address` (a dotted quad); a running one stops first.
    virtual CaptureStartResult Start(const std::string& address, Notify notify) = 0;
    // Ends the capture; no notification runs after Stop returns. Queued
    // packets stay until taken.
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
    // Replaces `batch` with every queued packet, oldest first. Thread-safe.
    virtual std::size_t Take(PacketBatch& batch) = 0;
    // Counts since the last Start.
    virtual CaptureStats Stats() = 0;
};

// The capture of the running system.
std::unique_ptr<CaptureSource> CreateSystemCaptureSource();

} // namespace corvane
