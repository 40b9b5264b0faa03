// The long game-over sequence: the poem, the slash, the blood and the finish.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "game_end_fixture.h"
#include "sim/game_over_blood.h"

namespace {

using namespace game::blood;
using endtest::EndGame;

constexpr double kX0 = 175;
constexpr int kHeroY = 5;

TEST(GameOverBlood, BlobsStartAtTheHeroineInTheirTwoKinds) {
    for (uint64_t seed = 1; seed <= 50; ++seed) {
        game::Random rnd(seed);
        Spray s;
        s.droplets[7].x = 3;
        startSpray(s, rnd, kX0, kHeroY);
        for (int i = 0; i < kBlobs; ++i) {
            const Blob& b = s.blobs[i];
            ASSERT_EQ(b.x, kX0);
            if (i < kRoundBlobs) {
                ASSERT_TRUE(b.radius >= 0 && b.radius <= 9) << b.radius;
                ASSERT_TRUE(b.red >= 140 && b.red <= 209) << b.red;
                ASSERT_EQ(b.aspect, 1.0f);
                ASSERT_TRUE(b.vx >= -2.5f && b.vx < 2.5f);
                ASSERT_TRUE(b.vy >= -3.5f && b.vy < 1.5f);
                if (i < kFallingBlobs) {
                    ASSERT_EQ(b.g, 0.07f);
                    ASSERT_EQ(b.y, kHeroY + 16);
                } else {
                    ASSERT_TRUE(b.g >= 0 && b.g < 0.01f);
                    ASSERT_EQ(b.y, kHeroY + 22);
                }
            } else {
                ASSERT_TRUE(b.radius >= 0 && b.radius <= 6);
                ASSERT_EQ(b.red, 128);
                ASSERT_EQ(b.aspect, 0.46f);
                ASSERT_EQ(b.vy, 0);
                ASSERT_EQ(b.y, kHeroY + 22);
                ASSERT_TRUE(std::fabs(b.vx) <= 1.0f / 6 && std::fabs(b.g) <= 1.0f / 2000);
            }
        }
        for (const Droplet& d : s.droplets) ASSERT_EQ(d.x, kFree);
    }
}

TEST(GameOverBlood, RoundBlobsFadeToBlackAndPoolsStayRed) {
    game::Random rnd(3);
    Spray s;
    startSpray(s, rnd, kX0, kHeroY);
    const Spray first = s;
    std::vector<int> drawnRed;
    moveBlobs(s, [&](const Blob& b) { drawnRed.push_back(b.red); });
    ASSERT_EQ(drawnRed.size(), static_cast<size_t>(kBlobs));
    for (int i = 0; i < kBlobs; ++i) {
        EXPECT_EQ(drawnRed[i], first.blobs[i].red) << "drawn before it fades";
        EXPECT_EQ(s.blobs[i].red, i < kRoundBlobs ? first.blobs[i].red - 2 : 128);
        EXPECT_EQ(s.blobs[i].x, first.blobs[i].x + first.blobs[i].vx);
        EXPECT_EQ(s.blobs[i].y, first.blobs[i].y + (first.blobs[i].vy + first.blobs[i].g));
    }
    for (int pass = 0; pass < 110; ++pass) moveBlobs(s, [](const Blob&) {});
    for (int i = 0; i < kBlobs; ++i) EXPECT_EQ(s.blobs[i].red, i < kRoundBlobs ? 0 : 128);
}

TEST(GameOverBlood, DropletsSprayUpAndVanishBelowRow30) {
    struct Case {
        float k;
        int added;
    } cases[] = {{0.0f, 2}, {0.39f, 3}, {0.999f, 6}};
    for (const Case& c : cases) {
        game::Random rnd;
        rnd.queue({c.k});
        Spray s;
        addDroplets(s, rnd, kX0, kHeroY);
        int live = 0;
        for (const Droplet& d : s.droplets) live += d.x != kFree;
        EXPECT_EQ(live, c.added);
    }

    game::Random rnd(11);
    Spray s;
    startSpray(s, rnd, kX0, kHeroY);
    float lowest = -1e9f, highest = 1e9f;
    int plotted = 0, colourOutside = 0;
    for (int pass = 0; pass < 300; ++pass) {
        addDroplets(s, rnd, kX0, kHeroY);
        moveDroplets(s, rnd, [&](float, float y, int red) {
            lowest = std::max(lowest, y);
            highest = std::min(highest, y);
            colourOutside += red < 100 || red > 160;
            ++plotted;
        });
    }
    EXPECT_GT(plotted, 1000);
    EXPECT_LE(lowest, 30);
    EXPECT_LT(highest, 0) << "they fly up over the top edge";
    EXPECT_EQ(colourOutside, 0);

    // A full table takes no more droplets and draws no numbers for them.
    for (Droplet& d : s.droplets) d.x = 1;
    const uint64_t draws = rnd.draws();
    addDroplets(s, rnd, kX0, kHeroY);
    EXPECT_EQ(rnd.draws(), draws + 1) << "only the count is drawn";
}

struct GameOverSequence : ::testing::Test {
    EndGame e;
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
}

TEST_F(GameOverSequence, SlashesThePictureThenSpraysBloodForTheTimeItTakes) {
    const int32_t start = e.g.sv.clock;
    const forms::Color slashRed = forms::rgb(160, 0, 0);
    bool slashSeen = false, slashGoneAfter = false, bloodSeen = false;
    int32_t slashDone = 0;
    e.g.sv.onIdle = [&] {
        const bool slash = e.f.picMain.pixel(7, 342) == slashRed;
        if (slash && !slashSeen) slashDone = e.g.sv.clock;
        slashSeen |= slash;
        if (slashSeen && !slash) slashGoneAfter = true;
        // The spray near the heroine, copied onto the visible picture.
        for (int y = 0; y < 40; ++y) {
            const forms::Color c = e.f.picMain.pixel(175, y);
            if ((c & 0xFFFF) == 0 && (c >> 16) >= 100) bloodSeen = true;
        }
    };
    const int repaintsBefore = e.g.sv.repaints;
    e.f.playGameOverSequence();
    const int32_t took = game::tickDiff(e.g.sv.clock, start);
    // Eighteen slash steps, then a blood pass per 20 ms for 2.2 s.
    const int bloodPasses = e.g.sv.repaints - repaintsBefore - 1 - 18;
    EXPECT_GE(bloodPasses, 105);
    EXPECT_LE(bloodPasses, 112);

    EXPECT_TRUE(slashSeen) << "the last stroke reaches (7, 342)";
    EXPECT_TRUE(slashGoneAfter) << "the first blood pass replaces the slashed picture";
    EXPECT_TRUE(bloodSeen);
    const int32_t slashTook = game::tickDiff(slashDone, start);
    EXPECT_GE(slashTook, 200);
    EXPECT_LE(slashTook, 300);
    EXPECT_GE(took, 2400);
    EXPECT_LE(took, 2600);
    ASSERT_EQ(e.g.sv.sounds.size(), 1u);
    EXPECT_NE(e.g.sv.sounds[0].find("vrnvoice/se1.wav"), std::string::npos);

    // The finish: the title picture is back, the fill colour black again.
    const QImage title = e.f.picMain.picture();
    for (auto [x, y] : {std::pair{5, 5}, {175, 20}, {7, 342}, {340, 300}})
        EXPECT_EQ(e.f.picMain.pixel(x, y), title.pixel(x, y) & 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(e.f.picSUB.fillColor(), forms::rgb(0, 0, 0));
    EXPECT_EQ(e.f.form.caption, "ルル子の VORN BEAM[Score:420][Lv:3]EZ");
}

TEST_F(GameOverSequence, RunsSilentlyWithTheVoiceOff) {
    e.f.mnuVoice.checked = false;
    e.g.sv.idleStep = 50;
    e.f.playGameOverSequence();
    EXPECT_TRUE(e.g.sv.sounds.empty());
    EXPECT_EQ(e.f.form.caption, "ルル子の VORN BEAM[Score:420][Lv:3]EZ");
}

}  // namespace
