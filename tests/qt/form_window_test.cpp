// SPDX-License-Identifier: GPL-3.0-or-later
// The game window built from a form: nothing of the game runs inside Qt's
// dispatch, keys, clicks and moves only queue the model's callbacks, and
// neither a control nor the menu bar takes the play keys.
#include <QAction>
#include <QMenuBar>
#include <QMouseEvent>

#include <tuple>

#include "qt/form_window.h"
#include "qt_environment.h"

namespace {

// Nothing of the game runs inside Qt's dispatch: keys, clicks and moves only
// queue the model's callbacks for DoEvents. A hidden menu's shortcut stays
// quiet, and neither a control nor the menu bar (after a lone Alt) takes the
// keyboard from the play keys and Ctrl+C.
TEST_F(QtGameWindow, InputOnlyQueuesTheCallbackUntilDoEvents) {
    int starts = 0, captures = 0, clicks = 0, moves = 0;
    f.mnuStart.onClick = [&] { ++starts; };
    f.mnuCapture.onClick = [&] { ++captures; };
    f.Command1.onClick = [&] { ++clicks; };
    f.lblPause.onMouseMove = [&] { ++moves; };
    f.Command1.visible = f.lblPause.visible = true;
    f.mnuDBG.visible = false;
    sv.DoEvents();
    for (const forms::Control* c : f.form.controls) EXPECT_EQ(sv.widgetOf(*c)->focusPolicy(), Qt::NoFocus) << c->name;
    ASSERT_TRUE(qttest::activate(window));
    for (Qt::Key k : {Qt::Key_Alt, Qt::Key_M, Qt::Key_F2, Qt::Key_F9}) QTest::keyClick(window->windowHandle(), k);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a lone Alt leaves the play key M to the game";
    // A menu closed by Escape leaves no keyboard mode behind either.
    QTest::keyClick(window->windowHandle(), Qt::Key_O, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Escape);
    QTest::keyClick(window->windowHandle(), Qt::Key_Space);
    EXPECT_EQ(window->menuBar()->activeAction(), nullptr);
    QTest::mouseClick(sv.widgetOf(f.Command1), Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    for (int i = 0; i < 5; ++i) QCoreApplication::sendEvent(sv.widgetOf(f.lblPause), &move);
    EXPECT_EQ(starts + captures + clicks + moves, 0);
    sv.DoEvents();
    // F9 is in the hidden debug menu; the mouse moves over one label coalesce.
    EXPECT_EQ(std::tuple(starts, captures, clicks, moves), std::tuple(1, 0, 1, 1));
    f.mnuDBG.visible = true;
    sv.DoEvents();
    QTest::keyClick(window->windowHandle(), Qt::Key_F9);
    sv.DoEvents();
    EXPECT_EQ(captures, 1);
    // Qt unchecks a checkable action on its own when it is triggered.
    sv.actionOf(f.mnulv[2])->trigger();
    sv.DoEvents();
    EXPECT_TRUE(sv.actionOf(f.mnulv[2])->isChecked()) << "choosing the checked difficulty again";
}

}  // namespace
