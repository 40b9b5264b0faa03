// SPDX-License-Identifier: GPL-3.0-or-later
// The difficulty menu: five difficulties and three modes.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game_fixtures.h"

namespace {

// Items 0-4 are one checked difficulty, 5-7 are switches of their own.
TEST(MenuDifficulty, ClicksChooseOneDifficultyAndToggleModes) {
    struct Case {
        std::vector<int> clicks;  // from EASY, nothing else checked
        std::set<int> checked;
        int16_t difficulty;
    };
    const Case cases[] = {
        {.clicks = {1}, .checked = {1}, .difficulty = 1},
        {.clicks = {0, 4, 3}, .checked = {3}, .difficulty = 3},
        {.clicks = {5}, .checked = {2, 5}, .difficulty = 2},
        {.clicks = {5, 5}, .checked = {2}, .difficulty = 2},
        {.clicks = {5, 6, 7, 1}, .checked = {1, 5, 6, 7}, .difficulty = 1},
        {.clicks = {7, 0, 7, 6}, .checked = {0, 6}, .difficulty = 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.clicks));
        fake::Game g;
        g.f.difficulty = 2;
        for (int index : c.clicks) g.f.mnulv[index].click();
        EXPECT_EQ(fake::checkedDifficultyItems(g.f), c.checked);
        EXPECT_EQ(g.f.difficulty, c.difficulty);
    }
}

}  // namespace
