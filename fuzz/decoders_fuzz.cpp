// libFuzzer target: any bytes as one received packet, and as a capture file.
// A read past the given length shows up under AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/lookup/decoders.h"
#include "core/lookup/pcap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so the sanitizer sees the end of the packet.
    std::unique_ptr<std::uint8_t[]> packet(new std::uint8_t[size]);
    if (size)
        std::memcpy(packet.get(), data, size);
    corvane::NetworkList list;
    corvane::DecodePacket(packet.get(), size, corvane::kAllProtocols, list);
    corvane::ForEachPcapIpv4({packet.get(), size}, [&](const std::uint8_t* p, std::size_t n) {
        corvane::DecodePacket(p, n, corvane::kAllProtocols, list);
    });
    return 0;
}
