// The services besides windows: the wait, the modal boxes, sound, the shell and
// the clipboard.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "qt/qt_services.h"
#include "qt/sound_player.h"
#include "qt_environment.h"
#include "wingdi.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

TEST(QtIdle, SleepsToTheDeadlineButNeverLong) {
    qtfront::QtServices sv;
    struct Case {
        int32_t ahead;  // deadline minus now
        double atLeast, atMost;
    };
    const Case cases[] = {
        {12, 10, 60},
        {0, 0, 20},
        {-50, 0, 20},
        {1'000'000, 90, 400},  // a broken deadline still lets the caller run
        {INT32_MIN, 0, 20},    // half the tick range back: past, across the wrap
    };
    for (const Case& c : cases) {
        const int32_t deadline = static_cast<int32_t>(static_cast<uint32_t>(GetTickCount()) +
                                                      static_cast<uint32_t>(c.ahead));
        const auto start = Clock::now();
        sv.idle(deadline);
        const double ms = msSince(start);
        EXPECT_GE(ms, c.atLeast) << "ahead " << c.ahead;
        EXPECT_LE(ms, c.atMost) << "ahead " << c.ahead;
    }
}

// Answers the next modal box from inside its own event loop.
void answerModal(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        answer(box);
    });
}

TEST(QtBoxes, MessageBoxesCarryTheIconOfTheirStyle) {
    qtfront::QtServices sv;
    const std::pair<int, QMessageBox::Icon> cases[] = {
        {16, QMessageBox::Critical},
        {48, QMessageBox::Warning},
        {64, QMessageBox::Information},
        {0, QMessageBox::NoIcon},
    };
    for (const auto& [style, icon] : cases) {
        QMessageBox::Icon seen = QMessageBox::NoIcon;
        std::string text, title;
        answerModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            seen = box->icon();
            text = box->text().toStdString();
            title = box->windowTitle().toStdString();
            box->accept();
        });
        sv.msgBox("新記録です！\r\nおめでとう", "ルル子の VORN BEAM", style);
        EXPECT_EQ(seen, icon) << style;
        EXPECT_EQ(text, "新記録です！\nおめでとう");
        EXPECT_EQ(title, "ルル子の VORN BEAM");
    }
}

TEST(QtBoxes, TheInputBoxGivesTheTextOrNothingWhenCancelled) {
    qtfront::QtServices sv;
    std::string prompt;
    answerModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        prompt = dialog->labelText().toStdString();
        EXPECT_EQ(dialog->textValue().toStdString(), "NONAME");
        dialog->setTextValue("ルル子");
        dialog->accept();
    });
    EXPECT_EQ(sv.inputBox("名前を\r\n入力してください", "ハイスコア", "NONAME"), "ルル子");
    EXPECT_EQ(prompt, "名前を\n入力してください");

    answerModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(sv.inputBox("コード", "DEBUG", "typed but cancelled"), "");
}

class QtSound : public testing::Test {
protected:
    void SetUp() override {
        pulse = qgetenv("PULSE_SERVER");
        runtime = qgetenv("XDG_RUNTIME_DIR");
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        restore("PULSE_SERVER", pulse);
        restore("XDG_RUNTIME_DIR", runtime);
    }
    static void restore(const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QByteArray pulse, runtime;
    QTemporaryDir dir;
};

TEST_F(QtSound, QtMultimediaIsUsedOnlyWhereASoundServerAnswers) {
    qunsetenv("PULSE_SERVER");
    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    EXPECT_FALSE(qtfront::SoundPlayer::soundServerReachable());
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_FALSE(qtfront::SoundPlayer::soundServerReachable());

    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    ASSERT_TRUE(QDir(dir.path()).mkpath("pulse"));
    QFile socket(dir.filePath("pulse/native"));
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();
    EXPECT_TRUE(qtfront::SoundPlayer::soundServerReachable());

    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("PULSE_SERVER", "unix:/nowhere");
    EXPECT_TRUE(qtfront::SoundPlayer::soundServerReachable());
}

TEST(QtShell, AMissingDocumentIsAFailure) {
    qtfront::QtServices sv;
    QTemporaryDir dir;
    EXPECT_FALSE(sv.shellOpen("readme.html", dir.path().toStdString()));
    EXPECT_FALSE(sv.shellOpen("", dir.path().toStdString()));
}

}  // namespace
