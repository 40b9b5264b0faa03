// The long game-over sequence: the poem, the slash, the blood and the finish.
#include <gtest/gtest.h>

#include "fake_services.h"

namespace {

struct GameOverSequence : ::testing::Test {
    fake::FolderGame e;
    void SetUp() override {
        e.g.startUp();
        e.f.heroLane = 2;
        e.f.score = 42;
        e.f.level = 3;
    }
};

TEST_F(GameOverSequence, EachPoemLineBelongsToATenthOfTheFirstDraw) {
    const char* poems[] = {"死して屍拾う者なし",
                           "鮮血の紅い雨よ降り注げ…渇いた大地に",
                           "骸を晒して人となり",
                           "全ては真っ赤に燃え尽きた…",
                           "断末魔の叫びは貴方へのレクイエム…",
                           "剣が振り下ろされた…その刹那",
                           "生きてて良かったと…そう思いたい",
                           "今まさにこの身朽ち果てよう",
                           "この想い…消えることないよ、永遠に",
                           "お願い、もう一度だけ抱きしめて…強く"};
    e.g.sv.idleStep = 50;  // few blood passes: only the caption matters here
    e.f.mnuVoice.checked = false;
    for (int i = 0; i < 10; ++i) {
        for (float r : {i / 10.0f + 0.0001f, i / 10.0f + 0.0999f}) {
            e.g.sv.captions.clear();
            e.f.rnd.queue({r});
            e.f.playGameOverSequence();
            ASSERT_FALSE(e.g.sv.captions.empty());
            EXPECT_EQ(e.g.sv.captions.front(), poems[i]) << r;
            EXPECT_EQ(e.f.form.caption, "ルル子の VORN BEAM[Score:420][Lv:3]EZ");
        }
    }
    EXPECT_TRUE(e.g.sv.sounds.empty()) << "silent with the voice off";
}

TEST_F(GameOverSequence, SlashesThePictureThenSpraysBloodFor2200Ms) {
    const int32_t start = e.g.sv.clock;
    bool slashed = false, bloodAfter = false;  // the last stroke ends at (7, 342); the blood is red at the heroine
    e.g.sv.onIdle = [&] {
        slashed |= e.f.picMain.pixel(7, 342) == forms::rgb(160, 0, 0);
        for (int y = 0; y < 40; ++y) {
            const forms::Color c = e.f.picMain.pixel(175, y);
            bloodAfter |= slashed && (c & 0xFFFF) == 0 && (c >> 16) >= 100;
        }
    };
    const int repaintsBefore = e.g.sv.repaints;
    e.f.playGameOverSequence();
    EXPECT_TRUE(bloodAfter) << "the blood after the slash";
    // Eighteen slash steps and the finish, then a blood pass per 20 ms for 2.2 s.
    EXPECT_NEAR(e.g.sv.repaints - repaintsBefore - 19, 108, 4);
    EXPECT_NEAR(game::tickDiff(e.g.sv.clock, start), 2500, 100);
    ASSERT_EQ(e.g.sv.sounds.size(), 1u);
    EXPECT_TRUE(e.g.sv.sounds[0].ends_with("vrnvoice/se1.wav"));
    // The finish: the title picture is back, the fill colour black again.
    const QImage title = e.f.picMain.picture();
    for (auto [x, y] : {std::pair{5, 5}, {175, 20}, {7, 342}})
        EXPECT_EQ(e.f.picMain.pixel(x, y), title.pixel(x, y) & 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(e.f.picSUB.fillColor(), forms::rgb(0, 0, 0));
}

}  // namespace
