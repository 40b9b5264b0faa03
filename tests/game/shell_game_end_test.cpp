// Whole game ends on the fake platform: the ending played, the best-score
// entry, the unlock rules with their messages, the save, and back to the title.
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

// The slash and the poem only when the heroine's lane let the enemy through
// and violence is on; otherwise her last word; silence with the voice off.
// Back to the title either way.
TEST(GameEnd, TheLongEndingNeedsTheHeroinesLaneAndTheViolenceOption) {
    for (auto [caught, violent, voice, longEnding] : {std::tuple{-1, true, true, true},
                                                      {0, true, true, false},
                                                      {-1, false, true, false},
                                                      {-1, true, false, true}}) {
        Ended e(2, 2, 12);
        e.f.hiScore[2] = 1000;  // no best score, no box
        e.f.mnuVio.checked = violent, e.f.mnuVoice.checked = voice;
        e.run(static_cast<int16_t>(caught));
        const auto heard = [&](const char* wav) {
            return std::ranges::any_of(e.g.sv.sounds, [&](const std::string& s) { return s.ends_with(wav); });
        };
        const bool poem =
            std::ranges::any_of(e.g.sv.captions, [](auto& t) { return t.find("VORN BEAM") == std::string::npos; });
        EXPECT_TRUE(poem == longEnding && heard("/se1.wav") == (voice && longEnding) &&
                    heard("/voice5.wav") == (voice && !longEnding) && (voice || e.g.sv.sounds.empty()))
            << caught << violent << voice;
        EXPECT_EQ(e.f.form.caption, "ルル子の VORN BEAM[Score:120][Lv:7]EZ");
        EXPECT_TRUE(e.f.scene == 0 && e.f.mnuLevel.enabled && e.f.mnuHS.enabled) << "back to the title";
    }
}

TEST(GameEnd, ANewBestScoreAsksForTheNameAndIsSavedAtOnce) {
    struct Case {
        int32_t best, score;
        const char *answer, *stored, *onDisk;  // answer nullptr: cancelled; onDisk nullptr: nothing saved
        int16_t stageAfter = 7;
    } cases[] = {
        {1233, 1234, "ルル子 2", "ルル子 2", "ルル子 2"},
        {500, 500, "x", "", nullptr},  // equal to the best: not recorded
        {0, 1, nullptr, "No Name", "No Name"},
        {0, 1, "\"\"", "No Name", "No Name"},
        {0, 1, "Lulu \"the\" Beam", "Lulu the Beam", "Lulu the Beam"},
        {0, 1, "  Smith, John ", "  Smith, John ", "  Smith, John "},
        {0, 1, "絵文字\xF0\x9F\x98\x80です", "絵文字\xF0\x9F\x98\x80です", "絵文字?です"},  // no emoji in code page 932
        {0, 1, "Mizuka Ne", "Mizuka Ne", "Mizuka Ne", 5},  // the secret name: stage 5, whatever it was
        {0, 1, "mizuka ne", "mizuka ne", "mizuka ne"},
    };
    for (const Case& c : cases) {
        Ended e(3, 7, c.score, c.answer);
        e.f.hiScore[3] = c.best;
        const uint64_t draws = e.f.rnd.draws();
        int16_t savedAtBox = -1;
        e.g.sv.onMessage = [&] { savedAtBox = e.savedStage(); };
        e.run();
        EXPECT_TRUE(e.f.hiName[3] == c.stored && e.f.unlockStage == c.stageAfter) << c.stored;
        EXPECT_EQ(std::filesystem::exists(e.folder.ini()), c.onDisk != nullptr);
        if (!c.onDisk) EXPECT_TRUE(e.g.sv.inputs.empty() && e.f.hiScore[3] == c.best);
        if (!c.onDisk) continue;
        ASSERT_EQ(e.g.sv.inputs.size(), 1u);
        EXPECT_EQ(e.g.sv.inputs[0].text, "おめでとうございます。\r\n" + std::to_string(c.score) +
                                             "0点でハイスコアです。\r\n名前を入力してください。");
        EXPECT_EQ(e.f.rnd.draws(), draws) << "saving leaves the game's random sequence alone";
        const settings::SettingsValues saved = settings::readSettings(e.folder.read(), {}).values;  // as if killed now
        EXPECT_TRUE(saved.hiScore[3] == c.score && saved.hiName[3] == c.onDisk && saved.unlockStage == c.stageAfter);
        // A name the file cannot hold whole is told once, before it is saved.
        const bool changed = c.stored != std::string(c.onDisk);
        game::saveSettingsNow(e.f);
        ASSERT_EQ(e.g.sv.messages.size(), (c.stageAfter == 5 ? 1u : 0u) + (changed ? 1u : 0u));
        for (const auto& box : e.g.sv.messages)
            EXPECT_TRUE(changed ? box.text.ends_with("「" + std::string(c.stored) + "」→「" + c.onDisk + "」")
                                : box.text == "Neでーす！" && box.style == platform::kMbExclamation && savedAtBox == 5)
                << box.text;
    }
}

// Each rule opens its stage with its box, the stage on disk before the box shows.
TEST(GameEnd, UnlockRulesInOrderWithStrictThresholds) {
    const char* over[] = {"7,000点", "13,000点", "20,000点", "50,000点", "80,000点"};
    struct Case {
        int mode;  // 0 none, 5 GOLDEN FINGER, 6 SPILITUAL FEVER: no record, but rules 1-3 apply
        int16_t difficulty, stage;
        int32_t score;
        std::vector<int16_t> opened;  // the stages the firing rules open, in order
    } cases[] = {
        {0, 2, 2, 699, {}},         {0, 2, 2, 700, {3}},     {0, 3, 3, 1299, {}},  {0, 3, 3, 1300, {4}},
        {0, 4, 4, 1999, {}},        {0, 4, 4, 2000, {5}},    {0, 4, 5, 4999, {}},  {0, 4, 6, 7999, {}},
        {0, 4, 4, 8000, {5, 6, 7}}, {0, 4, 2, 8000, {6, 7}},  // only the last two rules ignore the stage
        {0, 2, 3, 5000, {}},        {0, 1, 2, 9000, {}},      // only the highest open difficulty counts
        {5, 2, 2, 800, {3}},        {6, 3, 3, 1300, {4}},    {5, 4, 4, 8000, {5}}, {6, 4, 4, 8000, {5, 6, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.difficulty << "/" << c.stage << "/" << c.score);
        Ended e(c.difficulty, c.stage, c.score);
        e.f.mnulv[c.mode].checked = c.mode != 0;
        if (!c.mode) e.f.hiScore = {99999, 99999, 99999, 99999, 99999};
        std::vector<int16_t> savedAtBox;
        e.g.sv.onMessage = [&] {
            savedAtBox.push_back(e.savedStage());
            EXPECT_EQ(e.f.scene, 3) << "still in the game-over scene";
        };
        e.run();
        EXPECT_TRUE(e.g.sv.inputs.empty());
        EXPECT_EQ(savedAtBox, c.opened) << "each stage on disk before its box shows";
        ASSERT_EQ(e.g.sv.messages.size(), c.opened.size());
        for (size_t m = 0; m < c.opened.size(); ++m) {
            const int s = c.opened[m];
            EXPECT_TRUE(e.g.sv.messages[m].text.starts_with(over[s - 3])) << e.g.sv.messages[m].text;
            EXPECT_TRUE(s < 5 ? e.f.mnulv[s].enabled : e.f.mnulv[s].visible) << "the menu item it opens";
        }
        EXPECT_EQ(e.f.unlockStage, c.opened.empty() ? c.stage : c.opened.back());
    }
}

}  // namespace
