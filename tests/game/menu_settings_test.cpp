// Difficulty and modes, the high-score box and the reset.
#include <gtest/gtest.h>

#include <array>
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
        EXPECT_EQ(checkedItems(g.f), checked) << clicks.size() << " clicks";
        EXPECT_EQ(g.f.difficulty, difficulty);
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
    EXPECT_TRUE(g.f.Text1.visible && g.f.Command1.visible);
    g.f.Command1.click();
    EXPECT_FALSE(g.f.Command1.visible);
    g.f.hiScore[0] = 0;
    g.f.hiName[0] = "ルル子";
    g.f.mnuHS.click();
    EXPECT_TRUE(g.f.Text1.text.starts_with("SUPER EASY 00 ルル子\r\nVERY EASY  7000 ---\r\n")) << g.f.Text1.text;
    EXPECT_TRUE(g.f.Text1.visible && g.f.Command1.visible);
}

TEST(MenuReset, OnlyTheExactWordResetsAndTheModesStay) {
    const std::optional<std::string> answers[] = {"reset", "Reset", "reset ", "rese", std::nullopt};
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.value_or("(cancel)"));
        Game g;
        game::Form1& f = g.f;
        // A player's state far from the factory values.
        f.KeyS0 = 65, f.KeySA = 100, f.unlockStage = 7;
        f.mnulv[1].click();
        f.mnulv[5].click();
        f.mnulv[4].enabled = f.mnulv[6].visible = true;
        f.mnuVoice.checked = f.mnuVio.checked = false;
        f.mnuFPS.checked = true;
        f.hiScore = {1, 2, 3, 4, 5};
        if (answer) g.sv.inputAnswers = {*answer};
        f.mnuReset.click();
        ASSERT_EQ(g.sv.inputs.size(), 1u);
        EXPECT_EQ(g.sv.inputs[0].text,
                  "設定の全てをリセットします。\r\nリセットする場合は、以下の欄に\r\n"
                  "reset と入力してください。\r\n大文字小文字区別有り。");
        EXPECT_EQ(g.sv.inputs[0].title, "リセット確認");
        ASSERT_EQ(g.sv.messages.size(), 1u);
        const auto& box = g.sv.messages[0];
        EXPECT_TRUE(f.mnulv[4].enabled && f.mnulv[6].visible) << "availability waits for the next start";
        EXPECT_TRUE(!f.mnuVio.checked && f.mnuFPS.checked);
        if (answer != "reset") {
            EXPECT_EQ(box.text, "キャンセルしました。\r\nリセットは行われませんでした。");
            EXPECT_EQ(box.title, "こけおどしめ！");
            EXPECT_EQ(box.style, platform::kMbExclamation);
            EXPECT_EQ((std::tuple<int, int, int, int>(f.KeyS0, f.KeySA, f.unlockStage, f.hiScore[0])),
                      (std::tuple<int, int, int, int>(65, 100, 7, 1)))
                << "nothing changes";
            EXPECT_EQ(checkedItems(f), (std::set<int>{1, 5}));
            EXPECT_FALSE(f.mnuVoice.checked);
            continue;
        }
        EXPECT_EQ(box.text, "設定をリセットしました。");
        EXPECT_EQ(box.title, "完了。");
        EXPECT_EQ(box.style, platform::kMbInformation);
        EXPECT_EQ((std::array{f.KeyS0, f.KeyS1, f.KeyS2, f.KeyS3, f.KeyS4, f.KeyS5, f.KeyS6, f.KeyS7, f.KeyS8, f.KeyS9,
                              f.KeySA}),
                  (std::array<int16_t, 11>{90, 66, 88, 86, 67, 32, 16, 77, 84, 37, 39}));
        EXPECT_EQ(f.unlockStage, 3);
        EXPECT_EQ(f.difficulty, 3);
        EXPECT_EQ(f.hiScore, (std::array<int32_t, 5>{600, 700, 800, 900, 1000}));
        EXPECT_EQ(f.hiName, (std::array<std::string, 5>{"---", "---", "---", "---", "---"}));
        EXPECT_EQ(checkedItems(f), (std::set<int>{3, 5})) << "the mark moves to NORMAL at once";
        EXPECT_TRUE(f.mnuVoice.checked);
    }
}

}  // namespace
