#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "platform/capture_source.h"

namespace corvane {

// The hand-over between a capture's reader thread and its owner. Bounded, so
// that an owner that stops taking packets cannot make the reader eat memory.
class CaptureQueue {
  public:
    static constexpr std::size_t kByteLimit = 64u << 20;

    void Reset() {
        std::lock_guard lock(mutex_);
        batch_.clear();
        stats_ = {};
    }

    // True when the packet went into an empty queue: the owner needs waking.
    bool Push(const std::uint8_t* data, std::size_t length) {
        std::lock_guard lock(mutex_);
        if (batch_.byteSize() + length > kByteLimit) {
            ++stats_.queueDrops;
            return false;
        }
        const bool wasEmpty = batch_.empty();
        batch_.append(data, length);
        ++stats_.received;
        return wasEmpty;
    }

    std::size_t Take(PacketBatch& batch) {
        batch.clear();
        std::lock_guard lock(mutex_);
        batch.swap(batch_);
        return batch.size();
    }

    void AddKernelDrops(std::uint64_t drops) {
        std::lock_guard lock(mutex_);
        stats_.kernelDrops += drops;
    }

    CaptureStats Stats() {
        std::lock_guard lock(mutex_);
        return stats_;
    }

  private:
    std::mutex mutex_;
    PacketBatch batch_;
    CaptureStats stats_;
};

} // namespace corvane
