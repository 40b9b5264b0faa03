// The key configuration dialog as the Qt front draws it: every button in its
// frame at its place, with its caption and its colour, and the game window
// locked while it is open.
#include <QGroupBox>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "dialogs/form2.h"
#include "qt/qt_services.h"
#include "qt_environment.h"
#include "shell/form1.h"

namespace {

TEST(QtKeyDialog, ButtonsCaptionsAndColoursAtTheirPlaces) {
    qtfront::QtServices sv;
    game::Form1 f{sv, LANEBEAM_BIN_DIR};
    sv.showForm(f.form);
    f.mnuKeys_Click();
    sv.DoEvents();
    ASSERT_NE(f.form2, nullptr);
    QWidget* dialog = sv.windowOf(f.form2->form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle().toStdString(), "使用するキーの設定");
    EXPECT_FALSE(sv.windowOf(f.form)->isEnabled()) << "the game window waits for the dialog";

    struct Expected {
        int x, y, w, h;
        const char* caption;
        QRgb colour;
    };
    const Expected buttons[11] = {
        {12, 24, 77, 29, "1 左端", qRgb(160, 160, 255)},
        {96, 24, 77, 29, "2", qRgb(160, 255, 160)},
        {180, 24, 77, 29, "3 中央", qRgb(255, 255, 144)},
        {264, 24, 77, 29, "4", qRgb(255, 192, 128)},
        {348, 24, 77, 29, "5 右端", qRgb(255, 144, 128)},
        {12, 112, 141, 41, "VORN BEAMを撃つ", qRgb(255, 192, 192)},
        {160, 112, 93, 41, "V.BEAM一列一斉発射", qRgb(192, 255, 192)},
        {256, 112, 97, 41, "光の尾を纏ったV.BEAM", qRgb(192, 255, 192)},
        {356, 112, 81, 41, "敵の動きを止める", qRgb(192, 255, 192)},
        {140, 68, 77, 29, "１列左", qRgb(128, 255, 255)},
        {224, 68, 77, 29, "１列右", qRgb(255, 128, 255)},
    };
    auto* frame = qobject_cast<QGroupBox*>(sv.widgetOf(f.form2->Frame1));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), QRect(4, 112, 445, 165));
    for (int i = 0; i < 11; ++i) {
        auto* b = qobject_cast<QPushButton*>(sv.widgetOf(f.form2->cmdBTN[i]));
        ASSERT_NE(b, nullptr) << i;
        EXPECT_EQ(b->parentWidget(), frame) << i;
        EXPECT_EQ(b->geometry(), QRect(buttons[i].x, buttons[i].y, buttons[i].w, buttons[i].h)) << i;
        EXPECT_EQ(b->text().toStdString(), buttons[i].caption) << i;
        EXPECT_EQ(b->palette().color(QPalette::Button).rgb(), buttons[i].colour) << i;
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << "a button must not take the keys being captured";
    }
    const char* commands[3] = {"デフォルトの設定", "設定完了", "設定をやめる"};
    for (int i = 0; i < 3; ++i) {
        auto* b = qobject_cast<QPushButton*>(sv.widgetOf(f.form2->Command1[i]));
        ASSERT_NE(b, nullptr) << i;
        EXPECT_EQ(b->geometry(), QRect(12 + 152 * i, 300, 121, 29)) << i;
        EXPECT_EQ(b->text().toStdString(), commands[i]);
    }
}

}  // namespace
