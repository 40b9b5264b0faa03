// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score box.
#include <gtest/gtest.h>

#include "game_fixtures.h"

namespace {

// The scores are kept in tens: 0 shows as "00". Reopening replaces the text.
TEST(MenuHighScores, AfterAResetLineByLineAndAZeroScore) {
    fake::Game g;
    g.startUp();
    g.sv.inputAnswers = {"reset"};
    g.f.mnuReset.click();
    g.f.mnuHS.click();
    EXPECT_EQ(g.f.Text1.text,
              "SUPER EASY 6000 ---\r\nVERY EASY  7000 ---\r\nEASY       8000 ---\r\nNORMAL     9000 ---\r\n"
              "EXPERT     10000 ---\r\n");
    g.f.Command1.click();
    EXPECT_FALSE(g.f.Command1.visible);
    g.f.hiScore[0] = 0;
    g.f.hiName[0] = "ルル子";
    g.f.mnuHS.click();
    EXPECT_TRUE(g.f.Text1.text.starts_with("SUPER EASY 00 ルル子\r\nVERY EASY  7000 ---\r\n")) << g.f.Text1.text;
    EXPECT_TRUE(g.f.Text1.visible);
    EXPECT_TRUE(g.f.Command1.visible);
}

}  // namespace
