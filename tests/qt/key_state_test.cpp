// The key-state table: Qt key events of any window reach GetKeyState under the
// Windows virtual-key codes the game polls.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "forms/forms.h"
#include "qt_environment.h"

namespace {

// A physical key with the native codes the X11 platform gives it, and the
// modifier an event for it carries when the script marks it with '*' (as on
// X11, an event's modifiers are the state before it).
const std::map<char, std::tuple<int, uint32_t, uint32_t, Qt::KeyboardModifiers>> kKeys = {
    {'Z', {Qt::Key_Z, 52, 0x7A, {}}},
    {'S', {Qt::Key_Space, 65, 0x20, {}}},
    {'5', {Qt::Key_5, 84, 0xFFB5, Qt::KeypadModifier}},
    {'C', {Qt::Key_Clear, 84, 0xFF9D, Qt::KeypadModifier}},
    {'L', {Qt::Key_Shift, 50, 0xFFE1, Qt::ShiftModifier}},
    {'R', {Qt::Key_Shift, 62, 0xFFE2, Qt::ShiftModifier}}};

// Steps apart by commas: P press, R release, p and r the same flagged as
// auto-repeat, w a release reaching the focus widget as Qt hands it on, E a
// round of DoEvents, F focus lost; each followed by the key and the virtual
// keys then down (+) or up (-).
TEST(QtKeys, EventsReachGetKeyState) {
    const std::pair<const char*, const char*> scripts[] = {
        {"a press is down until its release", "PZ 90+ 88-, E 90+, RZ 90-"},
        // Both arrive while the game sleeps; it polls after DoEvents.
        {"a quick tap is seen until the next round", "PS, RS 32+, E 32-"},
        // A held key repeats as release + press pairs flagged as auto-repeat.
        {"auto-repeat does not release a held key", "PS, E, rS 32+, pS, rS 32+, pS, E 32+, RS 32-"},
        {"left and right Shift have their own codes and share 16",
         "PL 16+ 160+ 161-, PR* 161+, E, RL* 160- 161+ 16+, RR* 161- 16-"},
        // Num Lock switched meanwhile makes the release of keypad 5 a Clear.
        {"a key is released under the code it was pressed with", "P5* 101+, E, RC* 101- 12-"},
        {"only the window's copy of an event counts", "PZ, E, wZ 90+"},
        {"focus loss forgets every key", "PZ, E 90+, F 90-"}};
    for (const auto& [name, script] : scripts) {
        SCOPED_TRACE(name);
        qtfront::QtServices sv;
        forms::Form form{"Keys"};
        sv.showForm(form);
        std::istringstream steps(script);
        for (std::string step; std::getline(steps, step, ',');) {
            std::istringstream words(step);
            std::string what;
            words >> what;
            if (what == "E") sv.DoEvents();
            if (what == "F") sv.releaseKeys();
            if (what.size() > 1) {
                const auto& [qt, scan, keysym, modifier] = kKeys.at(what[1]);
                const bool press = what[0] == 'P' || what[0] == 'p', repeat = what[0] == 'p' || what[0] == 'r';
                QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, qt,
                                what.ends_with('*') ? modifier : Qt::NoModifier, scan, keysym, 0, QString(), repeat);
                QWidget* window = sv.windowOf(form);
                QCoreApplication::sendEvent(what[0] == 'w' ? window : static_cast<QObject*>(window->windowHandle()),
                                            &event);
            }
            for (std::string vk; words >> vk;)
                EXPECT_EQ(sv.GetKeyState(std::stoi(vk)), vk.back() == '+' ? int16_t(0xFF80) : 0) << vk << step;
        }
    }
}

}  // namespace
