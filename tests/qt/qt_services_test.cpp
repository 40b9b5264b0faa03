// SPDX-License-Identifier: GPL-3.0-or-later
// The services the game calls on the Qt front, where Qt's event loop would
// otherwise show the player something stale.
#include <QApplication>
#include <QTimer>

#include "qt_environment.h"

namespace {

// A modal box stops the game's loop, so whatever the window shows then stays
// behind it: it must be the picture as it is, not the last frame presented.
TEST_F(QtGameWindow, ABoxOpensOverThePictureAsItIsNow) {
    const QPoint centre = onWindow(f.picMain, QPoint(175, 175));
    for (bool input : {false, true}) {
        f.picMain.filledBox(0, 0, 349, 349, forms::rgb(200, 0, 0));
        sv.repaint();
        ASSERT_EQ(grab().pixel(centre) & 0xFFFFFFu, forms::rgb(200, 0, 0));
        f.picMain.cls();  // black: no picture is loaded here
        QRgb behindTheBox = 1;
        QTimer::singleShot(0, [&] {
            behindTheBox = grab().pixel(centre) & 0xFFFFFFu;
            QApplication::activeModalWidget()->close();
        });
        if (input)
            sv.inputBox("名前を入力してください。", "ハイスコア", "");
        else
            sv.msgBox("Neでーす！", "アッチッチ", platform::kMbExclamation);
        EXPECT_EQ(behindTheBox, forms::rgb(0, 0, 0)) << (input ? "input box" : "message box");
    }
}

}  // namespace
