#include "core/lookup/packet_rate.h"

namespace corvane {

int RateBarValue(std::int64_t rate) {
    if (rate <= 0)
        return 0;
    std::int64_t root = 0;
    while (root < kBarMaximum && (root + 1) * (root + 1) <= rate)
        ++root;
    return static_cast<int>(root);
}

void PacketRateMeter::Reset() {
    PacketCount = 0;
    LastCount = 0;
    PacketRate = 0;
}

PacketRateMeter::Reading PacketRateMeter::Tick() {
    PacketRate = static_cast<std::int32_t>(PacketCount - LastCount);
    LastCount = PacketCount;
    Reading r;
    r.rate = PacketRate;
    r.label = std::to_string(PacketRate) + " pps";
    if (PacketRate == 0)
        return r;
    r.bar = RateBarValue(PacketRate);
    if (PacketRate > 841 && !BarRed_) {
        BarRed_ = true;
        r.colourChanged = true;
        r.colour = kBarRedColour;
    } else if (PacketRate <= 840 && BarRed_) {
        BarRed_ = false;
        r.colourChanged = true;
        r.colour = kBarBlueColour;
    }
    return r;
}

} // namespace corvane
