// SPDX-License-Identifier: GPL-3.0-or-later
// The key dialog from the keyboard alone, and what accessibility tools learn
// of the dialog and the game window.
#include <QAccessible>
#include <QTimer>

#include "dialogs/form2.h"
#include "qt/form_window.h"
#include "qt_environment.h"

namespace {

// The key dialog without a mouse: its buttons take the focus in reading order
// with Tab and Shift+Tab, Space and Return press them; a capture still takes
// every key (Tab moves no focus then), and Return still held as it starts is
// not taken for the key. It tells accessibility tools it is a dialog, and the
// game window's picture and best-score box have names.
TEST_F(QtGameWindow, KeyDialogFromTheKeyboard) {
    f.mnuKeys_Click();
    sv.DoEvents();
    game::Form2& d = *f.form2;
    QWidget* dialog = sv.windowOf(d.form);
    ASSERT_TRUE(qttest::activate(dialog));
    const auto focused = [&]() -> std::string {
        for (const forms::Button* b :
             {&d.cmdBTN[0], &d.cmdBTN[4], &d.cmdBTN[9], &d.cmdBTN[10], &d.cmdBTN[5], &d.cmdBTN[8], &d.Command1[0]})
            if (QApplication::focusWidget() == sv.widgetOf(*b)) return b->caption;
        return "none";
    };
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = {}) {
        QTest::keyClick(dialog->windowHandle(), k, m);
        sv.DoEvents();
    };
    EXPECT_EQ(focused(), "1 左端");
    for (int i = 0; i < 4; ++i) key(Qt::Key_Tab);
    EXPECT_EQ(focused(), "5 右端");
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), "１列左") << "the middle row comes before the bottom one";
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), "１列右");
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), "VORN BEAMを撃つ");
    for (int i = 0; i < 4; ++i) key(Qt::Key_Tab);
    EXPECT_EQ(focused(), "デフォルトの設定");
    for (int i = 0; i < 4; ++i) key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), "VORN BEAMを撃つ");

    // Space starts a capture; Tab goes to it, Q ends it.
    const auto soon = [&](int ms, std::function<void()> step) { QTimer::singleShot(ms, dialog, std::move(step)); };
    std::string waiting, focusDuring;
    soon(30, [&] { QTest::keyClick(dialog->windowHandle(), Qt::Key_Tab); });
    soon(80, [&] {
        waiting = d.lblSub.caption;
        focusDuring = focused();
    });
    soon(120, [&] { QTest::keyClick(dialog->windowHandle(), Qt::Key_Q); });
    key(Qt::Key_Space);
    EXPECT_EQ(waiting, "キーを押してください。 >VORN BEAMを撃つ");
    EXPECT_EQ(focusDuring, "none") << "no button takes a key during the capture";
    EXPECT_EQ(d.keyWork[5], 'Q');
    EXPECT_EQ(d.lblSub.caption, "81を設定しました。");
    EXPECT_EQ(focused(), "VORN BEAMを撃つ") << "the focus comes back after the capture";

    // Return presses the focused button as it goes down; its release comes later.
    key(Qt::Key_Tab);
    soon(30, [&] { QTest::keyRelease(dialog->windowHandle(), Qt::Key_Return); });
    soon(80, [&] { waiting = d.lblSub.caption; });
    soon(120, [&] { QTest::keyClick(dialog->windowHandle(), Qt::Key_W); });
    QTest::keyPress(dialog->windowHandle(), Qt::Key_Return);
    sv.DoEvents();
    EXPECT_EQ(waiting, "キーを押してください。 >V.BEAM一列一斉発射");
    EXPECT_EQ(d.keyWork[6], 'W');

    QAccessibleInterface* role = QAccessible::queryAccessibleInterface(dialog);
    ASSERT_NE(role, nullptr);
    EXPECT_EQ(role->role(), QAccessible::Dialog);
    EXPECT_EQ(role->text(QAccessible::Name), "使用するキーの設定");
    EXPECT_EQ(sv.widgetOf(f.picMain)->accessibleName(), "ゲーム画面");
    EXPECT_EQ(sv.widgetOf(f.Text1)->accessibleName(), "ハイスコア");
    EXPECT_EQ(sv.widgetOf(f.Command1)->focusPolicy(), Qt::NoFocus) << "the game window keeps its keys";

    key(Qt::Key_Escape);
    EXPECT_TRUE(d.unloaded());
}

}  // namespace
