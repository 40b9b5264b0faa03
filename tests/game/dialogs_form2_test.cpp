// The key configuration dialog on the fake platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "dialogs/form2.h"
#include "fake_services.h"

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
// table is used both ways, so done without a capture changes nothing.
TEST_F(DialogKeys, WorkingCopyGoesThroughTheTableBothWays) {
    EXPECT_EQ(work(), (Keys{65, 67, 69, 68, 66, 70, 71, 72, 73, 74, 75}));
    EXPECT_EQ(d().Text1.text,
              "ボタンをクリックしてから、使用するキーを押してください。\r\n[ESC]でキャンセルできます。");
    EXPECT_FALSE(f.form.enabled);
    d().Command1[kDone].click();
    EXPECT_EQ(gameKeys(), played);
    EXPECT_TRUE(f.form.enabled);
    f.mnuKeys.click();
    for (int i = 0; i < 11; ++i) capture(i, {100 + i});
    d().Command1[kDone].click();
    EXPECT_EQ(gameKeys(), (Keys{100, 104, 101, 103, 102, 105, 106, 107, 108, 109, 110}));
    EXPECT_TRUE(d().unloaded() && f.form.enabled);
}

// In order on one opening: the highest code down wins, Escape cancels only
// when it is the highest, and keeps the earlier capture.
TEST_F(DialogKeys, CaptureTakesTheHighestCodeDownAndEscapeCancels) {
    const std::tuple<int, std::vector<int>, int16_t, std::string> cases[] = {
        {6, {16, 160}, 160, "160を設定しました。"},  // Shift comes under two codes
        {5, {16, 161, 32}, 161, "161を設定しました。"},
        {2, {kEscape, 65}, 65, "65を設定しました。"},
        {2, {kEscape}, 65, "設定はキャンセルされました。"},
        {4, {10}, 10, "10を設定しました。"},
        {9, {230}, 230, "230を設定しました。"},
    };
    for (const auto& [button, codes, stored, status] : cases) {
        SCOPED_TRACE(status);
        Keys expected = work();
        expected[button] = stored;
        capture(button, codes);
        EXPECT_EQ(work(), expected);
        EXPECT_EQ(d().lblSub.caption, status);
        EXPECT_TRUE(d().captureReady && d().cmdBTN[0].enabled && d().Command1[kDone].enabled);
    }
    EXPECT_EQ(gameKeys(), played) << "nothing reaches the game before 設定完了";
}

// Codes 9 and 231 don't end the poll; clicks during it are ignored.
TEST_F(DialogKeys, WhileCapturingOutsideCodesAndClicksAreIgnored) {
    const int32_t t = g.sv.clock;
    for (int vk : {9, 231}) g.sv.holds.push_back({vk, t, tickAdd(t, 5000)});
    g.sv.holds.push_back({77, tickAdd(t, 200), tickAdd(t, 5000)});
    g.sv.at(tickAdd(t, 10), [&] {
        EXPECT_EQ(d().lblSub.caption, "キーを押してください。 >光の尾を纏ったV.BEAM");
        EXPECT_FALSE(d().cmdBTN[3].enabled || d().Command1[kDone].enabled);
        d().cmdBTN_Click(3);
        d().Command1[kDone].click();
    });
    d().cmdBTN[7].click();
    EXPECT_EQ(g.sv.clock, tickAdd(t, 200));
    EXPECT_EQ(d().keyWork[7], 77);
    EXPECT_EQ(d().keyWork[3], 68);
    EXPECT_FALSE(d().unloaded());
}

TEST_F(DialogKeys, DefaultsAreWrittenAtOnceAndSurviveACancel) {
    capture(0, {81});
    d().Command1[kDefaults].click();
    const Keys defaults = {90, 66, 88, 86, 67, 32, 16, 77, 84, 37, 39};
    EXPECT_EQ(gameKeys(), defaults);
    EXPECT_EQ(d().lblSub.caption, "標準の設定にしました。");
    EXPECT_EQ(d().keyWork[0], 90) << "the working copy is reloaded from the game";
    capture(1, {81});
    d().Command1[kCancel].click();
    EXPECT_EQ(gameKeys(), defaults) << "the later capture is discarded";
    EXPECT_TRUE(d().unloaded() && f.form.enabled);
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
    ASSERT_FALSE(d().unloaded());
    EXPECT_FALSE(f.form.enabled);
    EXPECT_EQ(d().keyWork[0], 65) << "the last opening's capture is gone";
    EXPECT_EQ(d().keyWork[9], 12);
    EXPECT_EQ(d().lblSub.caption, "");
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
    EXPECT_TRUE(d().unloaded() && f.form.enabled);
    EXPECT_EQ(gameKeys(), played) << "closing by Escape keeps nothing of the captures";
}

// The eleven coloured buttons inside their frame, as the front draws them.
TEST_F(DialogKeys, KeyButtonsSitInTheFrameWithTheirLooks) {
    using forms::rgb;
    const std::tuple<std::array<int, 4>, std::string, forms::Color> looks[11] = {
        {{12, 24, 77, 29}, "1 左端", rgb(160, 160, 255)},
        {{96, 24, 77, 29}, "2", rgb(160, 255, 160)},
        {{180, 24, 77, 29}, "3 中央", rgb(255, 255, 144)},
        {{264, 24, 77, 29}, "4", rgb(255, 192, 128)},
        {{348, 24, 77, 29}, "5 右端", rgb(255, 144, 128)},
        {{12, 112, 141, 41}, "VORN BEAMを撃つ", rgb(255, 192, 192)},
        {{160, 112, 93, 41}, "V.BEAM一列一斉発射", rgb(192, 255, 192)},
        {{256, 112, 97, 41}, "光の尾を纏ったV.BEAM", rgb(192, 255, 192)},
        {{356, 112, 81, 41}, "敵の動きを止める", rgb(192, 255, 192)},
        {{140, 68, 77, 29}, "１列左", rgb(128, 255, 255)},
        {{224, 68, 77, 29}, "１列右", rgb(255, 128, 255)},
    };
    const auto& all = d().form.controls;
    const auto frameAt = std::find(all.begin(), all.end(), &d().Frame1);
    for (int i = 0; i < 11; ++i) {
        const forms::Button& b = d().cmdBTN[i];
        EXPECT_EQ(std::tuple(std::array{b.left, b.top, b.width, b.height}, b.caption, b.backColor), looks[i]) << i;
        EXPECT_EQ(b.parent, &d().Frame1);
        const auto at = std::find(all.begin(), all.end(), &b);
        EXPECT_TRUE(at > frameAt && at != all.end()) << "listed after its frame, or not drawn";
    }
    const forms::Frame& fr = d().Frame1;
    EXPECT_EQ(std::tuple(fr.left, fr.top, fr.width, fr.height, fr.caption),
              std::tuple(4, 112, 445, 165, " Key Select "));
    EXPECT_EQ(d().Command1[0].caption + d().Command1[1].caption + d().Command1[2].caption,
              "デフォルトの設定設定完了設定をやめる");
}

}  // namespace
