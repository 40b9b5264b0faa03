// SPDX-License-Identifier: GPL-3.0-or-later
// Whole game ends on the fake platform: the best-score entry, the unlock rules
// with their messages, and the save.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game_fixtures.h"
#include "shell/settings_file.h"
#include "shell/settings_format.h"

namespace {

using EndGame = fake::FolderGame;
namespace settings = game::settings;

// A game that has just ended: scene 3, the enemy through.
struct Ended : EndGame {
    Ended(int16_t difficulty, int16_t stage, int32_t score, const char* answer = nullptr) {
        g.startUp();
        g.sv.idleStep = 50;  // few blood passes
        if (answer) g.sv.inputAnswers = {answer};
        f.difficulty = difficulty;
        f.unlockStage = stage;
        f.score = score;
        f.level = 7;
    }
    void run(int16_t caught = 0) {
        f.caughtInLane = caught;
        f.scene = 3;
        f.mnuLevel.enabled = false;
        f.mnuHS.enabled = false;
        f.runPass();
    }
    int16_t savedStage() const { return settings::readSettings(folder.read(), {}).values.unlockStage; }
};

// The slash, the blood and the poem only when the enemy came up the heroine's
// lane and the violent option is on; otherwise the plain ending's voice.
TEST(GameEnd, TheLongEndingNeedsTheHeroinesLaneAndTheViolenceOption) {
    struct Case {
        const char* name;
        int16_t caught;
        bool violent, longEnding;
    };
    const Case cases[] = {
        {.name = "caught, violent", .caught = -1, .violent = true, .longEnding = true},
        {.name = "another lane", .caught = 0, .violent = true, .longEnding = false},
        {.name = "not violent", .caught = -1, .violent = false, .longEnding = false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ended e(2, 2, 12);
        e.f.hiScore[2] = 1000;  // no best score, no box
        e.f.mnuVio.checked = c.violent;
        e.run(c.caught);
        const auto heard = [&](const char* wav) {
            return std::ranges::any_of(e.g.sv.sounds, [&](const std::string& s) { return s.ends_with(wav); });
        };
        const bool poem = std::ranges::any_of(
            e.g.sv.captions, [](const std::string& t) { return t.find("VORN BEAM") == std::string::npos; });
        EXPECT_EQ(poem, c.longEnding) << "the poem in the caption";
        EXPECT_EQ(heard("/se1.wav"), c.longEnding) << "the slash";
        EXPECT_EQ(heard("/voice5.wav"), !c.longEnding) << "the plain ending's voice";
        EXPECT_EQ(e.f.scene, 0) << "back to the title";
        EXPECT_TRUE(e.f.mnuLevel.enabled) << "back to the title";
        EXPECT_TRUE(e.f.mnuHS.enabled) << "back to the title";
    }
}

TEST(GameEnd, ANewBestScoreAsksForTheNameAndIsSavedAtOnce) {
    struct Case {
        int32_t best, score;
        const char* answer;  // nullptr: cancelled
        const char* stored;  // the name the game holds
        const char* onDisk;  // nullptr: nothing saved
        int16_t stageAfter = 7;
    };
    const Case cases[] = {
        {.best = 1233, .score = 1234, .answer = "ルル子 2", .stored = "ルル子 2", .onDisk = "ルル子 2"},
        // Equal to the best: not recorded.
        {.best = 500, .score = 500, .answer = "x", .stored = "---", .onDisk = nullptr},
        {.best = 0, .score = 1, .answer = nullptr, .stored = "No Name", .onDisk = "No Name"},
        // A double quote would end a quoted item: told, and stored as "?".
        {.best = 0, .score = 1, .answer = "\"\"", .stored = "\"\"", .onDisk = "??"},
        {.best = 0,
         .score = 1,
         .answer = "Lulu \"the\" Beam",
         .stored = "Lulu \"the\" Beam",
         .onDisk = "Lulu ?the? Beam"},
        {.best = 0, .score = 1, .answer = "  Smith, John ", .stored = "  Smith, John ", .onDisk = "  Smith, John "},
        // No emoji in code page 932.
        {.best = 0,
         .score = 1,
         .answer = "絵文字\xF0\x9F\x98\x80です",
         .stored = "絵文字\xF0\x9F\x98\x80です",
         .onDisk = "絵文字?です"},
        // The secret name: stage 5, whatever it was.
        {.best = 0, .score = 1, .answer = "Mizuka Ne", .stored = "Mizuka Ne", .onDisk = "Mizuka Ne", .stageAfter = 5},
        {.best = 0, .score = 1, .answer = "mizuka ne", .stored = "mizuka ne", .onDisk = "mizuka ne"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const auto& [best, score, answer, stored, onDisk, stageAfter] = c;
        Ended e(3, 7, score, answer);
        e.f.hiScore[3] = best;
        const uint64_t draws = e.f.rnd.draws();
        int16_t savedAtBox = -1;
        e.g.sv.onMessage = [&] { savedAtBox = e.savedStage(); };
        e.run();
        EXPECT_EQ(e.f.hiName[3], stored);
        EXPECT_EQ(e.f.unlockStage, stageAfter);
        EXPECT_EQ(std::filesystem::exists(e.folder.ini()), onDisk != nullptr);
        if (!onDisk) {
            EXPECT_EQ(e.g.sv.inputs.size(), 0u) << "no name asked";
            EXPECT_EQ(e.f.hiScore[3], best) << "the best score stays";
            continue;
        }
        ASSERT_EQ(e.g.sv.inputs.size(), 1u);
        EXPECT_EQ(e.g.sv.inputs[0].text, "おめでとうございます。\r\n" + std::to_string(score) +
                                             "0点でハイスコアです。\r\n名前を入力してください。");
        EXPECT_EQ(e.f.rnd.draws(), draws) << "saving leaves the game's random sequence alone";
        const settings::SettingsValues saved = settings::readSettings(e.folder.read(), {}).values;  // as if killed now
        EXPECT_EQ(saved.hiScore[3], score);
        EXPECT_EQ(saved.hiName[3], onDisk);
        EXPECT_EQ(saved.unlockStage, stageAfter);
        // A name the file cannot hold whole is told once, before it is saved.
        const bool changed = stored != std::string(onDisk);
        game::saveSettingsNow(e.f);
        ASSERT_EQ(e.g.sv.messages.size(), (stageAfter == 5 ? 1u : 0u) + (changed ? 1u : 0u));
        for (const auto& box : e.g.sv.messages) {
            if (changed) {
                EXPECT_TRUE(box.text.ends_with("「" + std::string(stored) + "」→「" + onDisk + "」")) << box.text;
                continue;
            }
            EXPECT_EQ(box.text, "Neでーす！");
            EXPECT_EQ(box.style, platform::kMbExclamation);
            EXPECT_EQ(savedAtBox, 5) << "the stage on disk before the box shows";
        }
    }
}

// Each rule opens its stage with its box, the stage on disk before the box shows.
TEST(GameEnd, UnlockRulesInOrderWithStrictThresholds) {
    const char* over[] = {"7,000点", "13,000点", "20,000点", "50,000点", "80,000点"};
    struct Case {
        int mode;  // 5 GOLDEN FINGER, 6 SPILITUAL FEVER: no record, but rules 1-3 apply
        int16_t difficulty, stage;
        int32_t score;
        std::vector<int16_t> opened;  // the stages the firing rules open, in order
    };
    const Case cases[] = {
        {.mode = 0, .difficulty = 2, .stage = 2, .score = 699, .opened = {}},
        {.mode = 0, .difficulty = 2, .stage = 2, .score = 700, .opened = {3}},
        {.mode = 0, .difficulty = 3, .stage = 3, .score = 1299, .opened = {}},
        {.mode = 0, .difficulty = 3, .stage = 3, .score = 1300, .opened = {4}},
        {.mode = 0, .difficulty = 4, .stage = 4, .score = 1999, .opened = {}},
        {.mode = 0, .difficulty = 4, .stage = 4, .score = 2000, .opened = {5}},
        {.mode = 0, .difficulty = 4, .stage = 5, .score = 4999, .opened = {}},
        {.mode = 0, .difficulty = 4, .stage = 6, .score = 7999, .opened = {}},
        {.mode = 0, .difficulty = 4, .stage = 4, .score = 8000, .opened = {5, 6, 7}},
        // Only the last two rules ignore the stage.
        {.mode = 0, .difficulty = 4, .stage = 2, .score = 8000, .opened = {6, 7}},
        // Only the highest open difficulty counts.
        {.mode = 0, .difficulty = 2, .stage = 3, .score = 5000, .opened = {}},
        {.mode = 0, .difficulty = 1, .stage = 2, .score = 9000, .opened = {}},
        {.mode = 5, .difficulty = 2, .stage = 2, .score = 800, .opened = {3}},
        {.mode = 6, .difficulty = 3, .stage = 3, .score = 1300, .opened = {4}},
        {.mode = 5, .difficulty = 4, .stage = 4, .score = 8000, .opened = {5}},
        {.mode = 6, .difficulty = 4, .stage = 4, .score = 8000, .opened = {5, 6, 7}},
    };
    for (const Case& c : cases) {
        const auto& [mode, difficulty, stage, score, opened] = c;
        SCOPED_TRACE(testing::Message() << mode << " " << difficulty << "/" << stage << "/" << score);
        Ended e(difficulty, stage, score);
        e.f.mnulv[mode].checked = mode != 0;
        if (!mode) e.f.hiScore = {99999, 99999, 99999, 99999, 99999};
        std::vector<int16_t> savedAtBox;
        e.g.sv.onMessage = [&] {
            savedAtBox.push_back(e.savedStage());
            EXPECT_EQ(e.f.scene, 3) << "still in the game-over scene";
        };
        e.run();
        EXPECT_TRUE(e.g.sv.inputs.empty());
        EXPECT_EQ(savedAtBox, opened) << "each stage on disk before its box shows";
        ASSERT_EQ(e.g.sv.messages.size(), opened.size());
        for (size_t m = 0; m < opened.size(); ++m) {
            const int s = opened[m];
            EXPECT_TRUE(e.g.sv.messages[m].text.starts_with(over[s - 3])) << e.g.sv.messages[m].text;
            EXPECT_TRUE(s < 5 ? e.f.mnulv[s].enabled : e.f.mnulv[s].visible) << "the menu item it opens";
        }
        EXPECT_EQ(e.f.unlockStage, opened.empty() ? stage : opened.back());
    }
}

}  // namespace
