// The game window built from a form: its menu bar as the player sees it, input
// only queuing the model's callbacks, and on a large screen the picture enlarged by the largest whole factor in
// whole blocks, with everything over it enlarged alike, and F11 unless it is a
// play key.
#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <tuple>

#include "dialogs/form2.h"
#include "qt/form_window.h"
#include "qt/window_size_file.h"
#include "qt_environment.h"

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

TEST(QtScaledWindow, LargestWholeFactorCentred) {
    // The client area, device pixels to one, and the factor and the picture's place.
    const std::tuple<QSize, qreal, int, QRect> cases[] = {
        {{699, 700}, 1, 1, {174, 175, 350, 350}},  // one pixel too narrow for 2
        {{700, 699}, 1, 1, {175, 174, 350, 350}},  // one pixel too low
        {{700, 700}, 1, 2, {0, 0, 700, 700}},
        {{300, 200}, 1, 1, {0, 0, 350, 350}},  // smaller than the picture: cut off, never below 1
        // On a screen of two device pixels to one, the factor counts device pixels.
        {{350, 350}, 2, 2, {0, 0, 350, 350}},
        {{524, 525}, 2, 2, {87, 87, 350, 350}},  // 1048 device pixels: two short of 3
        {{525, 525}, 2, 3, {0, 0, 525, 525}},
        {{700, 700}, 1.5, 3, {0, 0, 700, 700}}};
    for (const auto& [area, ratio, factor, stage] : cases) {
        SCOPED_TRACE(testing::Message() << area.width() << "x" << area.height() << " at " << ratio);
        const qtfront::Presentation p = qtfront::present(area, ratio, {350, 350});
        EXPECT_EQ(p.zoom.factor, factor);
        EXPECT_EQ(p.stage, stage);
    }
}

// The best-score box, its button and the pause label keep their places on the
// picture at three times the size, in fonts three times as large, and the
// button takes a click where it is drawn. With them gone, every pixel of the
// drawing, changed or not since the last repaint, is a uniform 3 x 3 block of
// its own colour.
TEST_F(QtGameWindow, PictureInWholeBlocksAndOverlaysGrowWithIt) {
    f.mnuHS_Click();
    f.lblPause.visible = true;
    enlarge(3);
    for (const forms::Control* c : std::initializer_list<const forms::Control*>{&f.Text1, &f.Command1, &f.lblPause}) {
        QWidget* w = sv.widgetOf(*c);
        EXPECT_EQ(QRect(onWindow(*c, {0, 0}) - onWindow(f.picMain, {0, 0}), w->size()),
                  QRect(c->left * 3, c->top * 3, c->width * 3, c->height * 3))
            << c->name;
    }
    EXPECT_DOUBLE_EQ(sv.widgetOf(f.Text1)->font().pointSizeF(), 30);
    EXPECT_DOUBLE_EQ(sv.widgetOf(f.lblPause)->font().pointSizeF(), 36);
    QTest::mouseClick(sv.widgetOf(f.Command1), Qt::LeftButton, {}, QPoint(37, 37));
    sv.DoEvents();
    EXPECT_FALSE(f.Command1.visible);
    EXPECT_EQ(f.Text1.top, 500);
    f.lblPause.visible = false;
    sv.DoEvents();
    const auto colour = [](int x, int y, int round) {
        return forms::rgb(x * 7 + round * 50, y * 5, (x ^ y) & 1 ? 255 : 0);
    };
    for (int round = 0; round < 2; ++round) {
        // The second round changes only a patch, which goes out on its own.
        const int from = round ? 100 : 0, to = round ? 140 : 350;
        for (int y = from; y < to; ++y)
            for (int x = from; x < to; ++x) f.picMain.pset(x, y, colour(x, y, round));
        sv.repaint();
        const QImage shown = grab();
        const QPoint origin = onWindow(f.picMain, {0, 0});
        int wrong = 0;
        for (int y = 0; y < 1050; ++y)
            for (int x = 0; x < 1050; ++x) {
                const int sx = x / 3, sy = y / 3;
                const bool patch = sx >= 100 && sx < 140 && sy >= 100 && sy < 140;
                wrong += (shown.pixel(origin + QPoint(x, y)) & 0xFFFFFFu) != colour(sx, sy, round && patch);
            }
        EXPECT_EQ(wrong, 0) << "round " << round;
    }
}

// F11 puts the window on the whole screen and back; given to an action in the
// key dialog, it is a play key like any other and the window leaves it alone.
TEST_F(QtGameWindow, F11TogglesFullScreenUnlessItIsAPlayKey) {
    for (const bool played : {false, true}) {
        f.KeyS7 = played ? 122 : 77;
        ASSERT_TRUE(qttest::activate(window));
        for (const bool fullAfter : {true, false}) {
            QTest::keyPress(window->windowHandle(), Qt::Key_F11);
            EXPECT_EQ(window->isFullScreen(), fullAfter && !played) << "played " << played;
            EXPECT_TRUE(!played || (sv.GetKeyState(122) & 0x80)) << "the game sees its key";
            QTest::keyRelease(window->windowHandle(), Qt::Key_F11);
            sv.DoEvents();
        }
    }
}

}  // namespace

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

namespace {

// On a 125-175 % screen the window opens at the next whole factor of device
// pixels, its picture filling the client area with no margin.
TEST(QtScaledWindow, StartsAtTheNextWholeFactor) {
    struct Row {
        qreal ratio;
        int factor;
        int side;  // logical pixels of the client area
    };
    const Row rows[] = {
        {.ratio = 1, .factor = 1, .side = 350},   {.ratio = 1.25, .factor = 2, .side = 560},
        {.ratio = 1.5, .factor = 2, .side = 467}, {.ratio = 1.75, .factor = 2, .side = 400},
        {.ratio = 2, .factor = 2, .side = 350},   {.ratio = 2.5, .factor = 3, .side = 420},
        {.ratio = 0, .factor = 1, .side = 350},  // a screen that reports nonsense
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.ratio);
        EXPECT_EQ(qtfront::startFactor(r.ratio), r.factor);
        const QSize stage = qtfront::stageSize({350, 350}, r.factor, r.ratio);
        EXPECT_EQ(stage, QSize(r.side, r.side));
        if (r.ratio <= 0) continue;
        const qtfront::Presentation shown = qtfront::present(stage, r.ratio, {350, 350});
        EXPECT_EQ(shown.zoom.factor, r.factor);
        EXPECT_EQ(shown.stage, QRect(QPoint(0, 0), stage)) << "no margin";
    }
}

// A size saved on a larger screen shrinks to the largest whole factor that
// fits the screen it opens on; one that fits is kept.
TEST(QtScaledWindow, SavedSizeFitsTheScreen) {
    struct Row {
        const char* what;
        QSize wanted, available;
        qreal ratio;
        QSize size;
    };
    const QSize bar(0, 25);
    const Row rows[] = {
        {.what = "fits", .wanted = {800, 800}, .available = {1008, 928}, .ratio = 1, .size = {800, 800}},
        {.what = "2400 x 1350 on 1024 x 768",
         .wanted = {2400, 1350},
         .available = {1008, 728},
         .ratio = 1,
         .size = QSize(700, 700) + bar},
        {.what = "on a 150 % screen",
         .wanted = {3000, 3000},
         .available = {1000, 700},
         .ratio = 1.5,
         .size = {467, 492}},
        {.what = "too small for the plain size",
         .wanted = {900, 900},
         .available = {300, 300},
         .ratio = 1,
         .size = QSize(350, 350) + bar},
    };
    for (const Row& r : rows)
        EXPECT_EQ(qtfront::fitWindowSize(r.wanted, r.available, bar, {350, 350}, r.ratio), r.size) << r.what;
}

// The game window saved at 2400 x 1350 near the corner of a large screen comes
// back whole on this one, at a whole factor.
TEST(QtScaledWindow, RestoredWindowComesBackOnTheScreen) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("vnbeam-window.txt").toStdString();
    ASSERT_TRUE(qtfront::writeWindowSize(file, {{2400, 1350}, false, false}));
    forms::MenuItem item("mnuMenu");
    item.caption = "ﾒﾆｭｰ(&M)";
    forms::Form form("Form1");
    form.clientWidth = form.clientHeight = 350;
    form.scalable = true;
    form.menuBar = {&item};
    form.left = 1500 * forms::kTwipsPerPixel;
    form.top = 1000 * forms::kTwipsPerPixel;
    qtfront::FormWindow shown(
        form, [](const void*, std::function<void()>, bool) {}, [] {}, file);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(shown.window()->pos(), shown.window()->size());
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width() << "x"
                                         << placed.height() << " on " << screen.width() << "x" << screen.height();
    EXPECT_LT(placed.width(), 2400) << "shrunk";
    EXPECT_EQ(placed.width() % 350, 0) << "to a whole factor";
}

}  // namespace
