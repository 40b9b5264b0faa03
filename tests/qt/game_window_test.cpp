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
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

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

// Nothing of the game runs inside Qt's dispatch: keys, clicks and moves only
// queue the model's callbacks for DoEvents. A hidden menu's shortcut stays
// quiet, and no control takes the keyboard from the play keys and Ctrl+C.
TEST_F(QtGameWindow, InputOnlyQueuesTheCallbackUntilDoEvents) {
    int starts = 0, captures = 0, clicks = 0, moves = 0;
    f.mnuStart.onClick = [&] { ++starts; };
    f.mnuCapture.onClick = [&] { ++captures; };
    f.Command1.onClick = [&] { ++clicks; };
    f.lblPause.onMouseMove = [&] { ++moves; };
    f.Command1.visible = f.lblPause.visible = true;
    f.mnuDBG.visible = false;
    f.Text1.text = "1st  100\r\n2nd   50";
    sv.DoEvents();
    for (const forms::Control* c : f.form.controls) EXPECT_EQ(sv.widgetOf(*c)->focusPolicy(), Qt::NoFocus) << c->name;
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(sv.widgetOf(f.Text1))->toPlainText().toStdString(), "1st  100\n2nd   50");
    ASSERT_TRUE(qttest::activate(window));
    QTest::keyClick(window->windowHandle(), Qt::Key_F2);
    QTest::keyClick(window->windowHandle(), Qt::Key_F9);
    QTest::mouseClick(sv.widgetOf(f.Command1), Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    for (int i = 0; i < 5; ++i) QCoreApplication::sendEvent(sv.widgetOf(f.lblPause), &move);
    EXPECT_EQ(starts + captures + clicks + moves, 0);
    sv.DoEvents();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(captures, 0) << "the debug menu is hidden";
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(moves, 1) << "mouse moves over one label coalesce";
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
