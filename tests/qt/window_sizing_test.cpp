// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's size and full screen: F11 unless it is a play key, and a
// size saved on a larger screen brought back whole on this one.
#include <QTemporaryDir>

#include "qt/form_window.h"
#include "qt/window_size_file.h"
#include "qt_environment.h"

namespace {

// F11 puts the window on the whole screen and back; given to an action in the
// key dialog, it is a play key like any other and the window leaves it alone.
TEST_F(QtGameWindow, F11TogglesFullScreenUnlessItIsAPlayKey) {
    for (const bool played : {false, true}) {
        f.KeyS7 = played ? 122 : 77;
        ASSERT_TRUE(qttest::activate(window));
        for (const bool fullAfter : {true, false}) {
            QTest::keyPress(window->windowHandle(), Qt::Key_F11);
            EXPECT_EQ(window->isFullScreen(), fullAfter && !played) << "played " << played;
            EXPECT_TRUE(!played || (sv.GetKeyState(122) & 0x80)) << "the game sees its key";
            QTest::keyRelease(window->windowHandle(), Qt::Key_F11);
            sv.DoEvents();
        }
    }
}

// The game window saved at 2400 x 1350 near the corner of a large screen comes
// back whole on this one, at a whole factor.
TEST(QtScaledWindow, RestoredWindowComesBackOnTheScreen) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("vnbeam-window.txt").toStdString();
    ASSERT_TRUE(qtfront::writeWindowSize(file, {{2400, 1350}, false, false}));
    forms::MenuItem item("mnuMenu");
    item.caption = "ﾒﾆｭｰ(&M)";
    forms::Form form("Form1");
    form.clientWidth = form.clientHeight = 350;
    form.scalable = true;
    form.menuBar = {&item};
    form.left = 1500 * forms::kTwipsPerPixel;
    form.top = 1000 * forms::kTwipsPerPixel;
    qtfront::FormWindow shown(
        form, [](const void*, std::function<void()>, bool) {}, [] {}, file);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(shown.window()->pos(), shown.window()->size());
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width() << "x"
                                         << placed.height() << " on " << screen.width() << "x" << screen.height();
    EXPECT_LT(placed.width(), 2400) << "shrunk";
    EXPECT_EQ(placed.width() % 350, 0) << "to a whole factor";
}

}  // namespace
