// SPDX-License-Identifier: GPL-3.0-or-later
// The pause.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <algorithm>
#include <limits>
#include <set>

#include "game_fixtures.h"

namespace {

using fake::Game;
using game::kFreeSlot;
using game::tickAdd;
using game::tickDiff;

constexpr int kSpace = 32;

// Positions are functions of a stamp's age, so keeping every live age keeps
// every enemy and shot where it stood; also across the tick wrap.
TEST(MenuPause, TenSecondsKeepEveryLiveAgeAndLeaveFreeStamps) {
    for (int32_t start : {1'000'000, std::numeric_limits<int32_t>::max() - 4000}) {
        SCOPED_TRACE(start);
        Game g(start);
        game::Form1& f = g.f;
        f.resetGame();
        f.scene = 2;
        for (int k = 0; k < 3; ++k) {
            f.enemyLane[k * 7] = static_cast<int16_t>(k + 1);
            f.enemyTick[k * 7] = tickAdd(start, -300 * (k + 1));
        }
        f.shotLane[30] = 2;
        f.shotTick[30] = tickAdd(start, -40);
        // Free slots with stale stamps.
        f.enemyTick[1] = 4321;
        f.shotTick[1] = -8765;
        const auto enemyTicks = f.enemyTick;
        const auto shotTicks = f.shotTick;
        f.picMain.pset(10, 10, forms::rgb(255, 255, 255));
        g.sv.holds.push_back({kSpace, tickAdd(start, 10'000), tickAdd(start, 10'050)});
        bool checkedInside = false;
        g.sv.at(tickAdd(start, 5000), [&] {
            EXPECT_TRUE(f.lblPause.visible);
            EXPECT_FALSE(f.mnuPause.enabled);
            EXPECT_FALSE(f.mnuStart.enabled);
            EXPECT_EQ(f.picMain.pixel(10, 10), f.picMain.backColor) << "the play field is hidden";
            checkedInside = true;
        });
        f.mnuPause.click();
        EXPECT_TRUE(checkedInside) << "the pause was still on after five seconds";
        EXPECT_LT(tickDiff(g.sv.clock, start), 10'010) << "Space ends it";
        const auto expectAges = [&](const auto& lanes, const auto& ticks, const auto& before) {
            for (size_t i = 0; i < lanes.size(); ++i)
                EXPECT_EQ(ticks[i], lanes[i] == kFreeSlot ? before[i] : tickAdd(g.sv.clock, tickDiff(before[i], start)))
                    << i;
        };
        expectAges(f.enemyLane, f.enemyTick, enemyTicks);
        expectAges(f.shotLane, f.shotTick, shotTicks);
        EXPECT_FALSE(f.lblPause.visible);
        EXPECT_TRUE(f.mnuPause.enabled);
        EXPECT_TRUE(f.mnuStart.enabled);
    }
}

// Back to the title empties the field; from inside a pause the wait still ends
// only with Space.
TEST(MenuBackToTitle, FromPlayAndFromInsideAPause) {
    for (bool insidePause : {false, true}) {
        SCOPED_TRACE(insidePause ? "inside a pause" : "from play");
        Game g;
        g.startUp();
        g.startPlaying();
        game::Form1& f = g.f;
        for (int i = 0; i < 100; ++i) g.frame();
        f.score = 77;
        const int32_t t0 = g.sv.clock;
        if (insidePause) {
            g.sv.at(tickAdd(t0, 100), [&] { f.mnuBkT.click(); });
            g.sv.holds.push_back({kSpace, tickAdd(t0, 3000), tickAdd(t0, 3005)});
        }
        (insidePause ? f.mnuPause : f.mnuBkT).click();
        if (insidePause) {
            EXPECT_GE(tickDiff(g.sv.clock, t0), 3000) << "Space ends the pause";
        }
        EXPECT_EQ(f.scene, 0);
        EXPECT_FALSE(f.lblPause.visible);
        EXPECT_EQ(f.score, 0);
        EXPECT_EQ(f.enemyCount, 0);
        EXPECT_TRUE(f.mnuLevel.enabled);
        EXPECT_TRUE(f.mnuHS.enabled);
        EXPECT_TRUE(f.mnuPause.enabled);
        EXPECT_TRUE(f.mnuStart.enabled);
        EXPECT_EQ(std::set<int16_t>(f.enemyLane.begin(), f.enemyLane.end()), std::set<int16_t>{kFreeSlot});
        EXPECT_EQ(std::set<int16_t>(f.shotLane.begin(), f.shotLane.end()), std::set<int16_t>{kFreeSlot});
        f.runPass();
        EXPECT_EQ(fake::checkInvariants(f), "");
    }
}

// The pause label stands on the title picture after back-to-title during a
// pause: no text of the picture may lie under it or peek out around it.
TEST(MenuPause, TheLabelCoversNoTextOfTheTitlePicture) {
    Game g;
    const QImage title(QString::fromStdString(g.f.paths.asset("pic/title.jpg")));
    ASSERT_FALSE(title.isNull());
    const forms::Label& label = g.f.lblPause;
    constexpr int kMargin = 8;  // glyph tops and outlines close above or below
    int textPixels = 0;
    for (int y = label.top - kMargin; y < label.top + label.height + kMargin; ++y)
        for (int x = label.left; x < label.left + label.width; ++x) {
            const QColor c = title.pixelColor(x, y);
            // The title's lettering is near white; the heroine on the right
            // is not lettering and keeps to her own colours.
            if (std::min({c.red(), c.green(), c.blue()}) > 200 && x < 250) ++textPixels;
        }
    EXPECT_EQ(textPixels, 0);
}

}  // namespace
