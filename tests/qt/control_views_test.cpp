// The key configuration dialog as the Qt front draws it: every button's caption
// whole, broken between words where it needs two lines, in the button's own
// font, and the game window locked while the dialog is open.
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

TEST(QtKeyDialog, CaptionsBreakOnlyBetweenWords) {
    qtfront::QtServices sv;
    game::Form1 f{sv, LANEBEAM_BIN_DIR};
    sv.showForm(f.form);
    f.mnuKeys_Click();
    sv.DoEvents();
    ASSERT_NE(f.form2, nullptr);
    EXPECT_FALSE(sv.windowOf(f.form)->isEnabled()) << "the game window waits for the dialog";
    // Each button's caption as drawn, its lines joined by '|'.
    const char* const drawn[11] = {"1 左端",
                                   "2",
                                   "3 中央",
                                   "4",
                                   "5 右端",
                                   "VORN BEAMを撃つ",
                                   "V.BEAM|一列一斉発射",
                                   "光の尾を纏った|V.BEAM",
                                   "敵の動きを|止める",
                                   "１列左",
                                   "１列右"};
    for (int i = 0; i < 11; ++i) {
        auto* b = qobject_cast<QPushButton*>(sv.widgetOf(f.form2->cmdBTN[i]));
        ASSERT_NE(b, nullptr) << i;
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << "a button must not take the keys being captured";
        QStyleOptionButton option;
        option.initFrom(b);
        const QSize area = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).size();
        const qtfront::CaptionLayout layout = qtfront::layoutCaption(b->text(), b->font(), area);
        EXPECT_EQ(layout.lines.join(QLatin1Char('|')).toStdString(), drawn[i]) << "whole words on each line";
        EXPECT_EQ(layout.font, b->font()) << i;
    }
}

}  // namespace
