// SPDX-License-Identifier: GPL-3.0-or-later
// The one QApplication of the Qt front's tests, on the offscreen platform, and
// the game window they share.
#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "game_fixtures.h"
#include "qt/qt_services.h"
#include "shell/form1.h"

namespace qttest {

// The one QApplication, made before the first test and gone after the last.
struct Environment : testing::Environment {
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    int argc = 1;
    char* argv[2] = {const_cast<char*>("qt_tests"), nullptr};
    std::unique_ptr<QApplication> app;
};
inline testing::Environment* const environment = testing::AddGlobalTestEnvironment(new Environment);

// Shows the widget's window, gives it the keyboard and waits until Qt agrees;
// false when the platform never activates it.
inline bool activate(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window, 2000);
}

}  // namespace qttest

// The game's main form shown by the Qt front, as at the start of a run.
class QtGameWindow : public testing::Test {
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

    fake::TempFolder data;
    qtfront::QtServices sv;
    game::Form1 f{sv, fake::builtPaths(data.path)};
    QMainWindow* window = nullptr;
};
