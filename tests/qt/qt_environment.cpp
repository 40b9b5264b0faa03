#include "qt_environment.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

int argc = 1;
char name[] = "qt_tests";
char* argv[] = {name, nullptr};

// The one QApplication, made before the first test and gone after the last.
struct QtEnvironment : testing::Environment {
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};

const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

bool qttest::activate(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window, 2000);
}
