// SPDX-License-Identifier: GPL-3.0-or-later
// The game window on a large screen: the picture enlarged by the largest whole
// factor that fits, in whole blocks, centred on black, with everything over
// it enlarged alike; the factor it opens at and the size it may keep.
#include <QMouseEvent>

#include <tuple>

#include "qt/form_window.h"
#include "qt_environment.h"

namespace {

TEST(QtScaledWindow, LargestWholeFactorCentred) {
    // The client area, device pixels to one, and the factor and the picture's place.
    const std::tuple<QSize, qreal, int, QRect> cases[] = {
        {{699, 700}, 1, 1, {174, 175, 350, 350}},  // one pixel too narrow for 2
        {{700, 699}, 1, 1, {175, 174, 350, 350}},  // one pixel too low
        {{700, 700}, 1, 2, {0, 0, 700, 700}},
        {{300, 200}, 1, 1, {0, 0, 350, 350}},  // smaller than the picture: cut off, never below 1
        // On a screen of two device pixels to one, the factor counts device pixels.
        {{350, 350}, 2, 2, {0, 0, 350, 350}},
        {{524, 525}, 2, 2, {87, 87, 350, 350}},  // 1048 device pixels: two short of 3
        {{525, 525}, 2, 3, {0, 0, 525, 525}},
        {{700, 700}, 1.5, 3, {0, 0, 700, 700}}};
    for (const auto& [area, ratio, factor, stage] : cases) {
        SCOPED_TRACE(testing::Message() << area.width() << "x" << area.height() << " at " << ratio);
        const qtfront::Presentation p = qtfront::present(area, ratio, {350, 350});
        EXPECT_EQ(p.zoom.factor, factor);
        EXPECT_EQ(p.stage, stage);
    }
}

// On a 125-175 % screen the window opens at the next whole factor of device
// pixels, its picture filling the client area with no margin.
TEST(QtScaledWindow, StartsAtTheNextWholeFactor) {
    struct Row {
        qreal ratio;
        int factor;
        int side;  // logical pixels of the client area
    };
    const Row rows[] = {
        {.ratio = 1, .factor = 1, .side = 350},   {.ratio = 1.25, .factor = 2, .side = 560},
        {.ratio = 1.5, .factor = 2, .side = 467}, {.ratio = 1.75, .factor = 2, .side = 400},
        {.ratio = 2, .factor = 2, .side = 350},   {.ratio = 2.5, .factor = 3, .side = 420},
        {.ratio = 0, .factor = 1, .side = 350},  // a screen that reports nonsense
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.ratio);
        EXPECT_EQ(qtfront::startFactor(r.ratio), r.factor);
        const QSize stage = qtfront::stageSize({350, 350}, r.factor, r.ratio);
        EXPECT_EQ(stage, QSize(r.side, r.side));
        if (r.ratio <= 0) continue;
        const qtfront::Presentation shown = qtfront::present(stage, r.ratio, {350, 350});
        EXPECT_EQ(shown.zoom.factor, r.factor);
        EXPECT_EQ(shown.stage, QRect(QPoint(0, 0), stage)) << "no margin";
    }
}

// A size saved on a larger screen shrinks to the largest whole factor that
// fits the screen it opens on; one that fits is kept.
TEST(QtScaledWindow, SavedSizeFitsTheScreen) {
    struct Row {
        const char* what;
        QSize wanted, available;
        qreal ratio;
        QSize size;
    };
    const QSize bar(0, 25);
    const Row rows[] = {
        {.what = "fits", .wanted = {800, 800}, .available = {1008, 928}, .ratio = 1, .size = {800, 800}},
        {.what = "2400 x 1350 on 1024 x 768",
         .wanted = {2400, 1350},
         .available = {1008, 728},
         .ratio = 1,
         .size = QSize(700, 700) + bar},
        {.what = "on a 150 % screen",
         .wanted = {3000, 3000},
         .available = {1000, 700},
         .ratio = 1.5,
         .size = {467, 492}},
        {.what = "too small for the plain size",
         .wanted = {900, 900},
         .available = {300, 300},
         .ratio = 1,
         .size = QSize(350, 350) + bar},
    };
    for (const Row& r : rows)
        EXPECT_EQ(qtfront::fitWindowSize(r.wanted, r.available, bar, {350, 350}, r.ratio), r.size) << r.what;
}

// The best-score box, its button and the pause label keep their places on the
// picture at three times the size, in fonts three times as large, and the
// button takes a click where it is drawn. With them gone, every pixel of the
// drawing, changed or not since the last repaint, is a uniform 3 x 3 block of
// its own colour.
TEST_F(QtGameWindow, PictureInWholeBlocksAndOverlaysGrowWithIt) {
    f.mnuHS_Click();
    f.lblPause.visible = true;
    enlarge(3);
    for (const forms::Control* c : std::initializer_list<const forms::Control*>{&f.Text1, &f.Command1, &f.lblPause}) {
        QWidget* w = sv.widgetOf(*c);
        EXPECT_EQ(QRect(onWindow(*c, {0, 0}) - onWindow(f.picMain, {0, 0}), w->size()),
                  QRect(c->left * 3, c->top * 3, c->width * 3, c->height * 3))
            << c->name;
    }
    EXPECT_DOUBLE_EQ(sv.widgetOf(f.Text1)->font().pointSizeF(), 30);
    EXPECT_DOUBLE_EQ(sv.widgetOf(f.lblPause)->font().pointSizeF(), 36);
    QTest::mouseClick(sv.widgetOf(f.Command1), Qt::LeftButton, {}, QPoint(37, 37));
    sv.DoEvents();
    EXPECT_FALSE(f.Command1.visible);
    EXPECT_EQ(f.Text1.top, 500);
    f.lblPause.visible = false;
    sv.DoEvents();
    const auto colour = [](int x, int y, int round) {
        return forms::rgb(x * 7 + round * 50, y * 5, (x ^ y) & 1 ? 255 : 0);
    };
    for (int round = 0; round < 2; ++round) {
        // The second round changes only a patch, which goes out on its own.
        const int from = round ? 100 : 0, to = round ? 140 : 350;
        for (int y = from; y < to; ++y)
            for (int x = from; x < to; ++x) f.picMain.pset(x, y, colour(x, y, round));
        sv.repaint();
        const QImage shown = grab();
        const QPoint origin = onWindow(f.picMain, {0, 0});
        int wrong = 0;
        for (int y = 0; y < 1050; ++y)
            for (int x = 0; x < 1050; ++x) {
                const int sx = x / 3, sy = y / 3;
                const bool patch = sx >= 100 && sx < 140 && sy >= 100 && sy < 140;
                wrong += (shown.pixel(origin + QPoint(x, y)) & 0xFFFFFFu) != colour(sx, sy, round && patch);
            }
        EXPECT_EQ(wrong, 0) << "round " << round;
    }
}

}  // namespace
