// Difficulty and modes, the high-score box and the reset.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <tuple>
#include <vector>

#include "fake_services.h"

namespace {

using fake::Game;

std::set<int> checkedItems(const game::Form1& f) {
    std::set<int> on;
    for (int i = 0; i < 8; ++i)
        if (f.mnulv[i].checked) on.insert(i);
    return on;
}

// Items 0-4 are one checked difficulty, 5-7 are switches of their own.
TEST(MenuDifficulty, ClicksChooseOneDifficultyAndToggleModes) {
    const std::tuple<std::vector<int>, std::set<int>, int16_t> cases[] = {
        {{1}, {1}, 1},
        {{0, 4, 3}, {3}, 3},
        {{5}, {2, 5}, 2},
        {{5, 5}, {2}, 2},
        {{5, 6, 7, 1}, {1, 5, 6, 7}, 1},
        {{7, 0, 7, 6}, {0, 6}, 0},
    };
    for (const auto& [clicks, checked, difficulty] : cases) {
        Game g;
        g.f.difficulty = 2;
        for (int index : clicks) g.f.mnulv[index].click();
        EXPECT_TRUE(checkedItems(g.f) == checked && g.f.difficulty == difficulty) << clicks.size() << " clicks";
    }
}

// The scores are kept in tens: 0 shows as "00". Reopening replaces the text.
TEST(MenuHighScores, AfterAResetLineByLineAndAZeroScore) {
    Game g;
    g.startUp();
    g.sv.inputAnswers = {"reset"};
    g.f.mnuReset.click();
    g.f.mnuHS.click();
    EXPECT_EQ(g.f.Text1.text,
              "SUPER EASY 6000 ---\r\nVERY EASY  7000 ---\r\nEASY       8000 ---\r\nNORMAL     9000 ---\r\n"
              "EXPERT     10000 ---\r\n");
    g.f.Command1.click();
    EXPECT_FALSE(g.f.Command1.visible);
    g.f.hiScore[0] = 0, g.f.hiName[0] = "ルル子";
    g.f.mnuHS.click();
    EXPECT_TRUE(g.f.Text1.text.starts_with("SUPER EASY 00 ルル子\r\nVERY EASY  7000 ---\r\n")) << g.f.Text1.text;
    EXPECT_TRUE(g.f.Text1.visible && g.f.Command1.visible);
}

// Only the exact word resets keys, stage, difficulty, voice and the table;
// the other modes stay, and what the menu offers waits for the next start.
TEST(MenuReset, OnlyTheExactWordResetsAndTheModesStay) {
    const std::optional<std::string> answers[] = {"reset", "Reset", "reset ", "rese", std::nullopt};
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.value_or("(cancel)"));
        Game g;
        game::Form1& f = g.f;
        f.KeyS0 = 65, f.KeySA = 100, f.unlockStage = 7, f.hiScore = {1, 2, 3, 4, 5};
        f.mnulv[1].click(), f.mnulv[5].click();
        f.mnulv[4].enabled = f.mnulv[6].visible = f.mnuFPS.checked = true;
        f.mnuVoice.checked = f.mnuVio.checked = false;
        if (answer) g.sv.inputAnswers = {*answer};
        f.mnuReset.click();
        ASSERT_TRUE(g.sv.inputs.size() == 1 && g.sv.messages.size() == 1);
        EXPECT_TRUE(g.sv.inputs[0].title == "リセット確認" && f.mnulv[4].enabled && f.mnulv[6].visible &&
                    !f.mnuVio.checked && f.mnuFPS.checked);
        const bool reset = answer == "reset";
        EXPECT_EQ(g.sv.messages[0].title, reset ? "完了。" : "こけおどしめ！");
        const auto now = std::tuple(int{f.KeyS0}, int{f.KeySA}, int{f.unlockStage}, int{f.difficulty},
                                    f.mnuVoice.checked, f.hiScore[0], f.hiScore[4]);
        EXPECT_EQ(now, reset ? std::tuple(90, 39, 3, 3, true, 600, 1000) : std::tuple(65, 100, 7, 1, false, 1, 5));
        EXPECT_EQ(f.hiName[4], reset ? "---" : "");
        EXPECT_EQ(checkedItems(f), (reset ? std::set<int>{3, 5} : std::set<int>{1, 5})) << "the mark moves at once";
    }
}

}  // namespace
