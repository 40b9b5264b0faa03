// The key configuration dialog as the Qt front draws it: every button in its
// frame at its place, with its caption (broken between words where it needs
// two lines) and its colour, and the game window locked while it is open.
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "dialogs/form2.h"
#include "qt/control_views.h"
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
        std::string lines;  // as drawn
    };
    const Expected buttons[11] = {
        {12, 24, 77, 29, "1 左端", qRgb(160, 160, 255), "1 左端"},
        {96, 24, 77, 29, "2", qRgb(160, 255, 160), "2"},
        {180, 24, 77, 29, "3 中央", qRgb(255, 255, 144), "3 中央"},
        {264, 24, 77, 29, "4", qRgb(255, 192, 128), "4"},
        {348, 24, 77, 29, "5 右端", qRgb(255, 144, 128), "5 右端"},
        {12, 112, 141, 41, "VORN BEAMを撃つ", qRgb(255, 192, 192), "VORN BEAMを撃つ"},
        {160, 112, 93, 41, "V.BEAM一列一斉発射", qRgb(192, 255, 192), "V.BEAM|一列一斉発射"},
        {256, 112, 97, 41, "光の尾を纏ったV.BEAM", qRgb(192, 255, 192), "光の尾を纏った|V.BEAM"},
        {356, 112, 81, 41, "敵の動きを止める", qRgb(192, 255, 192), "敵の動きを|止める"},
        {140, 68, 77, 29, "１列左", qRgb(128, 255, 255), "１列左"},
        {224, 68, 77, 29, "１列右", qRgb(255, 128, 255), "１列右"},
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
        QStyleOptionButton option;
        option.initFrom(b);
        const QSize area = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).size();
        const qtfront::CaptionLayout layout = qtfront::layoutCaption(b->text(), b->font(), area);
        EXPECT_EQ(layout.lines.join(QLatin1Char('|')).toStdString(), buttons[i].lines) << "whole words on each line";
        EXPECT_EQ(layout.font, b->font()) << i;
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
