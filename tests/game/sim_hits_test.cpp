#include "sim_fixture.h"

using namespace simtest;

namespace {

TEST(SimHits, GaugeGainByDifficultyAtItsThresholds) {
    struct Case {
        int16_t difficulty;
        int32_t level, gauge, power;
        int16_t wave;
        int32_t gain;
    } cases[] = {{0, 9, 74, 1, 0, 1}, {0, 9, 73, 1, 0, 2}, {0, 8, 0, 1, 0, 1},   {0, 1, 0, 5, 0, 4},
                 {0, 1, 0, 4, 0, 1},  {0, 1, 0, 5, 1, 1},  {1, 11, 48, 1, 0, 2}, {1, 11, 49, 1, 0, 1},
                 {1, 10, 0, 1, 0, 1}, {2, 9, 0, 5, 0, 3},  {2, 10, 0, 5, 0, 2},  {2, 12, 0, 5, 1, 2},
                 {3, 50, 0, 6, 0, 1}, {3, 50, 0, 7, 0, 2}, {3, 50, 0, 7, 1, 1},  {4, 50, 0, 9, 0, 0}};
    for (const auto& c : cases) {
        Sim s(c.difficulty, c.level);
        s.f.gauge = c.gauge;
        s.f.gainGauge(s.placeShot(0, 100, c.wave, c.power));
        EXPECT_EQ(s.f.gauge - c.gauge, c.gain) << "row " << &c - cases;
    }
}

TEST(SimLevel, ThresholdsAndFireSpan) {
    struct Case {
        int32_t kills, level;
        int16_t fireSpan;
    } cases[] = {{15, 1, 4},   {16, 2, 4},        {125, 5, 4},       {126, 6, 3},          {205, 7, 3},
                 {206, 8, 2},  {310, 9, 2},       {311, 10, 1},      {435, 11, 1},         {436, 12, 1},
                 {500, 13, 1}, {999099, 9998, 1}, {999100, 9999, 1}, {2000000000, 9999, 1}};
    for (const auto& c : cases) {
        Sim s;
        s.f.kills = c.kills;
        s.f.updateLevel();
        EXPECT_EQ(std::tuple(s.f.level, s.f.fireSpan), std::tuple(c.level, c.fireSpan)) << c.kills;
    }
}

}  // namespace
