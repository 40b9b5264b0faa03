// Forms on screen: the window and its controls mirror the model, input only
// queues the model's callbacks, and unloading a form drops what it queued.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "forms/forms.h"
#include "qt/form_window.h"
#include "qt/qt_services.h"
#include "qt_environment.h"

namespace {

// A small dialog-like form with one control of each kind.
struct Panel {
    Panel() {
        form.caption = "パネル";
        form.clientWidth = 200;
        form.clientHeight = 150;
        button.move(10, 10, 80, 24);
        button.caption = "押す";
        button.backColor = forms::rgb(160, 160, 255);
        button.fontPoints = 12;
        button.onClick = [this] { ++clicks; };
        label.move(10, 40, 120, 20);
        label.caption = "November,2000";
        label.onMouseMove = [this] { ++moves; };
        text.move(10, 64, 180, 40);
        text.text = "1st  100\r\n2nd   50";
        text.fixedPitch = true;
        frame.move(100, 100, 90, 45);
        frame.caption = " Key Select ";
        inFrame.parent = &frame;
        inFrame.move(8, 16, 40, 20);
        form.controls = {&button, &label, &text, &frame, &inFrame};
        form.onUnload = [this] { ++unloads; };
    }
    forms::Form form{"Panel"};
    forms::Button button{"button"};
    forms::Label label{"label"};
    forms::TextBox text{"text"};
    forms::Frame frame{"frame"};
    forms::Button inFrame{"inFrame"};
    int clicks = 0, moves = 0, unloads = 0;
};

class QtForms : public testing::Test {
protected:
    void SetUp() override { sv.showForm(p.form); }
    QWidget* widget(const forms::Control& c) { return sv.widgetOf(c); }

    qtfront::QtServices sv;
    Panel p;
};

TEST_F(QtForms, ControlsShowTheirModel) {
    auto* button = qobject_cast<QPushButton*>(widget(p.button));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text().toStdString(), "押す");
    EXPECT_EQ(button->palette().color(QPalette::Button), QColor(160, 160, 255));
    EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 12);
    EXPECT_EQ(button->geometry(), QRect(10, 10, 80, 24));

    auto* text = qobject_cast<QPlainTextEdit*>(widget(p.text));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText().toStdString(), "1st  100\n2nd   50");
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->font().family().toStdString(), "IPAGothic");

    auto* label = qobject_cast<QLabel*>(widget(p.label));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), "November,2000");
    EXPECT_EQ(label->font().family().toStdString(), "IPAPGothic");

    // The play keys and Ctrl+C must never be taken by a control.
    for (const forms::Control* c : p.form.controls)
        EXPECT_EQ(widget(*c)->focusPolicy(), Qt::NoFocus) << c->name;

    auto* frame = qobject_cast<QGroupBox*>(widget(p.frame));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title().toStdString(), " Key Select ");
    EXPECT_EQ(widget(p.inFrame)->parentWidget(), frame);
    EXPECT_EQ(widget(p.inFrame)->geometry(), QRect(8, 16, 40, 20)) << "placed relative to its frame";
}

TEST_F(QtForms, ModelChangesReachTheWidgetsAtTheNextEvents) {
    p.button.backColor = forms::kNoColor;
    p.button.caption = "閉じる";
    p.label.visible = false;
    p.label.foreColor = forms::rgb(255, 255, 255);
    p.text.fixedPitch = false;
    p.text.setTop(100);
    p.inFrame.enabled = false;
    p.form.caption = "FPS:50";
    sv.DoEvents();
    EXPECT_EQ(widget(p.button)->palette().color(QPalette::Button),
              QApplication::palette(widget(p.button)).color(QPalette::Button));
    EXPECT_EQ(qobject_cast<QPushButton*>(widget(p.button))->text().toStdString(), "閉じる");
    EXPECT_TRUE(widget(p.label)->isHidden());
    EXPECT_EQ(widget(p.label)->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(widget(p.text)->font().family().toStdString(), "IPAPGothic");
    EXPECT_EQ(widget(p.text)->y(), 100);
    EXPECT_FALSE(widget(p.inFrame)->isEnabled());
    EXPECT_EQ(sv.windowOf(p.form)->windowTitle().toStdString(), "FPS:50");
}

TEST_F(QtForms, TheWindowHasTheFixedClientSizeAndTheModelsStates) {
    QWidget* w = sv.windowOf(p.form);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(p.form.visible);
    EXPECT_EQ(w->size(), QSize(200, 150));
    EXPECT_EQ(w->minimumSize(), w->maximumSize()) << "not resizable";
    EXPECT_EQ(w->windowTitle().toStdString(), "パネル");
    p.form.enabled = false;
    sv.DoEvents();
    EXPECT_FALSE(w->isEnabled());
}

TEST_F(QtForms, InputOnlyQueuesTheCallbackUntilDoEvents) {
    QTest::mouseClick(widget(p.button), Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    for (int i = 0; i < 5; ++i) QCoreApplication::sendEvent(widget(p.label), &move);
    EXPECT_EQ(p.clicks, 0);
    EXPECT_EQ(p.moves, 0);
    EXPECT_EQ(sv.queuedCallbacks(), 2u) << "mouse moves over one label coalesce";
    sv.DoEvents();
    EXPECT_EQ(p.clicks, 1);
    EXPECT_EQ(p.moves, 1);
    EXPECT_EQ(sv.queuedCallbacks(), 0u);
}

TEST_F(QtForms, TheCloseBoxAsksTheModelAndLeavesTheWindowOpen) {
    QWidget* w = sv.windowOf(p.form);
    w->close();
    w->close();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(p.unloads, 0);
    sv.DoEvents();
    EXPECT_EQ(p.unloads, 1);

    // A disabled window takes no input at all.
    p.form.enabled = false;
    sv.DoEvents();
    w->close();
    QTest::mouseClick(widget(p.button), Qt::LeftButton);
    sv.DoEvents();
    EXPECT_EQ(p.unloads, 1);
    EXPECT_EQ(p.clicks, 0);

    // Without a handler of its own the form is simply unloaded.
    p.form.enabled = true;
    p.form.onUnload = nullptr;
    sv.DoEvents();
    w->close();
    sv.DoEvents();
    EXPECT_EQ(sv.windowOf(p.form), nullptr);
    EXPECT_FALSE(p.form.visible);
}

TEST(QtFormsUnload, UnloadingDropsTheFormsQueuedCallbacksEvenFromItsOwnCallback) {
    qtfront::QtServices sv;
    auto panel = std::make_unique<Panel>();
    Panel other;
    sv.showForm(panel->form);
    sv.showForm(other.form);
    // The second click unloads and destroys the form, as the version dialog does.
    panel->button.onClick = [&] {
        sv.unloadForm(panel->form);
        panel.reset();
    };
    QTest::mouseClick(sv.widgetOf(panel->button), Qt::LeftButton);
    QTest::mouseClick(sv.widgetOf(other.button), Qt::LeftButton);
    sv.windowOf(panel->form)->close();
    EXPECT_EQ(sv.queuedCallbacks(), 3u);
    sv.DoEvents();
    EXPECT_EQ(panel, nullptr);
    EXPECT_EQ(other.clicks, 1) << "another form's callbacks stay";
    EXPECT_EQ(sv.queuedCallbacks(), 0u);

    QTest::mouseClick(sv.widgetOf(other.button), Qt::LeftButton);
    sv.unloadForm(other.form);
    sv.DoEvents();
    EXPECT_EQ(other.clicks, 1);
    EXPECT_EQ(sv.windowOf(other.form), nullptr);
    EXPECT_FALSE(other.form.visible);
}

TEST(QtFormsUnload, EndingTheProgramFromACallbackLeavesDoEvents) {
    qtfront::QtServices sv;
    Panel p;
    p.button.onClick = [&] { sv.endProgram(3); };
    sv.showForm(p.form);
    QTest::mouseClick(sv.widgetOf(p.button), Qt::LeftButton);
    try {
        sv.DoEvents();
        ADD_FAILURE() << "DoEvents returned";
    } catch (const platform::ProgramEnd& end) {
        EXPECT_EQ(end.status, 3);
    }
}

TEST(QtFormPosition, TwipsBecomePixelsAndLostWindowsComeBack) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        float left, top;
        bool keeps;
    };
    const Case cases[] = {
        {150, 300, true},
        {15 * 40, 15 * 20, true},
        {-100000, -100000, false},
        {15.0f * (screen.right() + 500), 0, false},
        {0, 15.0f * (screen.bottom() + 10), false},
        {NAN, NAN, false},
    };
    for (const Case& c : cases)
        for (bool withMenu : {false, true}) {
            qtfront::QtServices sv;
            Panel p;
            forms::MenuItem menu{"mnuMenu"};
            menu.caption = "ﾒﾆｭｰ(&M)";
            if (withMenu) p.form.menuBar = {&menu};
            p.form.left = c.left;
            p.form.top = c.top;
            sv.showForm(p.form);
            const QRect frame = sv.windowOf(p.form)->frameGeometry();
            if (c.keeps) {
                EXPECT_EQ(frame.topLeft(), QPoint(qRound(c.left / 15), qRound(c.top / 15)));
            } else {
                // Placed before the frame's size is known: only its margins may stick out.
                EXPECT_TRUE(screen.adjusted(-10, -10, 10, 10).contains(frame))
                    << c.left << "," << c.top << (withMenu ? " with a menu bar" : "");
            }
            EXPECT_EQ(p.form.left, frame.x() * 15.0f) << "the model learns where the window is";
        }
}

TEST(QtFormPosition, AWindowMovedByThePlayerIsSavedInTwips) {
    qtfront::QtServices sv;
    Panel p;
    p.form.left = 150;
    p.form.top = 150;
    sv.showForm(p.form);
    sv.windowOf(p.form)->move(30, 40);
    sv.DoEvents();
    EXPECT_EQ(p.form.left, 450);
    EXPECT_EQ(p.form.top, 600);
}

TEST(QtFormPosition, ADialogWithoutPositionOpensOverItsWindowWhollyOnScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint mains[] = {screen.topLeft(), screen.center() - QPoint(100, 75)};
    for (const QPoint main : mains) {
        qtfront::QtServices sv;
        Panel game, dialog;
        game.form.left = main.x() * 15.0f;
        game.form.top = main.y() * 15.0f;
        dialog.form.clientWidth = 453;
        dialog.form.clientHeight = 366;
        sv.showForm(game.form);
        sv.showForm(dialog.form);
        const QRect over = sv.windowOf(game.form)->frameGeometry();
        const QRect frame = sv.windowOf(dialog.form)->frameGeometry();
        EXPECT_TRUE(screen.contains(frame)) << main.x() << "," << main.y();
        if (screen.contains(QRect(over.center() - QPoint(230, 185), frame.size()))) {
            EXPECT_LE((frame.center() - over.center()).manhattanLength(), 3);
        }
    }
}

TEST(QtFormPosition, UnloadingTheActiveFormHandsTheKeyboardBack) {
    qtfront::QtServices sv;
    Panel game, dialog;
    dialog.form.left = 15 * 300;
    sv.showForm(game.form);
    ASSERT_TRUE(qttest::activate(sv.windowOf(game.form)));
    sv.showForm(dialog.form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(sv.windowOf(dialog.form), 2000));
    sv.unloadForm(dialog.form);
    EXPECT_TRUE(QTest::qWaitForWindowActive(sv.windowOf(game.form), 2000));
}

TEST(QtPicture, PixelsStayWholeWhenTheScreenScalesUp) {
    qtfront::QtServices sv;
    forms::Form form{"Pic"};
    forms::PictureBox box{"box", 4, 4};
    box.move(0, 0, 4, 4);
    form.clientWidth = form.clientHeight = 4;
    form.controls = {&box};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) box.pset(x, y, (x + y) % 2 ? forms::rgb(255, 255, 255) : 0);
    sv.showForm(form);
    sv.repaint();

    QImage shot(8, 8, QImage::Format_RGB32);
    shot.setDevicePixelRatio(2);
    shot.fill(Qt::red);
    sv.widgetOf(box)->render(&shot);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const QRgb want = ((x / 2 + y / 2) % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFFu, want & 0xFFFFFFu) << x << "," << y;
        }
}

}  // namespace
