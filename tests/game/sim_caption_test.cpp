// The result caption after a game and its short form.
#include <gtest/gtest.h>

#include "fake_services.h"

namespace {

// No points, no result; a score or level too long for the title drops it;
// a difficulty outside the table shows no short name.
TEST(Caption, ShowsTheResultAndDropsTheTitleWhenItGetsLong) {
    const std::tuple<int32_t, int32_t, int16_t, const char*> cases[] = {
        {0, 999, 4, "ルル子の VORN BEAM"},
        {1, 1, 0, "ルル子の VORN BEAM[Score:10][Lv:1]S.EZ"},
        {9999, 30, 3, "ルル子の VORN BEAM[Score:99990][Lv:30]NOM"},
        {10000, 40, 4, "(前略)...[Score:100000][Lv:40]Exp"},
        {0, 1000, 1, "(前略)...[Score:00][Lv:1000]V.EZ"},
        {10, 2, 5, "ルル子の VORN BEAM[Score:100][Lv:2]"},
    };
    fake::Game g;
    g.f.diffShortName = {"S.EZ", "V.EZ", "EZ", "NOM", "Exp"};
    for (const auto& [score, level, difficulty, caption] : cases) {
        g.f.score = score, g.f.level = level, g.f.difficulty = difficulty;
        g.f.updateCaption();
        EXPECT_EQ(g.f.form.caption, caption) << score << " / " << level;
    }
}

}  // namespace
