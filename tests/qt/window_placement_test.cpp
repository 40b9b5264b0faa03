// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window comes back: on a screen the player can reach, whatever
// position the settings file or a larger screen left in the model.
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <limits>

#include "qt/form_window.h"
#include "qt/window_placement.h"
#include "qt_environment.h"

namespace {

QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// A window stays where it is while 40 × 10 pixels of its title strip lie on a
// screen; otherwise it is pulled onto the primary screen, whole where it fits.
TEST(QtWindowPlacement, PlaceOnScreenKeepsAReachableTitleStrip) {
    const QRect a = screenArea();
    const QSize size(400, 300);
    struct Row {
        const char* what;
        QPoint pos, placed;
    };
    const Row rows[] = {
        {.what = "on the screen", .pos = a.topLeft() + QPoint(10, 10), .placed = a.topLeft() + QPoint(10, 10)},
        {.what = "40 pixels of the strip on the right",
         .pos = {a.right() + 1 - 40, a.top()},
         .placed = {a.right() + 1 - 40, a.top()}},
        {.what = "39 pixels on the right",
         .pos = {a.right() + 1 - 39, a.top()},
         .placed = {a.right() + 1 - size.width(), a.top()}},
        {.what = "above the top, 5 rows of the strip showing",
         .pos = {a.left() + 10, a.top() - 25},
         .placed = {a.left() + 10, a.top()}},
        {.what = "far off", .pos = {100000, -100000}, .placed = {a.right() + 1 - size.width(), a.top()}},
    };
    for (const Row& r : rows) EXPECT_EQ(qtfront::placeOnScreen(r.pos, size), r.placed) << r.what;
}

// A scalable window's first placement puts it wholly on the screen; one larger
// than the screen keeps its top left corner there.
TEST(QtWindowPlacement, FitOnScreenBringsTheWholeWindowBack) {
    const QRect a = screenArea();
    struct Row {
        const char* what;
        QPoint pos;
        QSize size;
        QPoint placed;
    };
    const Row rows[] = {
        {.what = "wholly on",
         .pos = a.topLeft() + QPoint(5, 5),
         .size = {100, 100},
         .placed = a.topLeft() + QPoint(5, 5)},
        {.what = "half off the right",
         .pos = {a.right() + 1 - 200, a.top() + 10},
         .size = {400, 300},
         .placed = {a.right() + 1 - 400, a.top() + 10}},
        {.what = "off the bottom",
         .pos = {a.left() + 10, a.bottom() - 20},
         .size = {400, 300},
         .placed = {a.left() + 10, a.bottom() + 1 - 300}},
        {.what = "larger than the screen",
         .pos = a.topLeft() + QPoint(50, 50),
         .size = a.size() + QSize(100, 100),
         .placed = a.topLeft()},
    };
    for (const Row& r : rows) EXPECT_EQ(qtfront::fitOnScreen(r.pos, r.size), r.placed) << r.what;
}

// A position read from a settings file may be anything a float holds.
TEST(QtWindowPlacement, TwipsToPixelsHasAnAnswerForEveryFloat) {
    struct Row {
        float twips;
        int pixels;
    };
    const Row rows[] = {
        {.twips = 15, .pixels = 1},
        {.twips = 22.5f, .pixels = 2},  // halves round away from zero
        {.twips = -7, .pixels = 0},
        {.twips = 1e12f, .pixels = 666667},
        {.twips = -1e12f, .pixels = -666667},
        {.twips = std::numeric_limits<float>::quiet_NaN(), .pixels = 0},
        {.twips = std::numeric_limits<float>::infinity(), .pixels = 0},
    };
    for (const Row& r : rows) EXPECT_EQ(qtfront::twipsToPixels(r.twips), r.pixels) << r.twips;
}

// A form that names no position opens centred over the window it came from,
// pulled in where that would stick out of the screen, and the model learns where.
TEST(QtWindowPlacement, ADialogOpensOverItsWindowWhollyOnTheScreen) {
    const QRect a = screenArea();
    QWidget game;
    game.setGeometry(a.right() + 1 - 200, a.top() + 200, 200, 200);
    forms::Form form("Form2");
    form.clientWidth = 500;
    form.clientHeight = 400;
    qtfront::FormWindow dialog(
        form, [](const void*, std::function<void()>, bool) {}, [] {});
    dialog.show(&game);
    // Placed by its size before the frame is known, as a window manager frames it later.
    const QPoint placed = dialog.window()->pos();
    EXPECT_EQ(placed.x(), a.right() + 1 - 500) << "pulled in from the right edge";
    EXPECT_EQ(placed.y(), game.frameGeometry().center().y() - 200) << "centred";
    EXPECT_EQ(form.left, placed.x() * forms::kTwipsPerPixel);
    EXPECT_EQ(form.top, placed.y() * forms::kTwipsPerPixel);
}

}  // namespace
