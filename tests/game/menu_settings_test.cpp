// Difficulty and modes, the high-score box and the reset.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <vector>

#include "menu_fixture.h"

namespace {

using fake::Game;

std::set<int> checkedItems(const game::Form1& f) {
    std::set<int> on;
    for (int i = 0; i < 8; ++i)
        if (f.mnulv[i].checked) on.insert(i);
    return on;
}

TEST(MenuDifficulty, ClicksChooseOneDifficultyAndToggleModes) {
    struct Case {
        std::vector<int> clicks;
        std::set<int> checked;
        int16_t difficulty;
    };
    const Case cases[] = {
        {{}, {2}, 2},
        {{2}, {2}, 2},
        {{1}, {1}, 1},
        {{0, 4, 3}, {3}, 3},
        {{5}, {2, 5}, 2},
        {{5, 5}, {2}, 2},
        {{5, 6, 7, 1}, {1, 5, 6, 7}, 1},
        {{7, 0, 7, 6}, {0, 6}, 0},
        {{-1, 8, 99}, {2}, 2},
    };
    for (const Case& c : cases) {
        Game g;
        g.f.difficulty = 2;
        for (int index : c.clicks) g.f.mnulv_Click(index);
        EXPECT_EQ(checkedItems(g.f), c.checked) << "after " << c.clicks.size() << " clicks";
        EXPECT_EQ(g.f.difficulty, c.difficulty);
    }
}

TEST(MenuDifficulty, ItemsCarryTheirIndex) {
    Game g;
    g.f.mnulv[6].click();
    g.f.mnulv[0].click();
    EXPECT_EQ(checkedItems(g.f), (std::set<int>{0, 6}));
    EXPECT_TRUE(g.f.spiritualFever());
    EXPECT_EQ(g.f.difficulty, 0);
}

TEST(MenuDifficulty, ChoiceSurvivesARestartModesDoNot) {
    menutest::TempFolder folder;
    menutest::TempFolder::fillWithProgram(folder.path);
    {
        Game g(1'000'000, folder.path);
        g.startUp();
        g.f.mnulv[0].click();
        g.f.mnulv[5].click();
        menutest::quit(g);
    }
    Game g(1'000'000, folder.path);
    g.startUp();
    EXPECT_EQ(g.f.difficulty, 0);
    EXPECT_EQ(checkedItems(g.f), (std::set<int>{0}));
}

// ---- high-score box ----

void fillNames(game::Form1& f) { f.diffName = {"SUPER EASY", "VERY EASY", "EASY", "NORMAL", "EXPERT"}; }

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the text ends with the last line's break";
    return out;
}

TEST(MenuHighScores, AfterAResetLineByLine) {
    Game g;
    g.startUp();
    g.sv.inputAnswers = {"reset"};
    g.f.mnuReset.click();
    g.f.mnuHS.click();
    EXPECT_EQ(lines(g.f.Text1.text), (std::vector<std::string>{
                                         "SUPER EASY 6000 ---",
                                         "VERY EASY  7000 ---",
                                         "EASY       8000 ---",
                                         "NORMAL     9000 ---",
                                         "EXPERT     10000 ---",
                                     }));
    EXPECT_EQ(g.f.Text1.top, 132);
    EXPECT_TRUE(g.f.Text1.visible);
    EXPECT_TRUE(g.f.Command1.visible);
}

TEST(MenuHighScores, ScoresAreShownInPointsUnpadded) {
    Game g;
    fillNames(g.f);
    g.f.hiScore = {0, 15, 123456, -3, 2147483647};
    g.f.hiName = {"ルル子", "", "a b", "x", "---"};
    g.f.mnuHS_Click();
    EXPECT_EQ(lines(g.f.Text1.text), (std::vector<std::string>{
                                         "SUPER EASY 00 ルル子",
                                         "VERY EASY  150 ",
                                         "EASY       1234560 a b",
                                         "NORMAL     -30 x",
                                         "EXPERT     21474836470 ---",
                                     }));
}

TEST(MenuHighScores, ReopeningReplacesTheTextAndShowsTheBoxAgain) {
    Game g;
    fillNames(g.f);
    g.f.hiName = {"a", "b", "c", "d", "e"};
    g.f.mnuHS.click();
    const std::string first = g.f.Text1.text;
    g.f.Command1.click();
    EXPECT_EQ(g.f.Text1.top, 500);
    EXPECT_FALSE(g.f.Command1.visible);
    g.f.Text1.visible = false;  // as the start of a game leaves it
    g.f.mnuHS.click();
    EXPECT_EQ(g.f.Text1.text, first);
    EXPECT_TRUE(g.f.Text1.visible);
    EXPECT_TRUE(g.f.Command1.visible);
    g.f.hiScore[3] = 42;  // a debug code shows at once
    g.f.mnuHS.click();
    EXPECT_NE(g.f.Text1.text.find("NORMAL     420 d\r\n"), std::string::npos);
}

// ---- reset ----

// A player's state far from the factory values, menus included.
void playedState(game::Form1& f) {
    f.KeyS0 = 65;
    f.KeyS5 = 13;
    f.KeySA = 100;
    f.unlockStage = 7;
    f.difficulty = 1;
    for (int i = 0; i < 5; ++i) f.mnulv[i].checked = i == 1;
    f.mnulv[3].enabled = f.mnulv[4].enabled = true;
    for (int i = 5; i < 8; ++i) f.mnulv[i].visible = true;
    f.mnulv[5].checked = true;
    f.mnuVoice.checked = false;
    f.mnuVio.checked = false;
    f.mnuFPS.checked = true;
    f.mnu_UseMMX.checked = true;
    f.mmxMode = 256;
    f.hiScore = {1, 2, 3, 4, 5};
    f.hiName = {"A", "B", "C", "D", "E"};
}

struct Snapshot {
    std::array<int16_t, 11> keys;
    int16_t unlockStage, difficulty, mmxMode;
    std::array<int32_t, 5> hiScore;
    std::array<std::string, 5> hiName;
    std::array<bool, 8> checked, enabled, visible;
    bool voice, vio, fps, mmx;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const game::Form1& f) {
    Snapshot s{{f.KeyS0, f.KeyS1, f.KeyS2, f.KeyS3, f.KeyS4, f.KeyS5, f.KeyS6, f.KeyS7, f.KeyS8, f.KeyS9, f.KeySA},
               f.unlockStage, f.difficulty, f.mmxMode, f.hiScore, f.hiName, {}, {}, {},
               f.mnuVoice.checked, f.mnuVio.checked, f.mnuFPS.checked, f.mnu_UseMMX.checked};
    for (int i = 0; i < 8; ++i) {
        s.checked[i] = f.mnulv[i].checked;
        s.enabled[i] = f.mnulv[i].enabled;
        s.visible[i] = f.mnulv[i].visible;
    }
    return s;
}

TEST(MenuReset, OnlyTheExactWordResets) {
    const char* const prompt =
        "設定の全てをリセットします。\r\nリセットする場合は、以下の欄に\r\nreset と入力してください。\r\n"
        "大文字小文字区別有り。";
    struct Case {
        std::optional<std::string> answer;  // nullopt: the box is cancelled
        bool resets;
    };
    const Case cases[] = {
        {"reset", true},    {"Reset", false},  {"RESET", false},  {" reset", false},
        {"reset ", false},  {"reset\r\n", false}, {"rese", false}, {"resetreset", false},
        {"ｒｅｓｅｔ", false}, {std::nullopt, false}, {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or("(cancel)"));
        Game g;
        playedState(g.f);
        if (c.answer) g.sv.inputAnswers = {*c.answer};
        const Snapshot before = snapshot(g.f);

        g.f.mnuReset.click();

        ASSERT_EQ(g.sv.inputs.size(), 1u);
        EXPECT_EQ(g.sv.inputs[0].text, prompt);
        EXPECT_EQ(g.sv.inputs[0].title, "リセット確認");
        EXPECT_EQ(g.sv.inputDefaults[0], "");
        ASSERT_EQ(g.sv.messages.size(), 1u);
        const auto& box = g.sv.messages[0];
        if (!c.resets) {
            EXPECT_EQ(snapshot(g.f), before) << "nothing changes";
            EXPECT_EQ(box.text, "キャンセルしました。\r\nリセットは行われませんでした。");
            EXPECT_EQ(box.title, "こけおどしめ！");
            EXPECT_EQ(box.style, platform::kMbExclamation);
            continue;
        }
        EXPECT_EQ(box.text, "設定をリセットしました。");
        EXPECT_EQ(box.title, "完了。");
        EXPECT_EQ(box.style, platform::kMbInformation);

        Snapshot expected = before;
        expected.keys = {90, 66, 88, 86, 67, 32, 16, 77, 84, 37, 39};
        expected.unlockStage = 3;
        expected.difficulty = 3;
        expected.voice = true;
        expected.hiScore = {600, 700, 800, 900, 1000};
        expected.hiName = {"---", "---", "---", "---", "---"};
        // The check mark follows the difficulty at once; availability and the
        // modes, violence, FPS and MMX options stay as they were.
        expected.checked = {false, false, false, true, false, true, false, false};
        EXPECT_EQ(snapshot(g.f), expected);
    }
}

TEST(MenuReset, AfterARestartNormalIsOpenAndCheckedTheRestClosed) {
    menutest::TempFolder folder;
    menutest::TempFolder::fillWithProgram(folder.path);
    {
        Game g(1'000'000, folder.path);
        g.startUp();
        g.f.unlockStage = 7;
        g.f.mnuVoice.checked = false;
        g.sv.inputAnswers = {"reset"};
        g.f.mnuReset.click();
        menutest::quit(g);
    }
    Game g(1'000'000, folder.path);
    g.startUp();
    EXPECT_EQ(g.f.difficulty, 3);
    EXPECT_EQ(g.f.unlockStage, 3);
    EXPECT_EQ(checkedItems(g.f), (std::set<int>{3}));
    EXPECT_TRUE(g.f.mnulv[3].enabled);
    EXPECT_FALSE(g.f.mnulv[4].enabled);
    for (int i = 5; i < 8; ++i) EXPECT_FALSE(g.f.mnulv[i].visible) << i;
    EXPECT_TRUE(g.f.mnuVoice.checked);
}

}  // namespace
