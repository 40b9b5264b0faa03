// SPDX-License-Identifier: GPL-3.0-or-later
// Hits: the gauge a kill pays, by difficulty, level, shot power and kind.
#include "sim_fixture.h"

using namespace simtest;

namespace {

TEST(SimHits, GaugeGainByDifficultyAtItsThresholds) {
    struct Case {
        int16_t difficulty;
        int32_t level, gauge, power;
        int16_t wave;
        int32_t gain;
    };
    const Case cases[] = {
        {.difficulty = 0, .level = 9, .gauge = 74, .power = 1, .wave = 0, .gain = 1},
        {.difficulty = 0, .level = 9, .gauge = 73, .power = 1, .wave = 0, .gain = 2},
        {.difficulty = 0, .level = 8, .gauge = 0, .power = 1, .wave = 0, .gain = 1},
        {.difficulty = 0, .level = 1, .gauge = 0, .power = 5, .wave = 0, .gain = 4},
        {.difficulty = 0, .level = 1, .gauge = 0, .power = 4, .wave = 0, .gain = 1},
        {.difficulty = 0, .level = 1, .gauge = 0, .power = 5, .wave = 1, .gain = 1},
        {.difficulty = 1, .level = 11, .gauge = 48, .power = 1, .wave = 0, .gain = 2},
        {.difficulty = 1, .level = 11, .gauge = 49, .power = 1, .wave = 0, .gain = 1},
        {.difficulty = 1, .level = 10, .gauge = 0, .power = 1, .wave = 0, .gain = 1},
        {.difficulty = 2, .level = 9, .gauge = 0, .power = 5, .wave = 0, .gain = 3},
        {.difficulty = 2, .level = 10, .gauge = 0, .power = 5, .wave = 0, .gain = 2},
        {.difficulty = 2, .level = 12, .gauge = 0, .power = 5, .wave = 1, .gain = 2},
        {.difficulty = 3, .level = 50, .gauge = 0, .power = 6, .wave = 0, .gain = 1},
        {.difficulty = 3, .level = 50, .gauge = 0, .power = 7, .wave = 0, .gain = 2},
        {.difficulty = 3, .level = 50, .gauge = 0, .power = 7, .wave = 1, .gain = 1},
        {.difficulty = 4, .level = 50, .gauge = 0, .power = 9, .wave = 0, .gain = 0},
    };
    for (const Case& c : cases) {
        Sim s(c.difficulty, c.level);
        s.f.gauge = c.gauge;
        s.f.gainGauge(s.placeShot(0, 100, c.wave, c.power));
        EXPECT_EQ(s.f.gauge - c.gauge, c.gain) << "row " << &c - cases;
    }
}

}  // namespace
