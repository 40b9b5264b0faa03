// SPDX-License-Identifier: GPL-3.0-or-later
// The key configuration dialog on the fake platform.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "dialogs/form2.h"
#include "game_fixtures.h"

namespace {

using game::tickAdd;

constexpr int kEscape = 27;
constexpr int kDefaults = 0, kDone = 1, kCancel = 2;
using Keys = std::array<int16_t, 11>;  // KeyS0 ... KeySA, or buttons 0 ... 10

struct DialogKeys : ::testing::Test {
    fake::Game g;
    game::Form1& f = g.f;
    const Keys played = {65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75};  // distinct, so a wrong mapping shows

    void SetUp() override {
        f.KeyS0 = 65, f.KeyS1 = 66, f.KeyS2 = 67, f.KeyS3 = 68, f.KeyS4 = 69, f.KeyS5 = 70;
        f.KeyS6 = 71, f.KeyS7 = 72, f.KeyS8 = 73, f.KeyS9 = 74, f.KeySA = 75;
        f.mnuKeys.click();
    }
    game::Form2& d() { return *f.form2; }
    Keys gameKeys() {
        return {f.KeyS0, f.KeyS1, f.KeyS2, f.KeyS3, f.KeyS4, f.KeyS5, f.KeyS6, f.KeyS7, f.KeyS8, f.KeyS9, f.KeySA};
    }
    Keys work() {
        Keys w{};
        std::copy_n(d().keyWork.begin(), 11, w.begin());
        return w;
    }
    // Clicks button i while the codes go down 30 ms later, and lets them up.
    void capture(int i, const std::vector<int>& codes) {
        const int32_t t = g.sv.clock;
        for (int vk : codes) g.sv.holds.push_back({vk, tickAdd(t, 30), tickAdd(t, 1030)});
        d().cmdBTN[i].click();
        g.sv.holds.clear();
    }
};

// Buttons 0..4 are lanes 0..4, held by KeyS0, KeyS2, KeyS4, KeyS3, KeyS1; the
// table is used both ways, so done without a capture changes nothing. The
// defaults reach the game at once, and a cancel after them keeps them.
TEST_F(DialogKeys, WorkingCopyGoesThroughTheTableBothWaysAndDefaultsSurviveACancel) {
    EXPECT_EQ(work(), (Keys{65, 67, 69, 68, 66, 70, 71, 72, 73, 74, 75}));
    EXPECT_FALSE(f.form.enabled);
    d().Command1[kDone].click();
    EXPECT_EQ(gameKeys(), played);
    EXPECT_TRUE(f.form.enabled);
    f.mnuKeys.click();
    for (int i = 0; i < 11; ++i) capture(i, {100 + i});
    d().Command1[kDone].click();
    EXPECT_EQ(gameKeys(), (Keys{100, 104, 101, 103, 102, 105, 106, 107, 108, 109, 110}));
    EXPECT_TRUE(d().unloaded());
    EXPECT_TRUE(f.form.enabled);
    f.mnuKeys.click();
    capture(0, {81});
    d().Command1[kDefaults].click();
    const Keys defaults = {90, 66, 88, 86, 67, 32, 16, 77, 84, 37, 39};
    EXPECT_EQ(gameKeys(), defaults);
    EXPECT_EQ(d().keyWork[0], 90) << "the working copy is reloaded from the game";
    capture(1, {81});
    d().Command1[kCancel].click();
    EXPECT_EQ(gameKeys(), defaults);
    EXPECT_TRUE(d().unloaded());
    EXPECT_TRUE(f.form.enabled);
}

// In order on one opening: the highest code down wins, Escape cancels only
// when it is the highest, and keeps the earlier capture; a key with no code
// ends the capture with a word and keeps it too.
TEST_F(DialogKeys, CaptureTakesTheHighestCodeDownAndEscapeCancels) {
    const std::string cancelled = "設定はキャンセルされました。";
    const std::string refused = "このキーは設定できません。";
    struct Row {
        int button;
        std::vector<int> codes;
        int16_t stored;  // 0: nothing stored
        std::string caption = {};
    };
    const Row rows[] = {
        {.button = 6, .codes = {16, 160}, .stored = 160},  // Shift comes under two codes
        {.button = 5, .codes = {16, 161, 32}, .stored = 161},
        {.button = 2, .codes = {kEscape, 65}, .stored = 65},
        {.button = 2, .codes = {kEscape}, .stored = 0, .caption = cancelled},
        {.button = 4, .codes = {10}, .stored = 10},
        {.button = 9, .codes = {230}, .stored = 230},
        {.button = 9, .codes = {0xF0}, .stored = 0xF0},  // 英数
        {.button = 10, .codes = {254}, .stored = 254},   // the highest code the settings file keeps
        {.button = 8, .codes = {3}, .stored = 3},        // Cancel
        {.button = 7, .codes = {9, 77}, .stored = 77},   // Tab is no key to take
        {.button = 1, .codes = {255}, .stored = 0, .caption = refused},
        {.button = 1, .codes = {255, 88}, .stored = 88},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.stored);
        Keys expected = work();
        if (r.stored) expected[r.button] = r.stored;
        capture(r.button, r.codes);
        EXPECT_EQ(work(), expected);
        EXPECT_EQ(d().lblSub.caption, r.stored ? std::to_string(r.stored) + "を設定しました。" : r.caption);
        EXPECT_TRUE(d().captureReady);
        EXPECT_TRUE(d().cmdBTN[0].enabled);
        EXPECT_TRUE(d().Command1[kDone].enabled);
    }
    EXPECT_EQ(gameKeys(), played) << "nothing reaches the game before 設定完了";
}

// Return pressed a focused button: it is still down as the capture starts and
// counts only once let go and pressed again.
TEST_F(DialogKeys, AKeyDownAsTheCaptureStartsWaitsForItsNextPress) {
    const int32_t t = g.sv.clock;
    g.sv.holds.push_back({13, t, tickAdd(t, 50)});
    g.sv.holds.push_back({13, tickAdd(t, 100), tickAdd(t, 150)});
    g.sv.at(tickAdd(t, 40), [&] { EXPECT_FALSE(d().captureReady) << "still waiting while Return is held"; });
    d().cmdBTN[0].click();
    EXPECT_EQ(d().keyWork[0], 13);
    EXPECT_GE(game::tickDiff(g.sv.clock, t), 100);
}

// The keys command may come in the same batch of events as the close box,
// while the ended capture is still on the stack.
TEST_F(DialogKeys, CloseBoxDuringACaptureCancelsItAndReopeningLoadsAfresh) {
    capture(0, {81});
    game::Form2* old = f.form2.get();
    g.sv.at(tickAdd(g.sv.clock, 20), [&] {
        d().form.onUnload();
        f.mnuKeys.click();
        EXPECT_EQ(f.form2.get(), old) << "not destroyed under its own handler";
    });
    d().cmdBTN[2].click();  // no key ever comes: only the close ends the poll
    EXPECT_TRUE(f.form.enabled);
    EXPECT_EQ(gameKeys(), played);
    EXPECT_EQ(g.sv.unloadedForms, std::vector<std::string>{"Form2"});
    f.KeyS9 = 12;
    f.mnuKeys.click();
    EXPECT_FALSE(d().unloaded());
    EXPECT_FALSE(f.form.enabled);
    EXPECT_EQ(d().lblSub.caption, "");
    EXPECT_EQ(d().keyWork[0], 65) << "the last opening's capture is gone";
    EXPECT_EQ(d().keyWork[9], 12) << "the keys as the game holds them now";
}

// Escape closes the dialog as 設定をやめる does, but the Escape that ends a
// capture only ends the capture.
TEST_F(DialogKeys, EscapeClosesButNotTheOneEndingACapture) {
    const int32_t t = g.sv.clock;
    capture(3, {81});
    g.sv.holds.push_back({kEscape, tickAdd(t, 1100), tickAdd(t, 1200)});
    g.sv.at(tickAdd(t, 1100), [&] { d().form.onKeyDown(kEscape); });  // as the window hands it on
    d().cmdBTN[0].click();
    EXPECT_EQ(d().lblSub.caption, "設定はキャンセルされました。");
    EXPECT_FALSE(d().unloaded());
    d().form.onKeyDown(kEscape);
    EXPECT_TRUE(d().unloaded());
    EXPECT_TRUE(f.form.enabled);
    EXPECT_EQ(gameKeys(), played) << "nothing of the captures kept";
}

}  // namespace
