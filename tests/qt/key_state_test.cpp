// The key-state table: Qt key events of any window reach GetKeyState under the
// Windows virtual-key codes the game polls.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <vector>

#include "forms/forms.h"
#include "qt/qt_services.h"
#include "qt_environment.h"

namespace {

// A physical key with the native codes the X11 platform gives it.
struct Key {
    int qt;
    uint32_t scan, keysym;
};
constexpr Key kZ{Qt::Key_Z, 52, 0x7A}, kSpace{Qt::Key_Space, 65, 0x20}, kPad5{Qt::Key_5, 84, 0xFFB5},
    kPadClear{Qt::Key_Clear, 84, 0xFF9D}, kShiftL{Qt::Key_Shift, 50, 0xFFE1}, kShiftR{Qt::Key_Shift, 62, 0xFFE2};

// One event sent to the window (or, as Qt hands it on, to the focus widget),
// or a round of DoEvents, or focus lost; then the virtual keys read down or up.
// As on X11, an event's modifiers are the state before it.
struct Step {
    enum { Press, Release, RepeatPress, RepeatRelease, ReleaseToWidget, Events, FocusLost } what;
    Key key;
    std::vector<std::pair<int, bool>> after;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

TEST(QtKeys, EventsReachGetKeyState) {
    constexpr Key none{};
    const std::pair<const char*, std::vector<Step>> scripts[] = {
        {"a press is down until its release",
         {{Step::Press, kZ, {{90, true}, {88, false}}},
          {Step::Events, none, {{90, true}}},
          {Step::Release, kZ, {{90, false}}}}},
        // Both arrive while the game sleeps; it polls after DoEvents.
        {"a quick tap is seen until the next round",
         {{Step::Press, kSpace, {}}, {Step::Release, kSpace, {{32, true}}}, {Step::Events, none, {{32, false}}}}},
        // A held key repeats as release + press pairs flagged as auto-repeat.
        {"auto-repeat does not release a held key",
         {{Step::Press, kSpace, {}},
          {Step::Events, none, {}},
          {Step::RepeatRelease, kSpace, {{32, true}}},
          {Step::RepeatPress, kSpace, {}},
          {Step::RepeatRelease, kSpace, {{32, true}}},
          {Step::RepeatPress, kSpace, {}},
          {Step::Events, none, {{32, true}}},
          {Step::Release, kSpace, {{32, false}}}}},
        {"left and right Shift have their own codes and share 16",
         {{Step::Press, kShiftL, {{16, true}, {160, true}, {161, false}}},
          {Step::Press, kShiftR, {{161, true}}, Qt::ShiftModifier},
          {Step::Events, none, {}},
          {Step::Release, kShiftL, {{160, false}, {161, true}, {16, true}}, Qt::ShiftModifier},
          {Step::Release, kShiftR, {{161, false}, {16, false}}, Qt::ShiftModifier}}},
        // Num Lock switched meanwhile makes the release of keypad 5 a Clear.
        {"a key is released under the code it was pressed with",
         {{Step::Press, kPad5, {{101, true}}, Qt::KeypadModifier},
          {Step::Events, none, {}},
          {Step::Release, kPadClear, {{101, false}, {12, false}}, Qt::KeypadModifier}}},
        {"only the window's copy of an event counts",
         {{Step::Press, kZ, {}}, {Step::Events, none, {}}, {Step::ReleaseToWidget, kZ, {{90, true}}}}},
        {"focus loss forgets every key",
         {{Step::Press, kZ, {}}, {Step::Events, none, {{90, true}}}, {Step::FocusLost, none, {{90, false}}}}},
    };
    for (const auto& [name, steps] : scripts) {
        SCOPED_TRACE(name);
        qtfront::QtServices sv;
        forms::Form form{"Keys"};
        sv.showForm(form);
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& s = steps[i];
            if (s.what == Step::Events) {
                sv.DoEvents();
            } else if (s.what == Step::FocusLost) {
                sv.releaseKeys();
            } else {
                const bool press = s.what == Step::Press || s.what == Step::RepeatPress;
                QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, s.key.qt, s.modifiers, s.key.scan,
                                s.key.keysym, 0, QString(),
                                s.what == Step::RepeatPress || s.what == Step::RepeatRelease);
                QObject* receiver = sv.windowOf(form);
                if (s.what != Step::ReleaseToWidget) receiver = sv.windowOf(form)->windowHandle();
                QCoreApplication::sendEvent(receiver, &event);
            }
            for (auto [vk, down] : s.after)
                EXPECT_EQ(sv.GetKeyState(vk), down ? int16_t(0xFF80) : 0) << "vk " << vk << " after step " << i;
        }
    }
}

}  // namespace
