// Whole game ends on the fake platform: the best-score entry, the unlock rules
// with their messages, and the save.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fake_services.h"
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
        f.difficulty = difficulty, f.unlockStage = stage, f.score = score, f.level = 7;
    }
    void run(int16_t caught = 0) {
        f.caughtInLane = caught, f.scene = 3, f.mnuLevel.enabled = f.mnuHS.enabled = false;
        f.runPass();
    }
    int16_t savedStage() const { return settings::readSettings(folder.read(), {}).values.unlockStage; }
};

// The slash, the blood and the poem only when the enemy came up the heroine's
// lane and the violent option is on; otherwise the plain ending's voice.
TEST(GameEnd, TheLongEndingNeedsTheHeroinesLaneAndTheViolenceOption) {
    for (const auto& [caught, violent, longEnding] :
         {std::tuple(-1, true, true), {0, true, false}, {-1, false, false}}) {
        Ended e(2, 2, 12);
        e.f.hiScore[2] = 1000;  // no best score, no box
        e.f.mnuVio.checked = violent;
        e.run(static_cast<int16_t>(caught));
        const auto heard = [&](const char* wav) {
            return std::ranges::any_of(e.g.sv.sounds, [&](const std::string& s) { return s.ends_with(wav); });
        };
        const bool poem = std::ranges::any_of(
            e.g.sv.captions, [](const std::string& t) { return t.find("VORN BEAM") == std::string::npos; });
        EXPECT_TRUE(poem == longEnding && heard("/se1.wav") == longEnding && heard("/voice5.wav") == !longEnding)
            << caught << violent;
        EXPECT_TRUE(e.f.scene == 0 && e.f.mnuLevel.enabled && e.f.mnuHS.enabled) << "back to the title";
    }
}

TEST(GameEnd, ANewBestScoreAsksForTheNameAndIsSavedAtOnce) {
    // best, score, answer (nullptr: cancelled), stored, on disk (nullptr: nothing saved), stage after
    const std::tuple<int32_t, int32_t, const char*, const char*, const char*, int16_t> cases[] = {
        {1233, 1234, "ルル子 2", "ルル子 2", "ルル子 2", 7},
        {500, 500, "x", "---", nullptr, 7},  // equal to the best: not recorded
        {0, 1, nullptr, "No Name", "No Name", 7},
        // a double quote would end a quoted item: told, and stored as "?"
        {0, 1, "\"\"", "\"\"", "??", 7},
        {0, 1, "Lulu \"the\" Beam", "Lulu \"the\" Beam", "Lulu ?the? Beam", 7},
        {0, 1, "  Smith, John ", "  Smith, John ", "  Smith, John ", 7},
        // no emoji in code page 932
        {0, 1, "絵文字\xF0\x9F\x98\x80です", "絵文字\xF0\x9F\x98\x80です", "絵文字?です", 7},
        {0, 1, "Mizuka Ne", "Mizuka Ne", "Mizuka Ne", 5},  // the secret name: stage 5, whatever it was
        {0, 1, "mizuka ne", "mizuka ne", "mizuka ne", 7},
    };
    for (const auto& [best, score, answer, stored, onDisk, stageAfter] : cases) {
        Ended e(3, 7, score, answer);
        e.f.hiScore[3] = best;
        const uint64_t draws = e.f.rnd.draws();
        int16_t savedAtBox = -1;
        e.g.sv.onMessage = [&] { savedAtBox = e.savedStage(); };
        e.run();
        EXPECT_TRUE(e.f.hiName[3] == stored && e.f.unlockStage == stageAfter) << stored;
        EXPECT_EQ(std::filesystem::exists(e.folder.ini()), onDisk != nullptr);
        EXPECT_TRUE(onDisk || (e.g.sv.inputs.empty() && e.f.hiScore[3] == best));
        if (!onDisk) continue;
        ASSERT_EQ(e.g.sv.inputs.size(), 1u);
        EXPECT_EQ(e.g.sv.inputs[0].text, "おめでとうございます。\r\n" + std::to_string(score) +
                                             "0点でハイスコアです。\r\n名前を入力してください。");
        EXPECT_EQ(e.f.rnd.draws(), draws) << "saving leaves the game's random sequence alone";
        const settings::SettingsValues saved = settings::readSettings(e.folder.read(), {}).values;  // as if killed now
        EXPECT_TRUE(saved.hiScore[3] == score && saved.hiName[3] == onDisk && saved.unlockStage == stageAfter);
        // A name the file cannot hold whole is told once, before it is saved.
        const bool changed = stored != std::string(onDisk);
        game::saveSettingsNow(e.f);
        ASSERT_EQ(e.g.sv.messages.size(), (stageAfter == 5 ? 1u : 0u) + (changed ? 1u : 0u));
        for (const auto& box : e.g.sv.messages)
            EXPECT_TRUE(changed ? box.text.ends_with("「" + std::string(stored) + "」→「" + onDisk + "」")
                                : box.text == "Neでーす！" && box.style == platform::kMbExclamation && savedAtBox == 5)
                << box.text;
    }
}

// Each rule opens its stage with its box, the stage on disk before the box shows.
TEST(GameEnd, UnlockRulesInOrderWithStrictThresholds) {
    const char* over[] = {"7,000点", "13,000点", "20,000点", "50,000点", "80,000点"};
    // mode (5 GOLDEN FINGER, 6 SPILITUAL FEVER: no record, but rules 1-3 apply), difficulty, stage, score,
    // the stages the firing rules open, in order
    const std::tuple<int, int16_t, int16_t, int32_t, std::vector<int16_t>> cases[] = {
        {0, 2, 2, 699, {}},         {0, 2, 2, 700, {3}},     {0, 3, 3, 1299, {}},  {0, 3, 3, 1300, {4}},
        {0, 4, 4, 1999, {}},        {0, 4, 4, 2000, {5}},    {0, 4, 5, 4999, {}},  {0, 4, 6, 7999, {}},
        {0, 4, 4, 8000, {5, 6, 7}}, {0, 4, 2, 8000, {6, 7}},  // only the last two rules ignore the stage
        {0, 2, 3, 5000, {}},        {0, 1, 2, 9000, {}},      // only the highest open difficulty counts
        {5, 2, 2, 800, {3}},        {6, 3, 3, 1300, {4}},    {5, 4, 4, 8000, {5}}, {6, 4, 4, 8000, {5, 6, 7}},
    };
    for (const auto& [mode, difficulty, stage, score, opened] : cases) {
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
