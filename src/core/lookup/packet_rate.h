#pragma once
#include <cstdint>
#include <string>

namespace corvane {

// Colour values of the rate bar (blue, green, red bytes from the low end).
inline constexpr std::uint32_t kBarRedColour = 0x0000FF;
inline constexpr std::uint32_t kBarBlueColour = 0xFF0000;
inline constexpr int kBarMaximum = 30;

// The packet-rate meter of the discovery window: counts packets and, once a
// second, turns the count into the label text, the bar position and the bar
// colour. The colour switches to red above 841 packets per second and back to
// blue at 840 or less, so a rate hovering around the limit does not flicker.
class PacketRateMeter {
  public:
    struct Reading {
        std::int32_t rate = 0;
        std::string label; // "57 pps"
        int bar = 0;       // 0 .. kBarMaximum
        bool colourChanged = false;
        std::uint32_t colour = 0; // the new colour when colourChanged
    };

    // At each showing: counts to zero. The colour state is kept.
    void Reset();
    void Count(std::uint32_t packets = 1) { PacketCount += packets; }
    // One timer tick.
    Reading Tick();

    bool BarRed() const { return BarRed_; }

    // Label before the first tick.
    static constexpr const char* kStoppedText = "stopped";

    // Wrap-around of the 32-bit counter is expected on long captures.
    std::uint32_t PacketCount = 0;
    std::uint32_t LastCount = 0;
    std::int32_t PacketRate = 0;

  private:
    bool BarRed_ = false;
};

// The bar position for a rate: the square root, truncated, at most kBarMaximum.
int RateBarValue(std::int64_t rate);

} // namespace corvane
