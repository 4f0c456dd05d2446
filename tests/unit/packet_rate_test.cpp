#include "core/lookup/packet_rate.h"

#include <gtest/gtest.h>

namespace {

using namespace corvane;

TEST(RateBar, IsTheTruncatedSquareRootUpToFull) {
    const std::pair<int64_t, int> cases[] = {{0, 0},    {-3, 0},   {1, 1},     {3, 1},   {4, 2},
                                             {899, 29}, {900, 30}, {5000, 30}, {841, 29}};
    for (const auto& [rate, bar] : cases)
        EXPECT_EQ(RateBarValue(rate), bar) << rate;
}

// Rates fed second by second; the colour after each tick ('b' blue, 'r' red,
// '-' unchanged since the meter starts blue).
struct Sequence {
    std::vector<uint32_t> rates;
    std::string changes; // per tick: 'R' turned red, 'B' turned blue, '.' nothing
};

class Hysteresis : public ::testing::TestWithParam<Sequence> {};

TEST_P(Hysteresis, SwitchesAbove841AndBackAt840) {
    PacketRateMeter m;
    std::string seen;
    for (uint32_t rate : GetParam().rates) {
        m.Count(rate);
        auto r = m.Tick();
        if (!r.colourChanged)
            seen += '.';
        else
            seen += r.colour == kBarRedColour ? 'R' : 'B';
    }
    EXPECT_EQ(seen, GetParam().changes);
}

INSTANTIATE_TEST_SUITE_P(Rates, Hysteresis,
                         ::testing::Values(Sequence{{840}, "."}, Sequence{{841}, "."},
                                           Sequence{{842}, "R"}, Sequence{{842, 841}, "R."},
                                           Sequence{{842, 841, 840}, "R.B"},
                                           Sequence{{842, 0, 5, 900},
                                                    "R.B"
                                                    "R"},
                                           Sequence{{5000, 5000}, "R."}));

TEST(PacketRateMeter, LabelsAndBar) {
    PacketRateMeter m;
    const std::tuple<uint32_t, const char*, int> ticks[] = {{1, "1 pps", 1},
                                                            {57, "57 pps", 7},
                                                            {899, "899 pps", 29},
                                                            {0, "0 pps", 0},
                                                            {5000, "5000 pps", 30}};
    for (const auto& [count, label, bar] : ticks) {
        m.Count(count);
        auto r = m.Tick();
        EXPECT_EQ(r.label, label);
        EXPECT_EQ(r.bar, bar);
        EXPECT_EQ(m.PacketRate, static_cast<int32_t>(count));
    }
}

TEST(PacketRateMeter, ResetKeepsTheColour) {
    PacketRateMeter m;
    m.Count(1000);
    m.Tick();
    m.Reset();
    EXPECT_EQ(m.PacketCount, 0u);
    EXPECT_EQ(m.LastCount, 0u);
    EXPECT_TRUE(m.BarRed());
    m.Count(900);
    EXPECT_FALSE(m.Tick().colourChanged) << "still red from before";
}

TEST(PacketRateMeter, SurvivesCounterWrapAround) {
    PacketRateMeter m;
    m.PacketCount = 0xFFFFFFF0u;
    m.LastCount = 0xFFFFFFF0u;
    m.Count(0x20);
    EXPECT_EQ(m.Tick().rate, 0x20);
}

} // namespace
