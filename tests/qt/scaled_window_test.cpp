// The game window on a large screen: the whole factor and the place of the
// picture, the picture in whole blocks with everything over it enlarged alike,
// F11 unless it is a play key, and the size file read only as written.
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

#include "qt/form_window.h"
#include "qt/qt_services.h"
#include "qt/window_size_file.h"
#include "qt_environment.h"
#include "shell/form1.h"

namespace {

TEST(ScaledWindow, LargestWholeFactorCentred) {
    struct Case {
        QSize area;
        qreal ratio;
        int factor;
        QRect stage;
    };
    const Case cases[] = {
        {{699, 700}, 1, 1, {174, 175, 350, 350}},  // one pixel too narrow for 2
        {{700, 699}, 1, 1, {175, 174, 350, 350}},  // one pixel too low
        {{700, 700}, 1, 2, {0, 0, 700, 700}},
        {{1049, 1232}, 1, 2, {174, 266, 700, 700}},
        {{1100, 1232}, 1, 3, {25, 91, 1050, 1050}},
        {{300, 200}, 1, 1, {0, 0, 350, 350}},  // smaller than the picture: cut off, never below 1
        // On a screen of two device pixels to one, the factor counts device pixels.
        {{350, 350}, 2, 2, {0, 0, 350, 350}},
        {{524, 525}, 2, 2, {87, 87, 350, 350}},  // 1048 device pixels: two short of 3
        {{525, 525}, 2, 3, {0, 0, 525, 525}},
        {{700, 700}, 1.5, 3, {0, 0, 700, 700}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.area.width() << "x" << c.area.height() << " at " << c.ratio);
        const qtfront::Presentation p = qtfront::present(c.area, c.ratio, {350, 350});
        EXPECT_EQ(p.zoom.factor, c.factor);
        EXPECT_EQ(p.stage, c.stage);
    }
}

TEST(ScaledWindow, SizeFileReadsOnlyWhatItWrites) {
    QTemporaryDir dir;
    const QString path = dir.filePath("vnbeam-window.txt");
    EXPECT_FALSE(qtfront::readWindowSize(path)) << "missing";
    const qtfront::WindowSize written{{1100, 1250}, true, false};
    ASSERT_TRUE(qtfront::writeWindowSize(path, written));
    EXPECT_EQ(qtfront::readWindowSize(path), written);
    const char* damaged[] = {
        "",
        "size 1100 1250\nmaximized 0\n",
        "size 1100 1250\r\nmaximized 0\r\nfullscreen 0\r\n",
        "size 1100 1250\nmaximized 0\nfullscreen 0\nsize 1 1\n",
        "size 0 1250\nmaximized 0\nfullscreen 0\n",
        "size -350 1250\nmaximized 0\nfullscreen 0\n",
        "size 99999 1250\nmaximized 0\nfullscreen 0\n",
        "size 1100 1250\nmaximized 2\nfullscreen 0\n",
        "size  1100 1250\nmaximized 0\nfullscreen 0\n",
        "size 1100 1250\nmaximized 0\nfullscreen 0",
    };
    for (const char* text : damaged) {
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        EXPECT_FALSE(qtfront::readWindowSize(path)) << text;
    }
}

class BigGameWindow : public testing::Test {
protected:
    void SetUp() override {
        sv.showForm(f.form);
        window = qobject_cast<QMainWindow*>(sv.windowOf(f.form));
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    // Grows the window until the picture fits `factor` times.
    void enlarge(int factor) {
        window->resize(window->size() + QSize(350, 350) * (factor - 1));
        sv.DoEvents();
        ASSERT_EQ(sv.widgetOf(f.picMain)->size(), QSize(350, 350) * factor);
    }
    QImage grab() { return window->screen()->grabWindow(window->winId()).toImage(); }
    QPoint onWindow(const forms::Control& c, QPoint p) { return sv.widgetOf(c)->mapTo(window, p); }

    qtfront::QtServices sv;
    game::Form1 f{sv, LANEBEAM_BIN_DIR};
    QMainWindow* window = nullptr;
};

// Every pixel of the drawing, changed or not since the last repaint, is a
// uniform 3 x 3 block of its own colour.
TEST_F(BigGameWindow, PictureInWholeBlocksAfterEachRepaint) {
    enlarge(3);
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

// The best-score box, its button and the pause label keep their places on the
// picture at three times the size, in fonts three times as large that still
// fit the widest lines, and the button takes a click where it is drawn.
TEST_F(BigGameWindow, OverlaysGrowWithThePicture) {
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
    const auto fits = [](QWidget* w, const char* line, int room) {
        EXPECT_LE(QFontMetrics(w->font()).horizontalAdvance(QString::fromUtf8(line)), room) << line;
    };
    auto* text = qobject_cast<QPlainTextEdit*>(sv.widgetOf(f.Text1));
    fits(text, "SUPER EASY 999999990 ルル子", text->viewport()->width() - int(2 * text->document()->documentMargin()));
    fits(sv.widgetOf(f.lblPause), "[SPACE]で復帰します。", sv.widgetOf(f.lblPause)->contentsRect().width());
    QTest::mouseClick(sv.widgetOf(f.Command1), Qt::LeftButton, {}, QPoint(37, 37));
    sv.DoEvents();
    EXPECT_FALSE(f.Command1.visible);
    EXPECT_EQ(f.Text1.top, 500);
}

// F11 puts the window on the whole screen and back; given to an action in the
// key dialog, it is a play key like any other and the window leaves it alone.
TEST_F(BigGameWindow, F11TogglesFullScreenUnlessItIsAPlayKey) {
    for (const bool played : {false, true}) {
        f.KeyS7 = played ? 122 : 77;
        ASSERT_TRUE(qttest::activate(window));
        for (const bool fullAfter : {true, false}) {
            QTest::keyPress(window->windowHandle(), Qt::Key_F11);
            EXPECT_EQ(window->isFullScreen(), fullAfter && !played) << "played " << played;
            if (played) {
                EXPECT_TRUE(sv.GetKeyState(122) & 0x80) << "the game sees its key";
            }
            QTest::keyRelease(window->windowHandle(), Qt::Key_F11);
            sv.DoEvents();
        }
    }
}

}  // namespace
