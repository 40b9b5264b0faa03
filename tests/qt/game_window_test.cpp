// The game window built from Form1's model: its menu bar and controls as the
// player sees them, input only queuing the model's callbacks, and a window lost
// off screen brought back.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/form3.h"
#include "qt/qt_services.h"
#include "qt_environment.h"
#include "shell/form1.h"

namespace {

// The bar as the player sees it, in one text: each action with its shortcut
// and marks ("box": a check box left empty), a menu's items in braces. Qt
// disables a hidden action, which is what keeps its shortcut quiet.
std::string describe(const QList<QAction*>& actions) {
    std::string out;
    for (QAction* a : actions) {
        out += (out.empty() ? "" : "; ") + (a->isSeparator() ? "-" : a->text().toStdString());
        if (!a->shortcut().isEmpty())
            out += " [" + a->shortcut().toString(QKeySequence::PortableText).toStdString() + "]";
        if (a->isCheckable() || a->isChecked()) out += a->isChecked() ? " checked" : " box";
        if (!a->isEnabled()) out += " disabled";
        if (!a->isVisible()) out += " hidden";
        if (a->menu()) out += " {" + describe(a->menu()->actions()) + "}";
    }
    return out;
}

class QtGameWindow : public testing::Test {
protected:
    void SetUp() override {
        sv.showForm(f.form);
        window = qobject_cast<QMainWindow*>(sv.windowOf(f.form));
        ASSERT_NE(window, nullptr);
    }
    qtfront::QtServices sv;
    game::Form1 f{sv, LANEBEAM_BIN_DIR};
    QMainWindow* window = nullptr;
};

TEST_F(QtGameWindow, MenuCaptionsAccessKeysShortcutsAndInitialStates) {
    EXPECT_EQ(
        describe(window->menuBar()->actions()),
        "ﾒﾆｭｰ(&M) {遊戯開始 (&S) [F2]; 一時停止 (&P) [F3]; -; ハイスコアの表示 (&H) [F4]; "
        "タイトル画面に戻る (&T) [F5]; -; 遊戯終了 (&Q) [Ctrl+C]}; "
        "設定(&O) {難易度 (&L) {SUPER EASY (&0); VERY EASY (&1); EASY (&2) checked; NORMAL (&3) disabled; "
        "EXPERT (&4) disabled; GOLDEN FINGER disabled hidden; SPILITUAL FEVER disabled hidden; "
        "SUDDEN MODE disabled hidden}; -; 描画にMMXを使用 (&M); キーの設定 (&K)... [Ctrl+K]; "
        "声がでてしまう (&V) [Ctrl+V] checked; ちょっち過激な表現 (&B) [Ctrl+B] checked; FPSの表示 (&F) [Ctrl+F]; -; "
        "設定・ハイスコアをリセット (&R)...}; "
        "ﾃﾞﾊﾞｯｸﾞ(&D) {コード入力 (&C)... [Ctrl+Z]; 画面キャプチャ [F9]}; "
        "ﾍﾙﾌﾟ(&H) {Webブラウザでﾍﾙﾌﾟﾌｧｲﾙを見る (&H)... [F1]; -; ヴァージョン情報 (&V)...}");
    // Ctrl+C quits from anywhere in the window.
    EXPECT_EQ(sv.actionOf(f.mnuQuit)->shortcutContext(), Qt::WindowShortcut);
}

TEST_F(QtGameWindow, ShortcutsActOnlyThroughDoEventsAndNotInAHiddenMenu) {
    int starts = 0, captures = 0;
    f.mnuStart.onClick = [&] { ++starts; };
    f.mnuCapture.onClick = [&] { ++captures; };
    f.mnuDBG.visible = false;
    sv.DoEvents();
    ASSERT_TRUE(qttest::activate(window));
    QTest::keyClick(window->windowHandle(), Qt::Key_F2);
    EXPECT_EQ(starts, 0) << "nothing of the game runs inside Qt's dispatch";
    sv.DoEvents();
    EXPECT_EQ(starts, 1);
    QTest::keyClick(window->windowHandle(), Qt::Key_F9);
    sv.DoEvents();
    EXPECT_EQ(captures, 0) << "the debug menu is hidden";
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

// Once a menu is closed, or after a lone Alt, the next key is the game's: the
// bar must not be left in keyboard mode, where Space would drop a menu open.
TEST_F(QtGameWindow, NoKeyboardModeIsLeftInTheMenuBar) {
    ASSERT_TRUE(qttest::activate(window));
    QMenuBar* bar = window->menuBar();
    for (bool openFirst : {false, true}) {
        if (openFirst) {
            QTest::keyClick(window->windowHandle(), Qt::Key_O, Qt::AltModifier);
            QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget()->windowHandle()
                                                              : window->windowHandle(),
                            Qt::Key_Escape);
        } else {
            QTest::keyPress(window->windowHandle(), Qt::Key_Alt);
            QTest::keyRelease(window->windowHandle(), Qt::Key_Alt);
        }
        QTest::keyClick(window->windowHandle(), Qt::Key_Space);
        EXPECT_EQ(bar->activeAction(), nullptr) << openFirst;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << openFirst;
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }
}

// The play keys and Ctrl+C must never be taken by a control; the text box
// shows the game's CR LF lines in the fixed-pitch Japanese font, labels in the
// proportional one.
TEST_F(QtGameWindow, ControlsTakeNoFocusAndShowJapaneseText) {
    for (const forms::Control* c : f.form.controls) EXPECT_EQ(sv.widgetOf(*c)->focusPolicy(), Qt::NoFocus) << c->name;
    auto* text = qobject_cast<QPlainTextEdit*>(sv.widgetOf(f.Text1));
    ASSERT_NE(text, nullptr);
    f.Text1.text = "1st  100\r\n2nd   50";
    sv.DoEvents();
    EXPECT_EQ(text->toPlainText().toStdString(), "1st  100\n2nd   50");
    EXPECT_EQ(text->font().family().toStdString(), "IPAGothic");
    EXPECT_EQ(sv.widgetOf(f.lblPause)->font().family().toStdString(), "IPAPGothic");
}

TEST_F(QtGameWindow, InputOnlyQueuesTheCallbackUntilDoEvents) {
    int clicks = 0, moves = 0;
    f.Command1.onClick = [&] { ++clicks; };
    f.lblPause.onMouseMove = [&] { ++moves; };
    f.Command1.visible = f.lblPause.visible = true;
    sv.DoEvents();
    QTest::mouseClick(sv.widgetOf(f.Command1), Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    for (int i = 0; i < 5; ++i) QCoreApplication::sendEvent(sv.widgetOf(f.lblPause), &move);
    EXPECT_EQ(clicks + moves, 0);
    sv.DoEvents();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(moves, 1) << "mouse moves over one label coalesce";
}

// A modal box stops the game's loop, so whatever the window shows then stays
// behind it: it must be the picture as it is, not the last frame presented.
TEST_F(QtGameWindow, ABoxOpensOverThePictureAsItIsNow) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QPoint centre = sv.widgetOf(f.picMain)->mapTo(window, QPoint(175, 175));
    const auto shown = [&] {
        return window->screen()->grabWindow(window->winId()).toImage().pixel(centre) & 0xFFFFFFu;
    };
    for (bool input : {false, true}) {
        f.picMain.filledBox(0, 0, 349, 349, forms::rgb(200, 0, 0));
        sv.repaint();
        ASSERT_EQ(shown(), forms::rgb(200, 0, 0));
        f.picMain.cls();  // black: no picture is loaded here
        QRgb behindTheBox = 1;
        QTimer::singleShot(0, [&] {
            behindTheBox = shown();
            QApplication::activeModalWidget()->close();
        });
        if (input)
            sv.inputBox("名前を入力してください。", "ハイスコア", "");
        else
            sv.msgBox("Neでーす！", "アッチッチ", platform::kMbExclamation);
        EXPECT_EQ(behindTheBox, forms::rgb(0, 0, 0)) << (input ? "input box" : "message box");
    }
}

// The room a control gives its text: a button's inside, a text box's page.
QSize room(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(b);
        return b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).size();
    }
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        const int margin = static_cast<int>(2 * t->document()->documentMargin());
        return t->viewport()->size() - QSize(margin, margin);
    }
    return w->contentsRect().size();
}

// Every text of the game window and the version dialog reads whole on one line
// of its control, in its own font: the pause label, the best-score box with
// its widest lines and its button, and the version dialog's texts; in the game
// window enlarged three times too.
TEST_F(QtGameWindow, TextsFitTheirControlsOnOneLine) {
    f.mnuVersion_Click();
    game::Form3& v = *f.form3;
    const std::pair<forms::Control*, std::vector<std::string>> cases[] = {
        {&f.lblPause, {"[SPACE]で復帰します。"}},
        {&f.Command1, {"閉"}},
        {&f.Text1, {"SUPER EASY 999999990 ルル子", "EXPERT     10000 ---", "VERY EASY  70000 No Name"}},
        {&v.Label1, {v.Label1.caption}},
        {&v.Label2, {"November,2000", "October,2001"}},
        {&v.Label3, {"Ver 1.8.8"}},
        {&v.Command1, {"消える", "閉じる"}},
    };
    for (const int factor : {1, 3}) {
        window->resize(window->size() + QSize(700, 700) * (factor == 3));
        sv.DoEvents();
        ASSERT_EQ(sv.widgetOf(f.picMain)->width(), 350 * factor);
        for (const auto& [control, texts] : cases) {
            QWidget* w = sv.widgetOf(*control);
            ASSERT_NE(w, nullptr) << control->name;
            const QFontMetrics metrics(w->font());
            for (const std::string& text : texts) {
                EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(text)), room(w).width())
                    << text << " x" << factor;
                EXPECT_LE(metrics.height(), room(w).height()) << text << " x" << factor;
            }
        }
    }
}

TEST(QtWindowPosition, AWindowOffEveryScreenIsPulledBack) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const std::pair<float, float> lost[] = {
        {-100000, -100000}, {15.0f * (screen.right() + 500), 0}, {0, 15.0f * (screen.bottom() + 10)}, {NAN, NAN}};
    for (const auto& [left, top] : lost) {
        qtfront::QtServices sv;
        game::Form1 f{sv, LANEBEAM_BIN_DIR};
        f.form.left = left;  // twips
        f.form.top = top;
        sv.showForm(f.form);
        // Placed before the frame's size is known: only its margins may stick out.
        EXPECT_TRUE(screen.adjusted(-10, -10, 10, 10).contains(sv.windowOf(f.form)->frameGeometry()))
            << left << "," << top;
    }
}

}  // namespace
