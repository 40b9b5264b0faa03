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
    Ended(int16_t difficulty, int16_t stage, int32_t score, std::vector<std::string> answers = {}) {
        g.startUp();
        g.sv.idleStep = 50;  // few blood passes
        g.sv.inputAnswers.assign(answers.begin(), answers.end());
        f.difficulty = difficulty;
        f.unlockStage = stage;
        f.score = score;
        f.level = 7;
    }
    void run(int16_t caught = 0) {
        f.caughtInLane = caught;
        f.mnuLevel.enabled = f.mnuHS.enabled = false;
        f.scene = 3;
        f.runPass();
    }
    int16_t savedStage() const { return settings::readSettings(folder.read(), {}).values.unlockStage; }
};

TEST(GameEnd, TheLongEndingNeedsTheHeroinesLaneAndTheViolenceOption) {
    struct Case {
        int16_t caught;
        bool violent, longEnding;
    } cases[] = {{-1, true, true}, {0, true, false}, {-1, false, false}};
    for (const Case& c : cases) {
        Ended e(2, 2, 12);
        e.f.hiScore[2] = 1000;  // no best score, no box
        e.f.mnuVio.checked = c.violent;
        e.run(c.caught);
        const auto any = [](const std::vector<std::string>& texts, auto pred) {
            return std::ranges::any_of(texts, pred);
        };
        const auto heard = [&](const char* wav) {
            return any(e.g.sv.sounds, [&](const std::string& s) { return s.ends_with(wav); });
        };
        const bool poem =
            any(e.g.sv.captions, [](const std::string& t) { return t.find("VORN BEAM") == std::string::npos; });
        EXPECT_TRUE(poem == c.longEnding && heard("/se1.wav") == c.longEnding && heard("/voice5.wav") == !c.longEnding)
            << c.caught << c.violent;
        EXPECT_EQ(e.f.form.caption, "ルル子の VORN BEAM[Score:120][Lv:7]EZ");
        EXPECT_TRUE(e.f.scene == 0 && e.f.mnuLevel.enabled && e.f.mnuHS.enabled) << "back to the title";
    }
}

TEST(GameEnd, ANewBestScoreAsksForTheNameAndIsSavedAtOnce) {
    struct Case {
        int32_t best, score;
        std::vector<std::string> answers;  // none: cancelled
        const char *stored, *onDisk;
        int16_t stageAfter = 7;
    } cases[] = {
        {1233, 1234, {"ルル子 2"}, "ルル子 2", "ルル子 2"},
        {500, 500, {"x"}, "", nullptr},  // equal to the best: not recorded, nothing saved
        {0, 1, {}, "No Name", "No Name"},
        {0, 1, {"\"\""}, "No Name", "No Name"},
        {0, 1, {"Lulu \"the\" Beam"}, "Lulu the Beam", "Lulu the Beam"},
        {0, 1, {"  Smith, John "}, "  Smith, John ", "  Smith, John "},
        {0,
         1,
         {"絵文字\xF0\x9F\x98\x80です"},
         "絵文字\xF0\x9F\x98\x80です",
         "絵文字?です"},                                     // no emoji in code page 932
        {0, 1, {"Mizuka Ne"}, "Mizuka Ne", "Mizuka Ne", 5},  // the secret name: stage 5, whatever it was
        {0, 1, {"mizuka ne"}, "mizuka ne", "mizuka ne"},
    };
    for (const Case& c : cases) {
        Ended e(3, 7, c.score, c.answers);
        e.f.hiScore[3] = c.best;
        const uint64_t draws = e.f.rnd.draws();
        int16_t savedAtBox = -1;
        e.g.sv.onMessage = [&] { savedAtBox = e.savedStage(); };
        e.run();
        EXPECT_EQ(e.f.hiName[3], c.stored);
        EXPECT_EQ(e.f.unlockStage, c.stageAfter);
        EXPECT_EQ(std::filesystem::exists(e.folder.ini()), c.onDisk != nullptr);
        if (!c.onDisk) {
            EXPECT_TRUE(e.g.sv.inputs.empty() && e.f.hiScore[3] == c.best);
            continue;
        }
        ASSERT_EQ(e.g.sv.inputs.size(), 1u);
        EXPECT_EQ(e.g.sv.inputs[0].text, "おめでとうございます。\r\n" + std::to_string(c.score) +
                                             "0点でハイスコアです。\r\n名前を入力してください。");
        EXPECT_EQ(e.g.sv.inputs[0].title, "ハイスコア");
        EXPECT_EQ(e.f.rnd.draws(), draws) << "saving leaves the game's random sequence alone";
        const settings::SettingsValues saved = settings::readSettings(e.folder.read(), {}).values;  // as if killed now
        EXPECT_TRUE(saved.hiScore[3] == c.score && saved.hiName[3] == c.onDisk && saved.unlockStage == c.stageAfter);
        // A name the file cannot hold whole is told once, before it is saved.
        const bool changed = c.stored != std::string(c.onDisk);
        game::saveSettingsNow(e.f);
        ASSERT_EQ(e.g.sv.messages.size(), (c.stageAfter == 5 ? 1u : 0u) + (changed ? 1u : 0u));
        if (changed)
            EXPECT_EQ(e.g.sv.messages[0].text,
                      "次の名前には設定ファイルに保存できない文字があります。\r\n"
                      "その文字は「?」として保存します。\r\n「" +
                          std::string(c.stored) + "」→「" + c.onDisk + "」");
        else
            for (const auto& box : e.g.sv.messages)
                EXPECT_TRUE(box.text == "Neでーす！" && box.title == "アッチッチ" &&
                            box.style == platform::kMbExclamation && savedAtBox == 5);
    }
}

TEST(GameEnd, UnlockRulesInOrderWithStrictThresholds) {
    const char* texts[] = {
        "7,000点オーバーです。NORMALが出現しました。\r\n更なる極みに挑戦し己の指先を鍛えよ！",
        "13,000点オーバーです。EXPERTが出現しました。\r\n更なる極みに挑戦しGOLDEN FINGERを作り上げろ！",
        "20,000点オーバーです。凄いです。\r\nGOLDEN FINGER の称号を授与します。",
        "50,000点オーバーです。素晴らしい。\r\nSPILITUAL FEVER の称号を授与します。",
        "80,000点オーバーです。神技です！\r\nSUDDENモードが出現しました。"};
    const char* titles[] = {"You're too VORN!", "You're too VORN!", "You're too CRAZY!", "You are GREAT!",
                            "You are FAVER!"};
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
        if (c.mode)
            e.f.mnulv[c.mode].checked = true;
        else
            e.f.hiScore = {99999, 99999, 99999, 99999, 99999};
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
            EXPECT_TRUE(e.g.sv.messages[m].text == texts[s - 3] && e.g.sv.messages[m].title == titles[s - 3]) << s;
            EXPECT_TRUE(s < 5 ? e.f.mnulv[s].enabled : e.f.mnulv[s].visible) << "the menu item it opens";
        }
        EXPECT_EQ(e.f.unlockStage, c.opened.empty() ? c.stage : c.opened.back());
    }
}

}  // namespace
