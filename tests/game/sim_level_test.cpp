// SPDX-License-Identifier: GPL-3.0-or-later
// The level from the kills, and the fire span that comes with it.
#include "sim_fixture.h"

using namespace simtest;

namespace {

TEST(SimLevel, ThresholdsAndFireSpan) {
    struct Case {
        int32_t kills, level;
        int16_t fireSpan;
    };
    const Case cases[] = {
        {.kills = 15, .level = 1, .fireSpan = 4},        {.kills = 16, .level = 2, .fireSpan = 4},
        {.kills = 125, .level = 5, .fireSpan = 4},       {.kills = 126, .level = 6, .fireSpan = 3},
        {.kills = 205, .level = 7, .fireSpan = 3},       {.kills = 206, .level = 8, .fireSpan = 2},
        {.kills = 310, .level = 9, .fireSpan = 2},       {.kills = 311, .level = 10, .fireSpan = 1},
        {.kills = 435, .level = 11, .fireSpan = 1},      {.kills = 436, .level = 12, .fireSpan = 1},
        {.kills = 500, .level = 13, .fireSpan = 1},      {.kills = 999099, .level = 9998, .fireSpan = 1},
        {.kills = 999100, .level = 9999, .fireSpan = 1}, {.kills = 2000000000, .level = 9999, .fireSpan = 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kills << " kills");
        Sim s;
        s.f.kills = c.kills;
        s.f.updateLevel();
        EXPECT_EQ(s.f.level, c.level);
        EXPECT_EQ(s.f.fireSpan, c.fireSpan);
    }
}

}  // namespace
