// SPDX-License-Identifier: GPL-3.0-or-later
// The reset command: keys, stage, difficulty, voice and the best scores back
// to the first run's, behind a typed word.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <set>
#include <string>

#include "game_fixtures.h"

namespace {

// What the reset touches, read after the answer.
struct Kept {
    int keyS0, keySA, unlockStage, difficulty;
    bool voice;
    int32_t firstScore, lastScore;
    std::string lastName;
    bool operator==(const Kept&) const = default;
};

void PrintTo(const Kept& k, std::ostream* os) {
    *os << "{keys " << k.keyS0 << "/" << k.keySA << ", stage " << k.unlockStage << ", difficulty " << k.difficulty
        << ", voice " << k.voice << ", scores " << k.firstScore << "/" << k.lastScore << ", last name '" << k.lastName
        << "'}";
}

// Only the exact word resets keys, stage, difficulty, voice and the table;
// the other modes stay, and what the menu offers waits for the next start.
TEST(MenuReset, OnlyTheExactWordResetsAndTheModesStay) {
    const Kept untouched{.keyS0 = 65,
                         .keySA = 100,
                         .unlockStage = 7,
                         .difficulty = 1,
                         .voice = false,
                         .firstScore = 1,
                         .lastScore = 5,
                         .lastName = ""};
    const Kept reset{.keyS0 = 90,
                     .keySA = 39,
                     .unlockStage = 3,
                     .difficulty = 3,
                     .voice = true,
                     .firstScore = 600,
                     .lastScore = 1000,
                     .lastName = "---"};
    struct Case {
        std::optional<std::string> answer;  // none: cancelled
        bool resets;
    };
    const Case cases[] = {
        {.answer = "reset", .resets = true},       {.answer = "Reset", .resets = false},
        {.answer = "reset ", .resets = false},     {.answer = "rese", .resets = false},
        {.answer = std::nullopt, .resets = false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or("(cancel)"));
        fake::Game g;
        game::Form1& f = g.f;
        f.KeyS0 = 65, f.KeySA = 100, f.unlockStage = 7, f.hiScore = {1, 2, 3, 4, 5};
        f.mnulv[1].click();
        f.mnulv[5].click();
        f.mnulv[4].enabled = true;
        f.mnulv[6].visible = true;
        f.mnuFPS.checked = true;
        f.mnuVoice.checked = false;
        f.mnuVio.checked = false;
        if (c.answer) g.sv.inputAnswers = {*c.answer};
        f.mnuReset.click();
        ASSERT_EQ(g.sv.inputs.size(), 1u);
        ASSERT_EQ(g.sv.messages.size(), 1u);
        EXPECT_EQ(g.sv.inputs[0].title, "リセット確認");
        EXPECT_EQ(g.sv.messages[0].title, c.resets ? "完了。" : "こけおどしめ！");
        const Kept now{.keyS0 = f.KeyS0,
                       .keySA = f.KeySA,
                       .unlockStage = f.unlockStage,
                       .difficulty = f.difficulty,
                       .voice = f.mnuVoice.checked,
                       .firstScore = f.hiScore[0],
                       .lastScore = f.hiScore[4],
                       .lastName = f.hiName[4]};
        EXPECT_EQ(now, c.resets ? reset : untouched);
        EXPECT_EQ(fake::checkedDifficultyItems(f), (c.resets ? std::set<int>{3, 5} : std::set<int>{1, 5}))
            << "the mark moves at once";
        EXPECT_TRUE(f.mnulv[4].enabled) << "the menu waits for the next start";
        EXPECT_TRUE(f.mnulv[6].visible) << "the menu waits for the next start";
        EXPECT_FALSE(f.mnuVio.checked) << "the modes stay";
        EXPECT_TRUE(f.mnuFPS.checked) << "the modes stay";
    }
}

}  // namespace
