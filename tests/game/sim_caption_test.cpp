// SPDX-License-Identifier: GPL-3.0-or-later
// The result caption after a game and its short form.
#include <gtest/gtest.h>

#include "game_fixtures.h"

namespace {

// No points, no result; a score or level too long for the title drops it;
// a difficulty outside the table shows no short name.
TEST(Caption, ShowsTheResultAndDropsTheTitleWhenItGetsLong) {
    struct Case {
        int32_t score, level;
        int16_t difficulty;
        const char* caption;
    };
    const Case cases[] = {
        {.score = 0, .level = 999, .difficulty = 4, .caption = "ルル子の VORN BEAM"},
        {.score = 1, .level = 1, .difficulty = 0, .caption = "ルル子の VORN BEAM[Score:10][Lv:1]S.EZ"},
        {.score = 9999, .level = 30, .difficulty = 3, .caption = "ルル子の VORN BEAM[Score:99990][Lv:30]NOM"},
        {.score = 10000, .level = 40, .difficulty = 4, .caption = "(前略)...[Score:100000][Lv:40]Exp"},
        {.score = 0, .level = 1000, .difficulty = 1, .caption = "(前略)...[Score:00][Lv:1000]V.EZ"},
        {.score = 10, .level = 2, .difficulty = 5, .caption = "ルル子の VORN BEAM[Score:100][Lv:2]"},
    };
    fake::Game g;
    g.f.diffShortName = {"S.EZ", "V.EZ", "EZ", "NOM", "Exp"};
    for (const Case& c : cases) {
        g.f.score = c.score;
        g.f.level = c.level;
        g.f.difficulty = c.difficulty;
        g.f.updateCaption();
        EXPECT_EQ(g.f.form.caption, c.caption) << c.score << " / " << c.level;
    }
}

}  // namespace
