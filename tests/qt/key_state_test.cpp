// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "qt/key_state.h"
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
    {'R', {Qt::Key_Shift, 62, 0xFFE2, Qt::ShiftModifier}},
    // Я, the Russian letter on the key of Z.
    {'Y', {0x42F, 52, 0x6D1, {}}},
    // 変換, and the Compose key, which Windows has no code for.
    {'H', {Qt::Key_Henkan, 100, 0xFF23, {}}},
    {'K', {Qt::Key_Multi_key, 135, 0xFF20, {}}}};

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
        {"focus loss forgets every key", "PZ, E 90+, F 90-"},
        // X flags the first press after the window got the keyboard back as a
        // repeat when the key was repeating as it left.
        {"the first press after focus returns counts", "PZ, pZ, E 90+, F 90-, pZ 90+, E 90+, RZ 90-"},
        {"a repeat of a key held here stays a repeat", "PZ, E, RZ, E 90-, rZ 90-"},
        {"a Russian letter plays as the key in its place", "PY 90+, E, RY 90-"},
        {"a Japanese key has its code", "PH 28+, E, RH 28-"},
        {"a key Windows has no code for reads as 255", "PK 255+, E, RK 255-"}};
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

// A pad's control holds its code like a key: a tap within one round reads down
// until the next, and a code two controls hold stays down until both let go.
TEST(QtKeys, PadControlsHoldTheirCodes) {
    qtfront::KeyState keys;
    keys.padPress(1, 'M');
    keys.padRelease(1);
    EXPECT_TRUE(keys.isDown('M')) << "a quick tap";
    keys.beginEvents();
    EXPECT_FALSE(keys.isDown('M'));
    keys.padPress(1, 32);
    keys.padPress(2, 32);
    keys.beginEvents();
    keys.padRelease(1);
    EXPECT_TRUE(keys.isDown(32)) << "still held by the other";
    keys.padRelease(2);
    EXPECT_FALSE(keys.isDown(32));
}

// The code of a key by where it sits, on the layouts testers used: letters
// keep their own codes on Latin layouts, non-Latin ones give the US key's.
TEST(QtKeys, CodesOnEveryLayout) {
    struct Row {
        const char* layout;
        const char* key;
        uint32_t scan;  // X key code
        int qtKey;
        bool latin;  // what earlier letters said of the layout
        int code;
    };
    const Row rows[] = {
        {.layout = "us", .key = "Z", .scan = 52, .qtKey = Qt::Key_Z, .latin = true, .code = 'Z'},
        {.layout = "us", .key = "Shift+1", .scan = 10, .qtKey = Qt::Key_Exclam, .latin = true, .code = '1'},
        {.layout = "us", .key = "Space", .scan = 65, .qtKey = Qt::Key_Space, .latin = true, .code = 32},
        {.layout = "us", .key = "a synthetic key", .scan = 0, .qtKey = Qt::Key_Semicolon, .latin = true, .code = 186},
        {.layout = "jp", .key = "Shift+2", .scan = 11, .qtKey = Qt::Key_QuoteDbl, .latin = true, .code = '2'},
        {.layout = "jp", .key = "yen", .scan = 132, .qtKey = Qt::Key_yen, .latin = true, .code = 220},
        {.layout = "jp", .key = "変換", .scan = 100, .qtKey = Qt::Key_Henkan, .latin = true, .code = 0x1C},
        {.layout = "jp", .key = "無変換", .scan = 102, .qtKey = Qt::Key_Muhenkan, .latin = true, .code = 0x1D},
        {.layout = "jp",
         .key = "カタカナ/ひらがな",
         .scan = 101,
         .qtKey = Qt::Key_Hiragana_Katakana,
         .latin = true,
         .code = 0x15},
        {.layout = "jp", .key = "半角/全角", .scan = 49, .qtKey = Qt::Key_Zenkaku_Hankaku, .latin = true, .code = 0x19},
        {.layout = "jp", .key = "英数", .scan = 66, .qtKey = Qt::Key_Eisu_toggle, .latin = true, .code = 0xF0},
        {.layout = "us", .key = "Help", .scan = 146, .qtKey = Qt::Key_Help, .latin = true, .code = 0x2F},
        {.layout = "us", .key = "Cancel", .scan = 231, .qtKey = Qt::Key_Cancel, .latin = true, .code = 0x03},
        {.layout = "us", .key = "mute", .scan = 121, .qtKey = Qt::Key_VolumeMute, .latin = true, .code = 0xAD},
        {.layout = "us",
         .key = "play",
         .scan = 172,
         .qtKey = Qt::Key_MediaTogglePlayPause,
         .latin = true,
         .code = 0xB3},
        {.layout = "us", .key = "Compose", .scan = 135, .qtKey = Qt::Key_Multi_key, .latin = true, .code = 255},
        {.layout = "fr", .key = "Z (US W)", .scan = 25, .qtKey = Qt::Key_Z, .latin = true, .code = 'Z'},
        {.layout = "fr", .key = "W (US Z)", .scan = 52, .qtKey = Qt::Key_W, .latin = true, .code = 'W'},
        {.layout = "fr", .key = "& (1)", .scan = 10, .qtKey = Qt::Key_Ampersand, .latin = true, .code = '1'},
        {.layout = "fr", .key = "é (2)", .scan = 11, .qtKey = Qt::Key_Eacute, .latin = true, .code = '2'},
        {.layout = "fr", .key = "dead ^", .scan = 34, .qtKey = Qt::Key_Dead_Circumflex, .latin = true, .code = 219},
        {.layout = "de", .key = "Z (US Y)", .scan = 29, .qtKey = Qt::Key_Z, .latin = true, .code = 'Z'},
        {.layout = "de", .key = "ö", .scan = 47, .qtKey = Qt::Key_Odiaeresis, .latin = true, .code = 186},
        {.layout = "ru", .key = "я (US Z)", .scan = 52, .qtKey = 0x42F, .latin = false, .code = 'Z'},
        {.layout = "ru", .key = "я, layout not yet known", .scan = 52, .qtKey = 0x42F, .latin = true, .code = 'Z'},
        {.layout = "ru", .key = "ж (US ;)", .scan = 47, .qtKey = 0x416, .latin = false, .code = 186},
        {.layout = "ru", .key = ". (US /)", .scan = 61, .qtKey = Qt::Key_Period, .latin = false, .code = 191},
        {.layout = "ru", .key = "Shift+1 (!)", .scan = 10, .qtKey = Qt::Key_Exclam, .latin = false, .code = '1'},
        {.layout = "ru", .key = "Space", .scan = 65, .qtKey = Qt::Key_Space, .latin = false, .code = 32},
        {.layout = "gr", .key = "ζ (US Z)", .scan = 52, .qtKey = 0x396, .latin = false, .code = 'Z'},
        {.layout = "gr", .key = "; (US Q)", .scan = 24, .qtKey = Qt::Key_Semicolon, .latin = false, .code = 'Q'},
        {.layout = "he", .key = "ז (US Z)", .scan = 52, .qtKey = 0x5D6, .latin = true, .code = 'Z'},
        {.layout = "th", .key = "ผ (US Z)", .scan = 52, .qtKey = 0xE1C, .latin = true, .code = 'Z'},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.layout) + " " + r.key);
        EXPECT_EQ(qtfront::virtualKeysOf(r.qtKey, {}, 0, r.scan, r.latin).code, r.code);
    }
}

TEST(QtKeys, LetterKeysTellTheLayout) {
    struct Row {
        const char* what;
        int qtKey;
        uint32_t scan;
        qtfront::LayoutHint hint;
    };
    const Row rows[] = {
        {.what = "a Latin letter", .qtKey = Qt::Key_Q, .scan = 24, .hint = qtfront::LayoutHint::Latin},
        {.what = "a Cyrillic letter", .qtKey = 0x419, .scan = 24, .hint = qtfront::LayoutHint::NonLatin},
        {.what = "punctuation on a letter key",
         .qtKey = Qt::Key_Semicolon,
         .scan = 24,
         .hint = qtfront::LayoutHint::None},
        {.what = "a letter off the letter keys", .qtKey = 0x416, .scan = 47, .hint = qtfront::LayoutHint::None},
        {.what = "a synthetic event", .qtKey = Qt::Key_Q, .scan = 0, .hint = qtfront::LayoutHint::None},
    };
    for (const Row& r : rows) EXPECT_EQ(qtfront::layoutHintOf(r.qtKey, r.scan), r.hint) << r.what;
}

}  // namespace
