// SPDX-License-Identifier: GPL-3.0-or-later
// The long game-over sequence: the poem, the slash, the blood and the finish.
#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>

#include "game_fixtures.h"

namespace {

TEST(GameOverSequence, SlashesThePictureThenSpraysBloodFor2200Ms) {
    fake::FolderGame e;
    e.g.startUp();
    e.f.heroLane = 2;
    e.f.score = 42;
    e.f.level = 3;
    e.g.sv.captions.clear();
    const int32_t start = e.g.sv.clock;
    // The last stroke ends at (7, 342); the blood is red at the heroine.
    bool slashed = false;
    bool bloodAfter = false;
    e.g.sv.onIdle = [&] {
        slashed |= e.f.picMain.pixel(7, 342) == forms::rgb(160, 0, 0);
        for (int y = 0; y < 40; ++y) {
            const forms::Color c = e.f.picMain.pixel(175, y);
            bloodAfter |= slashed && (c & 0xFFFF) == 0 && (c >> 16) >= 100;
        }
    };
    const int repaintsBefore = e.g.sv.repaints;
    e.f.rnd.queue({0.9999f});  // the first draw picks the poem line by its tenth
    e.f.playGameOverSequence();
    EXPECT_EQ(e.g.sv.captions.at(0), "お願い、もう一度だけ抱きしめて…強く");
    EXPECT_EQ(e.f.form.caption, "ルル子の VORN BEAM[Score:420][Lv:3]EZ") << "the result comes back";
    EXPECT_TRUE(bloodAfter) << "the blood after the slash";
    // Eighteen slash steps and the finish, then a blood pass per 20 ms for 2.2 s.
    EXPECT_NEAR(e.g.sv.repaints - repaintsBefore - 19, 108, 4);
    EXPECT_NEAR(game::tickDiff(e.g.sv.clock, start), 2500, 100);
    ASSERT_EQ(e.g.sv.sounds.size(), 1u);
    EXPECT_TRUE(e.g.sv.sounds[0].ends_with("vrnvoice/se1.wav"));
    // The finish: the title picture is back, the fill colour black again.
    const QImage title = e.f.picMain.picture();
    for (const QPoint p : {QPoint(5, 5), QPoint(175, 20), QPoint(7, 342)})
        EXPECT_EQ(e.f.picMain.pixel(p.x(), p.y()), title.pixel(p) & 0xFFFFFFu) << p.x() << "," << p.y();
    EXPECT_EQ(e.f.picSUB.fillColor(), forms::rgb(0, 0, 0));
}

}  // namespace
