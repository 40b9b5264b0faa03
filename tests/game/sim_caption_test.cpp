// The result caption after a game and its short form.
#include <gtest/gtest.h>

#include "fake_services.h"

namespace {

TEST(Caption, ShowsTheResultAndDropsTheTitleWhenItGetsLong) {
    struct Case {
        int32_t score, level;
        int16_t difficulty;
        const char* caption;
    } cases[] = {
        {0, 999, 4, "ルル子の VORN BEAM"},  // no points, no result
        {1, 1, 0, "ルル子の VORN BEAM[Score:10][Lv:1]S.EZ"},
        {9999, 30, 3, "ルル子の VORN BEAM[Score:99990][Lv:30]NOM"},  // the longest that keeps the title
        {10000, 40, 4, "(前略)...[Score:100000][Lv:40]Exp"},
        {0, 1000, 1, "(前略)...[Score:00][Lv:1000]V.EZ"},
        {10, 2, 5, "ルル子の VORN BEAM[Score:100][Lv:2]"},  // a difficulty outside the table
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
