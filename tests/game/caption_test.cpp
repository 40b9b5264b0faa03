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
        {0, 1, 2, "ルル子の VORN BEAM"},
        {0, 999, 4, "ルル子の VORN BEAM"},
        {-5, 3, 0, "ルル子の VORN BEAM"},
        {1, 1, 0, "ルル子の VORN BEAM[Score:10][Lv:1]S.EZ"},
        {123, 5, 2, "ルル子の VORN BEAM[Score:1230][Lv:5]EZ"},
        {9999, 30, 3, "ルル子の VORN BEAM[Score:99990][Lv:30]NOM"},
        {10000, 40, 4, "(前略)...[Score:100000][Lv:40]Exp"},
        {0, 1000, 1, "(前略)...[Score:00][Lv:1000]V.EZ"},
        {50, 1000, 2, "(前略)...[Score:500][Lv:1000]EZ"},
        {12345678, 9999, 4, "(前略)...[Score:123456780][Lv:9999]Exp"},
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

TEST(Caption, ADifficultyOutsideTheTableShowsNoShortName) {
    fake::Game g;
    g.f.diffShortName = {"S.EZ", "V.EZ", "EZ", "NOM", "Exp"};
    g.f.score = 10;
    g.f.level = 2;
    for (int16_t d : {-1, 5, 999}) {
        g.f.difficulty = d;
        g.f.updateCaption();
        EXPECT_EQ(g.f.form.caption, "ルル子の VORN BEAM[Score:100][Lv:2]");
    }
}

}  // namespace
