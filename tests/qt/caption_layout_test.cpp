// SPDX-License-Identifier: GPL-3.0-or-later
// The key configuration dialog as the Qt front draws it: every button's caption
// whole, broken between words where it needs two lines, in the button's own
// font, and the game window locked while the dialog is open.
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "dialogs/form2.h"
#include "qt/caption_layout.h"
#include "qt_environment.h"

namespace {

TEST_F(QtGameWindow, KeyDialogCaptionsBreakOnlyBetweenWords) {
    f.mnuKeys_Click();
    sv.DoEvents();
    ASSERT_NE(f.form2, nullptr);
    EXPECT_FALSE(window->isEnabled()) << "the game window waits for the dialog";
    // Each button's caption as drawn, its lines joined by '|'.
    const QStringList drawn = QString(
                                  "1 左端/2/3 中央/4/5 右端/VORN BEAMを撃つ/V.BEAM|一列一斉発射/"
                                  "光の尾を纏った|V.BEAM/敵の動きを|止める/１列左/１列右")
                                  .split('/');
    for (int i = 0; i < 11; ++i) {
        auto* b = qobject_cast<QPushButton*>(sv.widgetOf(f.form2->cmdBTN[i]));
        ASSERT_NE(b, nullptr) << i;
        QStyleOptionButton option;
        option.initFrom(b);
        const QSize area = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).size();
        const qtfront::CaptionLayout layout = qtfront::layoutCaption(b->text(), b->font(), area);
        EXPECT_EQ(layout.lines.join('|'), drawn[i]) << "whole words on each line";
        EXPECT_EQ(layout.font, b->font()) << i;
    }
}

}  // namespace
