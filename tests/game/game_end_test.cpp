// Whole game ends on the fake platform: the ending played, the best-score
// entry, the unlock rules with their messages, the save, and back to the title.
#include <gtest/gtest.h>

#include "game_end_fixture.h"
#include "shell/settings_format.h"

namespace {

using endtest::EndGame;
namespace settings = game::settings;

constexpr const char* kUnlockTitles[] = {"You're too VORN!", "You're too VORN!", "You're too CRAZY!",
                                         "You are GREAT!", "You are FAVER!"};

struct GameEnd : ::testing::Test {
    EndGame e;
    fake::Game& g = e.g;
    game::Form1& f = e.f;

    void SetUp() override {
        g.startUp();
        g.sv.captions.clear();
    }
    // The state the last play frame leaves: scene 3, the enemy through.
    void endGame(int16_t difficulty, int16_t stage, int32_t score, int16_t caught = 0) {
        f.difficulty = difficulty;
        f.unlockStage = stage;
        f.score = score;
        f.level = 7;
        f.caughtInLane = caught;
        f.gameOver = -1;
        f.mnuLevel.enabled = f.mnuHS.enabled = false;
        f.scene = 3;
        f.runPass();
    }
    settings::SettingsValues saved() const {
        settings::ReadOutcome r = settings::readSettings(e.folder.read(), {});
        EXPECT_TRUE(r.ok && r.checksumOk) << r.problem;
        return r.values;
    }
    std::vector<std::string> messageTitles() const {
        std::vector<std::string> titles;
        for (const auto& m : g.sv.messages) titles.push_back(m.title);
        return titles;
    }
    bool heard(const char* sound) const {
        for (const std::string& s : g.sv.sounds)
            if (s.find(sound) != std::string::npos) return true;
        return false;
    }
};

TEST_F(GameEnd, TheViolentEndingNeedsTheHeroinesLaneAndTheOption) {
    struct Case {
        int16_t caught;
        bool violent, longEnding;
    } cases[] = {{-1, true, true}, {0, true, false}, {-1, false, false}, {0, false, false}};
    for (const Case& c : cases) {
        EndGame fresh;
        fresh.g.startUp();
        fresh.g.sv.idleStep = 50;
        fresh.f.mnuVio.checked = c.violent;
        fresh.f.hiScore[2] = 1000;  // no best score, no box
        fresh.f.score = 12;
        fresh.f.level = 2;
        fresh.f.caughtInLane = c.caught;
        fresh.f.scene = 3;
        fresh.g.sv.captions.clear();
        fresh.f.runPass();

        bool poem = false;
        for (const std::string& caption : fresh.g.sv.captions) poem |= caption.find("VORN BEAM") == std::string::npos;
        bool se1 = false, voice5 = false;
        for (const std::string& s : fresh.g.sv.sounds) {
            se1 |= s.find("vrnvoice/se1.wav") != std::string::npos;
            voice5 |= s.find("vrnvoice/voice5.wav") != std::string::npos;
        }
        EXPECT_EQ(poem, c.longEnding) << c.caught << c.violent;
        EXPECT_EQ(se1, c.longEnding) << c.caught << c.violent;
        EXPECT_EQ(voice5, !c.longEnding) << c.caught << c.violent;
        EXPECT_EQ(fresh.f.form.caption, "ルル子の VORN BEAM[Score:120][Lv:2]EZ");
        EXPECT_EQ(fresh.f.scene, 0);
    }
}

TEST_F(GameEnd, ThePlainEndingShowsTheTitleAndWaitsASecondServingEvents) {
    f.hiScore[2] = 1000;
    const int32_t start = g.sv.clock;
    bool titleShownDuringWait = false;
    int events = 0;
    g.sv.onDoEvents = [&] {
        ++events;
        titleShownDuringWait |= f.picMain.image() == f.picMain.picture().convertToFormat(f.picMain.image().format());
    };
    endGame(2, 2, 50);
    EXPECT_GT(game::tickDiff(g.sv.clock, start), 1000);
    EXPECT_LE(game::tickDiff(g.sv.clock, start), 1010);
    EXPECT_GT(events, 100);
    EXPECT_TRUE(titleShownDuringWait);
    EXPECT_NE(std::find(g.sv.captions.begin(), g.sv.captions.end(), "ルル子の VORN BEAM[Score:500][Lv:7]EZ"),
              g.sv.captions.end())
        << "the result is in the caption during the wait";
}

TEST_F(GameEnd, ANewBestScoreAsksForTheNameAndIsSavedAtOnce) {
    f.hiScore[3] = 1233;
    f.hiName[3] = "old";
    g.sv.inputAnswers = {"ルル子 2"};
    const uint64_t draws = f.rnd.draws();
    endGame(3, 4, 1234);

    ASSERT_EQ(g.sv.inputs.size(), 1u);
    EXPECT_EQ(g.sv.inputs[0].text, "おめでとうございます。\r\n12340点でハイスコアです。\r\n名前を入力してください。");
    EXPECT_EQ(g.sv.inputs[0].title, "ハイスコア");
    EXPECT_EQ(g.sv.inputDefaults[0], "");
    EXPECT_EQ(f.hiScore[3], 1234);
    EXPECT_EQ(f.hiName[3], "ルル子 2");
    EXPECT_TRUE(g.sv.messages.empty());

    EXPECT_EQ(saved().hiScore[3], 1234);
    EXPECT_EQ(saved().hiName[3], "ルル子 2");
    EXPECT_EQ(f.rnd.draws(), draws) << "saving leaves the game's random sequence alone";

    // Killed right here: the next start still has it.
    fake::Game next(1'000'000, e.folder.path);
    next.startUp();
    EXPECT_EQ(next.f.hiScore[3], 1234);
    EXPECT_EQ(next.f.hiName[3], "ルル子 2");
}

TEST_F(GameEnd, OnlyAScoreAboveTheBestIsRecorded) {
    struct Case {
        int32_t best, score;
        bool recorded;
    } cases[] = {{500, 500, false}, {500, 499, false}, {500, 501, true}, {0, 0, false}, {0, 1, true}};
    for (const Case& c : cases) {
        EndGame fresh;
        fresh.g.startUp();
        fresh.f.hiScore[1] = c.best;
        fresh.f.difficulty = 1;
        fresh.f.score = c.score;
        fresh.f.scene = 3;
        fresh.f.runPass();
        EXPECT_EQ(fresh.g.sv.inputs.size(), c.recorded ? 1u : 0u) << c.best << " vs " << c.score;
        EXPECT_EQ(fresh.f.hiScore[1], c.recorded ? c.score : c.best);
        EXPECT_EQ(fresh.folder.exists("vnbeam.ini"), c.recorded) << "nothing new, nothing saved";
    }
}

TEST_F(GameEnd, CancellingOrAnEmptyNameStoresNoName) {
    for (const char* answer : {"", "\"\""}) {
        EndGame fresh;
        fresh.g.startUp();
        if (*answer) fresh.g.sv.inputAnswers = {answer};
        fresh.f.score = 10;
        fresh.f.scene = 3;
        fresh.f.runPass();
        EXPECT_EQ(fresh.f.hiName[2], "No Name") << answer;
        EXPECT_EQ(fresh.f.hiScore[2], 10);
    }
}

TEST_F(GameEnd, NamesAreStoredSoTheyReadBackWhole) {
    struct Case {
        const char* answer;
        const char* stored;
    } cases[] = {{"Lulu \"the\" Beam", "Lulu the Beam"},
                 {"  spaced  ", "  spaced  "},
                 {"Smith, John", "Smith, John"},
                 {"絵文字\xF0\x9F\x98\x80です", "絵文字\xF0\x9F\x98\x80です"}};
    for (const Case& c : cases) {
        EndGame fresh;
        fresh.g.startUp();
        fresh.g.sv.inputAnswers = {c.answer};
        fresh.f.score = 10;
        fresh.f.scene = 3;
        fresh.f.runPass();
        EXPECT_EQ(fresh.f.hiName[2], c.stored);
        fake::Game next(1'000'000, fresh.folder.path);
        next.startUp();
        const std::string expected = std::string(c.stored).find("\xF0") != std::string::npos ? "絵文字?です" : c.stored;
        EXPECT_EQ(next.f.hiName[2], expected) << "what code page 932 can't hold becomes ?";
        EXPECT_EQ(next.f.hiScore[2], 10);
    }
}

TEST_F(GameEnd, MizukaNeOpensStageFiveWhateverItWas) {
    struct Case {
        const char* name;
        int16_t stageBefore, stageAfter;
    } cases[] = {{"Mizuka Ne", 2, 5}, {"Mizuka Ne", 7, 5}, {"mizuka ne", 2, 2}, {"Mizuka Ne ", 2, 2},
                 {"Mizuka\" Ne", 2, 2}};
    for (const Case& c : cases) {
        EndGame fresh;
        fresh.g.startUp();
        fresh.g.sv.inputAnswers = {c.name};
        fresh.f.unlockStage = c.stageBefore;
        fresh.f.difficulty = 0;
        fresh.f.score = 10;
        int16_t savedAtBox = -1;
        fresh.g.sv.onMessage = [&](const std::string&, const std::string&, int) {
            savedAtBox = settings::readSettings(fresh.folder.read(), {}).values.unlockStage;
        };
        fresh.f.scene = 3;
        fresh.f.runPass();
        EXPECT_EQ(fresh.f.unlockStage, c.stageAfter) << c.name;
        const bool secret = c.stageAfter == 5;
        ASSERT_EQ(fresh.g.sv.messages.size(), secret ? 1u : 0u) << c.name;
        if (secret) {
            EXPECT_EQ(fresh.g.sv.messages[0].text, "Neでーす！");
            EXPECT_EQ(fresh.g.sv.messages[0].title, "アッチッチ");
            EXPECT_EQ(fresh.g.sv.messages[0].style, platform::kMbExclamation);
            EXPECT_EQ(savedAtBox, 5) << "on disk before the box shows";
            EXPECT_TRUE(fresh.f.mnulv[5].visible);
            EXPECT_TRUE(fresh.f.mnulv[4].enabled);
            EXPECT_TRUE(fresh.f.mnulv[3].enabled);
        }
    }
}

TEST_F(GameEnd, TheThresholdsAreStrict) {
    struct Case {
        int16_t difficulty, stage;
        int32_t score;
        int16_t stageAfter;
    } cases[] = {
        {2, 2, 699, 2}, {2, 2, 700, 3}, {3, 3, 1299, 3}, {3, 3, 1300, 4}, {4, 4, 1999, 4}, {4, 4, 2000, 5},
        {4, 5, 4999, 5}, {4, 5, 5000, 6}, {4, 6, 7999, 6}, {4, 6, 8000, 7},
        // Only the highest open difficulty raises the stage.
        {2, 3, 5000, 3}, {3, 2, 5000, 2}, {1, 2, 9000, 2}, {4, 7, 9000, 7},
    };
    for (const Case& c : cases) {
        EndGame fresh;
        fresh.g.startUp();
        fresh.f.hiScore = {99999, 99999, 99999, 99999, 99999};
        fresh.f.difficulty = c.difficulty;
        fresh.f.unlockStage = c.stage;
        fresh.f.score = c.score;
        fresh.f.scene = 3;
        fresh.f.runPass();
        EXPECT_EQ(fresh.f.unlockStage, c.stageAfter) << c.difficulty << "/" << c.stage << "/" << c.score;
        EXPECT_EQ(fresh.g.sv.messages.size(), c.stageAfter != c.stage ? 1u : 0u);
    }
}

TEST_F(GameEnd, EightyThousandOnExpertAtStageFourShowsThreeMessages) {
    f.hiScore[4] = 99999;
    std::vector<int16_t> savedAtBox;
    g.sv.onMessage = [&](const std::string&, const std::string&, int) {
        savedAtBox.push_back(saved().unlockStage);
        EXPECT_EQ(f.scene, 3) << "still in the game-over scene";
    };
    endGame(4, 4, 8000);
    EXPECT_EQ(f.unlockStage, 7);
    ASSERT_EQ(g.sv.messages.size(), 3u);
    EXPECT_EQ(messageTitles(), (std::vector<std::string>{kUnlockTitles[2], kUnlockTitles[3], kUnlockTitles[4]}));
    EXPECT_EQ(g.sv.messages[0].text, "20,000点オーバーです。凄いです。\r\nGOLDEN FINGER の称号を授与します。");
    EXPECT_EQ(g.sv.messages[1].text, "50,000点オーバーです。素晴らしい。\r\nSPILITUAL FEVER の称号を授与します。");
    EXPECT_EQ(g.sv.messages[2].text, "80,000点オーバーです。神技です！\r\nSUDDENモードが出現しました。");
    for (const auto& m : g.sv.messages) EXPECT_EQ(m.style, platform::kMbInformation);
    EXPECT_EQ(savedAtBox, (std::vector<int16_t>{5, 6, 7}));
    EXPECT_TRUE(f.mnulv[5].visible && f.mnulv[6].visible && f.mnulv[7].visible);
    EXPECT_EQ(f.scene, 0);
    EXPECT_TRUE(f.mnuLevel.enabled && f.mnuHS.enabled);
}

TEST_F(GameEnd, TheFirstTwoUnlocksEnableTheirDifficulties) {
    f.hiScore = {99999, 99999, 99999, 99999, 99999};
    endGame(2, 2, 700);
    EXPECT_TRUE(f.mnulv[3].enabled);
    EXPECT_FALSE(f.mnulv[4].enabled);
    ASSERT_EQ(g.sv.messages.size(), 1u);
    EXPECT_EQ(g.sv.messages[0].text, "7,000点オーバーです。NORMALが出現しました。\r\n更なる極みに挑戦し己の指先を鍛えよ！");
    EXPECT_EQ(g.sv.messages[0].title, kUnlockTitles[0]);
    endGame(3, 3, 1300);
    EXPECT_TRUE(f.mnulv[4].enabled);
    ASSERT_EQ(g.sv.messages.size(), 2u);
    EXPECT_EQ(g.sv.messages[1].text,
              "13,000点オーバーです。EXPERTが出現しました。\r\n更なる極みに挑戦しGOLDEN FINGERを作り上げろ！");
    EXPECT_EQ(g.sv.messages[1].title, kUnlockTitles[1]);
    EXPECT_EQ(saved().unlockStage, 4);
}

TEST_F(GameEnd, ExpertAtALowStageJumpsStraightByTheLastTwoRules) {
    f.hiScore[4] = 99999;
    endGame(4, 2, 8000);
    EXPECT_EQ(f.unlockStage, 7);
    EXPECT_EQ(messageTitles(), (std::vector<std::string>{kUnlockTitles[3], kUnlockTitles[4]}));
    EXPECT_FALSE(f.mnulv[5].visible) << "rule 3 did not fire";
}

TEST_F(GameEnd, TheModesStopTheRecordButNotTheFirstRules) {
    struct Case {
        int mode;  // 5 GOLDEN FINGER, 6 SPILITUAL FEVER
        int16_t difficulty, stage;
        int32_t score;
        int16_t stageAfter;
        size_t messages;
    } cases[] = {
        {5, 2, 2, 800, 3, 1},  {6, 2, 2, 800, 3, 1},  {5, 3, 3, 1300, 4, 1}, {6, 3, 3, 1300, 4, 1},
        {5, 4, 4, 8000, 5, 1},  // rules 4 and 5 want GOLDEN FINGER off
        {6, 4, 4, 8000, 7, 3},  // SPILITUAL FEVER doesn't stop them
    };
    for (const Case& c : cases) {
        EndGame fresh;
        fresh.g.startUp();
        fresh.f.mnulv[c.mode].checked = true;
        fresh.f.difficulty = c.difficulty;
        fresh.f.unlockStage = c.stage;
        fresh.f.score = c.score;
        fresh.f.scene = 3;
        fresh.f.runPass();
        EXPECT_TRUE(fresh.g.sv.inputs.empty()) << c.mode;
        EXPECT_EQ(fresh.f.hiScore[c.difficulty], 0);
        EXPECT_EQ(fresh.f.unlockStage, c.stageAfter) << c.mode << "/" << c.difficulty;
        EXPECT_EQ(fresh.g.sv.messages.size(), c.messages) << c.mode << "/" << c.difficulty;
        EXPECT_EQ(settings::readSettings(fresh.folder.read(), {}).values.unlockStage, c.stageAfter);
    }
}

TEST_F(GameEnd, GoldenFingerIsReadAgainForTheLastRules) {
    // Switched on while the 20,000 message is open: rules 4 and 5 see it.
    f.hiScore[4] = 99999;
    g.sv.onMessage = [&](const std::string&, const std::string&, int) { f.mnulv[5].checked = true; };
    endGame(4, 4, 8000);
    EXPECT_EQ(f.unlockStage, 5);
    EXPECT_EQ(g.sv.messages.size(), 1u);
}

TEST_F(GameEnd, BackToTheTitleWhateverRanDuringTheEnding) {
    f.hiScore[2] = 99999;
    g.sv.at(game::tickAdd(g.sv.clock, 300), [&] { f.scene = 1; });
    endGame(2, 2, 10);
    EXPECT_EQ(f.scene, 0);
    EXPECT_TRUE(f.mnuLevel.enabled);
    EXPECT_TRUE(f.mnuHS.enabled);
    EXPECT_EQ(f.form.caption, "ルル子の VORN BEAM[Score:100][Lv:7]EZ");
}

TEST_F(GameEnd, AFailedSaveIsNotReportedUntilTheEnd) {
    // The folder in the way: vnbeam.ini is a directory nobody can replace.
    std::filesystem::create_directory(e.folder.ini());
    std::filesystem::create_directory(e.folder.ini() + "/keep");
    g.sv.inputAnswers = {"Bob"};
    endGame(2, 2, 800);
    EXPECT_EQ(f.hiName[2], "Bob");
    EXPECT_EQ(f.unlockStage, 3);
    EXPECT_EQ(messageTitles(), (std::vector<std::string>{kUnlockTitles[0]}));
    EXPECT_THROW(f.mnuQuit.click(), platform::ProgramEnd);
    ASSERT_EQ(g.sv.messages.size(), 2u);
    EXPECT_EQ(g.sv.messages[1].style, platform::kMbCritical);
}

}  // namespace
