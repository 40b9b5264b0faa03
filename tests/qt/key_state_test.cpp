// The key-state table: Qt key events of any window reach GetKeyState under the
// Windows virtual-key codes the game polls.
#include <QKeyEvent>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "forms/forms.h"
#include "qt/key_state.h"
#include "qt/qt_services.h"
#include "qt_environment.h"

namespace {

constexpr int16_t kDown = static_cast<int16_t>(0xFF80);

TEST(QtKeyMapping, QtKeysBecomeTheVirtualKeyCodesOfTheirKeyCaps) {
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier,
                                pad = Qt::KeypadModifier;
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        uint32_t keysym;
        int code, side;
    };
    const Case cases[] = {
        {Qt::Key_Z, none, 0, 90, 0},
        {Qt::Key_0, none, 0, 48, 0},
        // Shift changes the Qt key of a digit, not the key cap.
        {Qt::Key_Exclam, shift, 0, 49, 0},
        {Qt::Key_Asterisk, shift, 0, 56, 0},
        {Qt::Key_Space, none, 0, 32, 0},
        {Qt::Key_Escape, none, 0, 27, 0},
        {Qt::Key_Enter, pad, 0, 13, 0},
        {Qt::Key_Left, none, 0, 37, 0},
        {Qt::Key_Down, none, 0, 40, 0},
        {Qt::Key_F12, none, 0, 123, 0},
        {Qt::Key_5, pad, 0, 101, 0},
        {Qt::Key_Asterisk, pad, 0, 106, 0},
        {Qt::Key_Slash, pad, 0, 111, 0},
        {Qt::Key_Home, pad, 0, 36, 0},  // the keypad with Num Lock off
        {Qt::Key_Colon, shift, 0, 186, 0},
        {Qt::Key_Minus, none, 0, 189, 0},
        {Qt::Key_QuoteLeft, none, 0, 192, 0},
        {Qt::Key_BracketLeft, none, 0, 219, 0},
        {Qt::Key_QuoteDbl, shift, 0, 222, 0},
        {Qt::Key_Shift, shift, 0xFFE1, 16, 160},
        {Qt::Key_Shift, shift, 0xFFE2, 16, 161},
        {Qt::Key_Shift, shift, 0, 16, 160},
        {Qt::Key_Control, none, 0xFFE4, 17, 163},
        {Qt::Key_Alt, none, 0xFFE9, 18, 164},
        {Qt::Key_VolumeUp, none, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const qtfront::VirtualKeys keys = qtfront::virtualKeysOf(c.key, c.modifiers, c.keysym);
        EXPECT_EQ(keys.code, c.code) << "Qt key 0x" << std::hex << c.key;
        EXPECT_EQ(keys.side, c.side) << "Qt key 0x" << std::hex << c.key;
    }
}

class QtKeys : public testing::Test {
protected:
    void SetUp() override {
        form.clientWidth = 120;
        form.clientHeight = 80;
        sv.showForm(form);
        window = sv.windowOf(form)->windowHandle();
        ASSERT_NE(window, nullptr);
    }
    // A key event with the native codes the X11 platform would give it.
    // As on X11, the modifiers are the state before the event.
    void send(QEvent::Type type, int key, uint32_t scan, uint32_t keysym, bool autoRepeat = false,
              QObject* receiver = nullptr, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(type, key, modifiers, scan, keysym, 0, QString(), autoRepeat);
        QCoreApplication::sendEvent(receiver ? receiver : window, &event);
    }

    forms::Form form{"Keys"};
    qtfront::QtServices sv;
    QWindow* window = nullptr;
};

TEST_F(QtKeys, APressIsDownUntilItsRelease) {
    EXPECT_EQ(sv.GetKeyState(90), 0);
    QTest::keyPress(window, Qt::Key_Z);
    EXPECT_EQ(sv.GetKeyState(90), kDown);
    EXPECT_EQ(sv.GetKeyState(88), 0);
    sv.DoEvents();
    EXPECT_EQ(sv.GetKeyState(90), kDown);
    QTest::keyRelease(window, Qt::Key_Z);
    EXPECT_EQ(sv.GetKeyState(90), 0);
}

TEST_F(QtKeys, AQuickTapIsSeenUntilTheNextRoundOfEvents) {
    // Press and release both arrive while the game sleeps; it polls after DoEvents.
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_EQ(sv.GetKeyState(32), kDown);
    sv.DoEvents();
    EXPECT_EQ(sv.GetKeyState(32), 0);

    // Tapped and pressed again: held, and the late release of the tap is forgotten.
    QTest::keyClick(window, Qt::Key_C);
    QTest::keyPress(window, Qt::Key_C);
    sv.DoEvents();
    sv.DoEvents();
    EXPECT_EQ(sv.GetKeyState(67), kDown);
    QTest::keyRelease(window, Qt::Key_C);
    EXPECT_EQ(sv.GetKeyState(67), 0);
}

TEST_F(QtKeys, AutoRepeatDoesNotReleaseAHeldKey) {
    send(QEvent::KeyPress, Qt::Key_Space, 65, 0x20);
    sv.DoEvents();
    // A held key repeats as release + press pairs flagged as auto-repeat.
    for (int i = 0; i < 3; ++i) {
        send(QEvent::KeyRelease, Qt::Key_Space, 65, 0x20, true);
        EXPECT_EQ(sv.GetKeyState(32), kDown) << "repeat " << i;
        send(QEvent::KeyPress, Qt::Key_Space, 65, 0x20, true);
    }
    sv.DoEvents();
    send(QEvent::KeyRelease, Qt::Key_Space, 65, 0x20);
    EXPECT_EQ(sv.GetKeyState(32), 0);
}

TEST_F(QtKeys, LeftAndRightShiftHaveTheirOwnCodesAndShareSixteen) {
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    send(QEvent::KeyPress, Qt::Key_Shift, 50, 0xFFE1);
    EXPECT_EQ(sv.GetKeyState(16), kDown);
    EXPECT_EQ(sv.GetKeyState(160), kDown);
    EXPECT_EQ(sv.GetKeyState(161), 0);
    send(QEvent::KeyPress, Qt::Key_Shift, 62, 0xFFE2, false, nullptr, shift);
    EXPECT_EQ(sv.GetKeyState(161), kDown);
    sv.DoEvents();
    send(QEvent::KeyRelease, Qt::Key_Shift, 50, 0xFFE1, false, nullptr, shift);
    EXPECT_EQ(sv.GetKeyState(160), 0);
    EXPECT_EQ(sv.GetKeyState(16), kDown) << "the right Shift is still held";
    send(QEvent::KeyRelease, Qt::Key_Shift, 62, 0xFFE2, false, nullptr, shift);
    EXPECT_EQ(sv.GetKeyState(161), 0);
    EXPECT_EQ(sv.GetKeyState(16), 0);
}

TEST_F(QtKeys, ShiftThroughTheWindowSystemIsSeen) {
    QTest::keyPress(window, Qt::Key_Shift);
    EXPECT_EQ(sv.GetKeyState(16), kDown);
    sv.DoEvents();
    QTest::keyRelease(window, Qt::Key_Shift);
    EXPECT_EQ(sv.GetKeyState(16), 0);
}

TEST_F(QtKeys, AKeyIsReleasedUnderTheCodeItWasPressedWith) {
    // "1" pressed, Shift pressed and let go meanwhile would make the release "!".
    send(QEvent::KeyPress, Qt::Key_1, 10, 0x31);
    EXPECT_EQ(sv.GetKeyState(49), kDown);
    sv.DoEvents();
    send(QEvent::KeyRelease, Qt::Key_Exclam, 10, 0x21);
    EXPECT_EQ(sv.GetKeyState(49), 0);
}

TEST_F(QtKeys, OnlyTheWindowsCopyOfAnEventCounts) {
    // Qt hands the same release on to the focus widget; a widget that never saw
    // the press must not decide the table on its own.
    QWidget* widget = sv.windowOf(form);
    send(QEvent::KeyPress, Qt::Key_X, 53, 0x78, false, widget);
    EXPECT_EQ(sv.GetKeyState(88), 0);
    send(QEvent::KeyPress, Qt::Key_X, 53, 0x78);
    sv.DoEvents();
    send(QEvent::KeyRelease, Qt::Key_X, 53, 0x78, false, widget);
    EXPECT_EQ(sv.GetKeyState(88), kDown);
}

TEST_F(QtKeys, ReleasingKeysForgetsEverythingAndBadCodesReadUp) {
    send(QEvent::KeyPress, Qt::Key_M, 58, 0x6D);
    send(QEvent::KeyPress, Qt::Key_Left, 113, 0xFF51);
    sv.releaseKeys();
    EXPECT_EQ(sv.GetKeyState(77), 0);
    EXPECT_EQ(sv.GetKeyState(37), 0);
    for (int vk : {-1, 0, 256, 100000}) EXPECT_EQ(sv.GetKeyState(vk), 0) << vk;
}

}  // namespace
