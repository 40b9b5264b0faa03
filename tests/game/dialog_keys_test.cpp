// The key configuration dialog on the fake platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "dialogs/form2.h"
#include "menu_fixture.h"

namespace {

using fake::Game;
using game::Form2;
using game::tickAdd;

constexpr int kEscape = 27;
constexpr int kDone = 1, kDefaults = 0, kCancel = 2;
const std::array<int16_t, 11> kDefaultKeys = {90, 66, 88, 86, 67, 32, 16, 77, 84, 37, 39};  // KeyS0 ... KeySA

std::array<int16_t, 11> gameKeys(const game::Form1& f) {
    return {f.KeyS0, f.KeyS1, f.KeyS2, f.KeyS3, f.KeyS4, f.KeyS5, f.KeyS6, f.KeyS7, f.KeyS8, f.KeyS9, f.KeySA};
}

void setGameKeys(game::Form1& f, const std::array<int16_t, 11>& k) {
    f.KeyS0 = k[0], f.KeyS1 = k[1], f.KeyS2 = k[2], f.KeyS3 = k[3], f.KeyS4 = k[4], f.KeyS5 = k[5];
    f.KeyS6 = k[6], f.KeyS7 = k[7], f.KeyS8 = k[8], f.KeyS9 = k[9], f.KeySA = k[10];
}

struct DialogKeys : ::testing::Test {
    Game g;
    game::Form1& f = g.f;
    // Distinct codes, so a wrong mapping shows; KeyS0 ... KeySA.
    const std::array<int16_t, 11> played = {65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75};

    void SetUp() override {
        setGameKeys(f, played);
        f.mnuKeys.click();
        ASSERT_TRUE(f.form2);
    }
    Form2& d() { return *f.form2; }
    // Clicks button i while the codes go down 30 ms later; returns when the
    // capture has ended, with every key up again.
    void capture(int i, std::vector<int> codes, int32_t after = 30) {
        const int32_t t = g.sv.clock;
        for (int vk : codes) g.sv.holdKey(vk, tickAdd(t, after), tickAdd(t, after + 1000));
        d().cmdBTN[i].click();
        g.sv.releaseAll();
    }
    std::array<int16_t, 11> work() {
        std::array<int16_t, 11> w{};
        std::copy_n(d().keyWork.begin(), 11, w.begin());
        return w;
    }
};

TEST_F(DialogKeys, OpeningLoadsTheWorkingCopyThroughTheTableAndDisablesTheGame) {
    EXPECT_EQ(work(), (std::array<int16_t, 11>{65, 67, 69, 68, 66, 70, 71, 72, 73, 74, 75}));
    EXPECT_TRUE(d().captureReady);
    EXPECT_EQ(d().Text1.text, "ボタンをクリックしてから、使用するキーを押してください。\r\n[ESC]でキャンセルできます。");
    EXPECT_FALSE(f.form.enabled);
    EXPECT_TRUE(d().form.visible);
    EXPECT_NE(std::find(g.sv.shownForms.begin(), g.sv.shownForms.end(), &d().form), g.sv.shownForms.end());
}

TEST_F(DialogKeys, CaptureTakesTheHighestCodeDownAndEscapeCancels) {
    struct Case {
        int button;
        std::vector<int> codes;
        int16_t stored;  // what keyWork[button] holds after
        std::string status;
    };
    const Case cases[] = {
        {0, {90}, 90, "90を設定しました。"},
        {6, {16, 160}, 160, "160を設定しました。"},  // Shift comes under two codes
        {5, {16, 161, 32}, 161, "161を設定しました。"},
        {3, {kEscape}, 68, "設定はキャンセルされました。"},
        {2, {kEscape, 65}, 65, "65を設定しました。"},  // Escape counts only as the highest
        {4, {10}, 10, "10を設定しました。"},
        {9, {230}, 230, "230を設定しました。"},
        {10, {39}, 39, "39を設定しました。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        const auto before = work();
        capture(c.button, c.codes);
        auto expected = before;
        expected[c.button] = c.stored;
        EXPECT_EQ(work(), expected);
        EXPECT_EQ(d().lblSub.caption, c.status);
        EXPECT_TRUE(d().captureReady);
        for (auto& b : d().cmdBTN) EXPECT_TRUE(b.enabled);
        for (auto& b : d().Command1) EXPECT_TRUE(b.enabled);
    }
    EXPECT_EQ(gameKeys(f), played) << "nothing reaches the game before 設定完了";
}

TEST_F(DialogKeys, CodesOutsideTenToTwoThirtyAreNotSeen) {
    const int32_t t = g.sv.clock;
    for (int vk : {1, 2, 8, 9, 231, 254}) g.sv.holdKey(vk, t, tickAdd(t, 5000));
    g.sv.holdKey(77, tickAdd(t, 200), tickAdd(t, 5000));
    d().cmdBTN[1].click();
    g.sv.releaseAll();
    EXPECT_EQ(d().keyWork[1], 77);
    EXPECT_EQ(g.sv.clock, tickAdd(t, 200));
}

TEST_F(DialogKeys, WhileCapturingTheStatusShowsAndEveryButtonIsOff) {
    bool checked = false;
    g.sv.at(tickAdd(g.sv.clock, 10), [&] {
        EXPECT_EQ(d().lblSub.caption, "キーを押してください。 >光の尾を纏ったV.BEAM");
        EXPECT_FALSE(d().captureReady);
        for (auto& b : d().cmdBTN) EXPECT_FALSE(b.enabled);
        for (auto& b : d().Command1) EXPECT_FALSE(b.enabled);
        // Clicks now are ignored, by the buttons and by the handler itself.
        d().cmdBTN[3].click();
        d().cmdBTN_Click(3);
        d().Command1[kDone].click();
        checked = true;
    });
    capture(7, {80}, 50);
    EXPECT_TRUE(checked);
    EXPECT_EQ(d().keyWork[7], 80);
    EXPECT_EQ(d().keyWork[3], 68);
    EXPECT_FALSE(d().unloaded());
    EXPECT_GT(g.sv.repaints, 0) << "the dialog is repainted before the poll";
}

TEST_F(DialogKeys, DoneWritesEveryButtonToItsVariable) {
    for (int i = 0; i < 11; ++i) capture(i, {100 + i});
    d().Command1[kDone].click();
    // Buttons 0..4 are lanes 0..4, held by KeyS0, KeyS2, KeyS4, KeyS3, KeyS1.
    EXPECT_EQ(gameKeys(f), (std::array<int16_t, 11>{100, 104, 101, 103, 102, 105, 106, 107, 108, 109, 110}));
    EXPECT_TRUE(f.form2->unloaded());
    EXPECT_TRUE(f.form.enabled);
    EXPECT_EQ(g.sv.unloadedForms, std::vector<std::string>{"Form2"});
}

TEST_F(DialogKeys, DoneWithoutACaptureChangesNothing) {
    d().Command1[kDone].click();
    EXPECT_EQ(gameKeys(f), played);
    EXPECT_TRUE(f.form.enabled);
}

TEST_F(DialogKeys, EscapeKeepsTheOtherCapturesOfThisOpening) {
    capture(0, {81});
    capture(0, {kEscape});
    capture(1, {kEscape});
    EXPECT_EQ(d().keyWork[0], 81);
    d().Command1[kDone].click();
    auto expected = played;
    expected[0] = 81;
    EXPECT_EQ(gameKeys(f), expected);
}

TEST_F(DialogKeys, SameKeyForTwoActionsIsAccepted) {
    capture(5, {90});
    capture(0, {90});
    d().Command1[kDone].click();
    EXPECT_EQ(f.KeyS5, 90);
    EXPECT_EQ(f.KeyS0, 90);
}

TEST_F(DialogKeys, DefaultsAreWrittenAtOnceAndSurviveACancel) {
    capture(0, {81});
    d().Command1[kDefaults].click();
    EXPECT_EQ(gameKeys(f), kDefaultKeys);
    EXPECT_EQ(d().lblSub.caption, "標準の設定にしました。");
    EXPECT_EQ(d().keyWork[0], 90) << "the working copy is reloaded from the game";
    EXPECT_FALSE(d().unloaded());
    d().Command1[kCancel].click();
    EXPECT_EQ(gameKeys(f), kDefaultKeys);
    EXPECT_TRUE(f.form.enabled);
}

TEST_F(DialogKeys, CancelDiscardsTheCaptures) {
    capture(0, {81});
    d().Command1[kCancel].click();
    EXPECT_EQ(gameKeys(f), played);
    EXPECT_TRUE(f.form.enabled);
    EXPECT_TRUE(d().unloaded());
}

TEST_F(DialogKeys, CloseBoxDuringACaptureCancelsIt) {
    g.sv.at(tickAdd(g.sv.clock, 20), [&] { d().form.onUnload(); });
    d().cmdBTN[2].click();  // no key ever comes: only the close ends the poll
    EXPECT_TRUE(d().unloaded());
    EXPECT_FALSE(d().busy());
    EXPECT_TRUE(f.form.enabled);
    EXPECT_EQ(d().keyWork[2], 69);
    EXPECT_EQ(gameKeys(f), played);
    EXPECT_EQ(g.sv.unloadedForms, std::vector<std::string>{"Form2"});
}

// The keys command may arrive in the same batch of events as the close box,
// while the interrupted capture is still on the stack.
TEST_F(DialogKeys, ReopeningWhileTheClosedCaptureUnwindsWaits) {
    Form2* old = f.form2.get();
    g.sv.at(tickAdd(g.sv.clock, 20), [&] {
        d().form.onUnload();
        f.mnuKeys.click();
        EXPECT_EQ(f.form2.get(), old) << "not destroyed under its own handler";
    });
    d().cmdBTN[2].click();
    EXPECT_TRUE(f.form.enabled);
    f.mnuKeys.click();
    EXPECT_FALSE(d().unloaded());
    EXPECT_FALSE(f.form.enabled);
}

TEST_F(DialogKeys, ReopeningLoadsAfresh) {
    capture(0, {81});
    d().form.onUnload();  // the close box
    EXPECT_TRUE(f.form.enabled);
    f.KeyS9 = 12;
    f.mnuKeys.click();
    ASSERT_FALSE(d().unloaded());
    EXPECT_EQ(d().keyWork[0], 65) << "the last opening's capture is gone";
    EXPECT_EQ(d().keyWork[9], 12);
    EXPECT_EQ(d().lblSub.caption, "");
    EXPECT_FALSE(f.form.enabled);
}

// The controls model the front draws: every place, caption and colour.
TEST_F(DialogKeys, ControlsSitAtTheirPlaces) {
    struct Place {
        const forms::Control* control;
        int left, top, width, height;
    };
    const Place places[] = {
        {&d().Text1, 4, 16, 445, 81},        {&d().Frame1, 4, 112, 445, 165},
        {&d().cmdBTN[0], 12, 24, 77, 29},    {&d().cmdBTN[1], 96, 24, 77, 29},
        {&d().cmdBTN[2], 180, 24, 77, 29},   {&d().cmdBTN[3], 264, 24, 77, 29},
        {&d().cmdBTN[4], 348, 24, 77, 29},   {&d().cmdBTN[5], 12, 112, 141, 41},
        {&d().cmdBTN[6], 160, 112, 93, 41},  {&d().cmdBTN[7], 256, 112, 97, 41},
        {&d().cmdBTN[8], 356, 112, 81, 41},  {&d().cmdBTN[9], 140, 68, 77, 29},
        {&d().cmdBTN[10], 224, 68, 77, 29},  {&d().Command1[0], 12, 300, 121, 29},
        {&d().Command1[1], 164, 300, 121, 29}, {&d().Command1[2], 316, 300, 121, 29},
        {&d().lblSub, 8, 336, 437, 21},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.control->name);
        EXPECT_EQ(p.control->left, p.left);
        EXPECT_EQ(p.control->top, p.top);
        EXPECT_EQ(p.control->width, p.width);
        EXPECT_EQ(p.control->height, p.height);
        EXPECT_TRUE(p.control->visible);
        const auto& all = d().form.controls;
        auto at = std::find(all.begin(), all.end(), p.control);
        ASSERT_NE(at, all.end()) << "the front only draws listed controls";
        if (p.control->parent) {
            EXPECT_EQ(p.control->parent, &d().Frame1);
            EXPECT_GT(at - all.begin(), std::find(all.begin(), all.end(), &d().Frame1) - all.begin())
                << "a frame's children come after it";
        }
    }
    EXPECT_EQ(d().form.caption, "使用するキーの設定");
    EXPECT_EQ(d().form.clientWidth, 453);
    EXPECT_EQ(d().form.clientHeight, 366);
    EXPECT_EQ(d().Frame1.caption, " Key Select ");
    EXPECT_EQ(d().Frame1.parent, nullptr);
}

TEST_F(DialogKeys, ButtonsCarryTheirCaptionsAndColours) {
    using forms::rgb;
    struct Look {
        const char* caption;
        forms::Color color;
    };
    const Look looks[11] = {
        {"1 左端", rgb(160, 160, 255)},          {"2", rgb(160, 255, 160)},
        {"3 中央", rgb(255, 255, 144)},          {"4", rgb(255, 192, 128)},
        {"5 右端", rgb(255, 144, 128)},          {"VORN BEAMを撃つ", rgb(255, 192, 192)},
        {"V.BEAM一列一斉発射", rgb(192, 255, 192)}, {"光の尾を纏ったV.BEAM", rgb(192, 255, 192)},
        {"敵の動きを止める", rgb(192, 255, 192)},  {"１列左", rgb(128, 255, 255)},
        {"１列右", rgb(255, 128, 255)},
    };
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        const forms::Button& b = d().cmdBTN[i];
        EXPECT_EQ(b.caption, looks[i].caption);
        EXPECT_EQ(b.backColor, looks[i].color);
        EXPECT_EQ(b.index, i);
        EXPECT_EQ(b.parent, &d().Frame1);
        EXPECT_LE(b.left + b.width, d().Frame1.width);
        EXPECT_LE(b.top + b.height, d().Frame1.height);
    }
    const char* const commands[3] = {"デフォルトの設定", "設定完了", "設定をやめる"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(d().Command1[i].caption, commands[i]);
        EXPECT_EQ(d().Command1[i].index, i);
        EXPECT_EQ(d().Command1[i].parent, nullptr);
    }
}

TEST(DialogKeysPlay, ANewKeyPlays) {
    Game g;
    g.startUp();
    game::Form1& f = g.f;
    f.mnuKeys.click();
    const int32_t t = g.sv.clock;
    g.sv.holdKey('A', tickAdd(t, 10), tickAdd(t, 20));
    f.form2->cmdBTN[0].click();
    g.sv.releaseAll();
    f.form2->Command1[kDone].click();
    ASSERT_EQ(f.KeyS0, 'A');
    g.startPlaying();
    ASSERT_EQ(f.heroLane, 2);
    g.sv.setKey('A', true);
    for (int i = 0; i < 5 && f.heroLane != 0; ++i) g.frame();
    EXPECT_EQ(f.heroLane, 0) << "A moves her to the left lane now";
}

}  // namespace
