// SPDX-License-Identifier: GPL-3.0-or-later
// The plain controls as the Qt front draws them: under a dark theme each one
// that paints its own background paints its own text too, and the menus, the
// dialogs and the boxes share one font.
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "qt_environment.h"

namespace {

// The share of a widget's pixels far in brightness from `back`: its text
// (inside the frame a style draws around a button).
double textShare(QWidget* w, QColor back) {
    const QImage shot = w->grab().toImage().copy(w->rect().adjusted(4, 4, -4, -4));
    const auto brightness = [](QColor c) { return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue(); };
    int far = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            far += std::abs(brightness(shot.pixelColor(x, y)) - brightness(back)) > 100;
    return double(far) / (shot.width() * shot.height());
}

// Under a dark theme every control that paints its own background paints its
// own text too, and the menus, the dialogs and the boxes share one font.
TEST_F(QtGameWindow, ReadableOnADarkTheme) {
    const QPalette before = QApplication::palette();
    QPalette dark;
    for (auto [role, colour] : {std::pair{QPalette::Window, QColor(32, 32, 32)},
                                {QPalette::WindowText, Qt::white},
                                {QPalette::Button, QColor(48, 48, 48)},
                                {QPalette::ButtonText, Qt::white},
                                {QPalette::Base, QColor(16, 16, 16)},
                                {QPalette::Text, Qt::white}})
        dark.setColor(role, colour);
    QApplication::setPalette(dark);
    f.mnuKeys_Click();
    f.mnuVersion_Click();
    sv.DoEvents();
    for (int i = 0; i < 11; ++i) {
        const forms::Button& b = f.form2->cmdBTN[i];
        const QColor back((b.backColor >> 16) & 0xFF, (b.backColor >> 8) & 0xFF, b.backColor & 0xFF);
        EXPECT_GT(textShare(sv.widgetOf(b), back), 0.005) << b.caption;
    }
    EXPECT_GT(textShare(sv.widgetOf(f.form2->Command1[1]), QColor(48, 48, 48)), 0.02) << "a button in theme colours";
    EXPECT_GT(textShare(sv.widgetOf(f.form3->Label1), QColor(32, 32, 32)), 0.02) << "the version dialog";
    EXPECT_GT(textShare(sv.widgetOf(f.lblPause), QColor(40, 20, 60)), 0.02) << "the pause label";

    const QFont dialogFont = sv.widgetOf(f.form2->Command1[0])->font();
    EXPECT_EQ(window->menuBar()->font().family(), dialogFont.family());
    EXPECT_EQ(window->menuBar()->font().pointSizeF(), dialogFont.pointSizeF());
    std::vector<std::string> boxFonts;
    const auto closeBoxSoon = [&] {
        QTimer::singleShot(50, window, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            boxFonts.push_back(box->font().family().toStdString());
            for (QLabel* l : box->findChildren<QLabel*>()) {
                if (l->text().isEmpty()) continue;
                EXPECT_GT(textShare(l, QColor(32, 32, 32)), 0.02);
            }
            box->close();
        });
    };
    closeBoxSoon();
    sv.msgBox("ハイスコアを保存できませんでした。", "ルル子", 48);
    closeBoxSoon();
    sv.inputBox("名前を入れてください。", "ハイスコア", "");
    EXPECT_EQ(boxFonts, (std::vector<std::string>(2, dialogFont.family().toStdString())));
    QApplication::setPalette(before);
}

}  // namespace
