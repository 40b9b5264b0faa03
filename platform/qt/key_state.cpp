// SPDX-License-Identifier: GPL-3.0-or-later
#include "key_state.h"

#include "forms/virtual_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <cstring>

namespace qtfront {

namespace {

// X keysyms of the right-hand modifier keys.
constexpr uint32_t kShiftR = 0xFFE2, kControlR = 0xFFE4, kAltR = 0xFFEA, kMetaR = 0xFFE8, kSuperR = 0xFFEC;

using vk::kControl;
using vk::kMenu;
using vk::kShift;

int keypadCode(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Comma: return 108;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;  // Enter and, with Num Lock off, the navigation keys
    }
}

// The keys of a US layout, shifted or not, under the code of the key cap.
int plainCode(int key) {
    switch (key) {
    case Qt::Key_Space: return vk::kSpace;
    case Qt::Key_Escape: return vk::kEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return vk::kLeft;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return vk::kRight;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Super_L: return 91;
    case Qt::Key_Super_R: return 92;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
    case Qt::Key_yen: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

// Keys Windows names that a US keyboard lacks: the Japanese conversion keys,
// Help and Cancel, the media and browser keys. カタカナ/ひらがな takes VK_KANA,
// 半角/全角 VK_KANJI, 英数 VK_OEM_ATTN, as on a Japanese Windows keyboard.
int extraCode(int key) {
    switch (key) {
    case Qt::Key_Cancel: return vk::kCancel;
    case Qt::Key_Hiragana_Katakana:
    case Qt::Key_Hiragana:
    case Qt::Key_Katakana:
    case Qt::Key_Kana_Lock:
    case Qt::Key_Kana_Shift:
    case Qt::Key_Romaji:
    case Qt::Key_Hangul: return 0x15;
    case Qt::Key_Zenkaku_Hankaku:
    case Qt::Key_Zenkaku:
    case Qt::Key_Hankaku:
    case Qt::Key_Kanji:
    case Qt::Key_Hangul_Hanja: return 0x19;
    case Qt::Key_Henkan: return 0x1C;
    case Qt::Key_Muhenkan: return 0x1D;
    case Qt::Key_Select: return 0x29;
    case Qt::Key_Printer: return 0x2A;
    case Qt::Key_Execute: return 0x2B;
    case Qt::Key_SysReq: return 44;
    case Qt::Key_Help: return 0x2F;
    case Qt::Key_Sleep: return 0x5F;
    case Qt::Key_Back: return 0xA6;
    case Qt::Key_Forward: return 0xA7;
    case Qt::Key_Refresh: return 0xA8;
    case Qt::Key_Stop: return 0xA9;
    case Qt::Key_Search: return 0xAA;
    case Qt::Key_Favorites: return 0xAB;
    case Qt::Key_HomePage: return 0xAC;
    case Qt::Key_VolumeMute: return 0xAD;
    case Qt::Key_VolumeDown: return 0xAE;
    case Qt::Key_VolumeUp: return 0xAF;
    case Qt::Key_MediaNext: return 0xB0;
    case Qt::Key_MediaPrevious: return 0xB1;
    case Qt::Key_MediaStop: return 0xB2;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaTogglePlayPause: return 0xB3;
    case Qt::Key_LaunchMail: return 0xB4;
    case Qt::Key_LaunchMedia: return 0xB5;
    case Qt::Key_Launch0: return 0xB6;
    case Qt::Key_Launch1: return 0xB7;
    case Qt::Key_Eisu_toggle:
    case Qt::Key_Eisu_Shift: return 0xF0;
    case Qt::Key_Play: return 0xFA;
    case Qt::Key_Zoom: return 0xFB;
    default: return 0;
    }
}

// The US keys by X key code (the evdev code + 8): the digit row, the three
// letter rows with their punctuation, and the extra key of ISO keyboards.
struct PositionRow {
    uint32_t first;
    const char* codes;  // one code per key; the punctuation as its own code below
};
constexpr int kOem1 = 186, kOemPlus = 187, kOemComma = 188, kOemMinus = 189, kOemPeriod = 190, kOem2 = 191, kOem3 = 192,
              kOem4 = 219, kOem5 = 220, kOem6 = 221, kOem7 = 222, kOem102 = 226;

int punctuationCode(char c) {
    switch (c) {
    case ';': return kOem1;
    case '=': return kOemPlus;
    case ',': return kOemComma;
    case '-': return kOemMinus;
    case '.': return kOemPeriod;
    case '/': return kOem2;
    case '`': return kOem3;
    case '[': return kOem4;
    case '\\': return kOem5;
    case ']': return kOem6;
    case '\'': return kOem7;
    case '<': return kOem102;
    default: return c;  // a digit or a capital letter is its own code
    }
}

constexpr PositionRow kUsRows[] = {
    {10, "1234567890-="}, {24, "QWERTYUIOP[]"}, {38, "ASDFGHJKL;'`"}, {51, "\\ZXCVBNM,./"}, {94, "<"}};

bool isLetterPosition(uint32_t scan) {
    const int code = usPositionCode(scan);
    return code >= 'A' && code <= 'Z';
}

bool isDigitPosition(uint32_t scan) {
    const int code = usPositionCode(scan);
    return code >= '0' && code <= '9';
}

// A letter of a script other than Latin, as Qt names the key of one (its
// capital's code point).
bool isNonLatinLetter(int key) {
    if (key < 0x80 || key > 0xFFFF) return false;
    const QChar c(static_cast<char16_t>(key));
    return c.isLetter() && c.script() != QChar::Script_Latin && c.script() != QChar::Script_Common;
}

}  // namespace

int usPositionCode(uint32_t scan) {
    for (const PositionRow& row : kUsRows) {
        const uint32_t length = static_cast<uint32_t>(std::strlen(row.codes));
        if (scan >= row.first && scan < row.first + length) return punctuationCode(row.codes[scan - row.first]);
    }
    return 0;
}

LayoutHint layoutHintOf(int key, uint32_t scan) {
    if (!isLetterPosition(scan)) return LayoutHint::None;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return LayoutHint::Latin;
    if (isNonLatinLetter(key)) return LayoutHint::NonLatin;
    return LayoutHint::None;
}

VirtualKeys virtualKeysOf(int key, Qt::KeyboardModifiers modifiers, uint32_t keysym, uint32_t scan, bool latinLayout) {
    if (modifiers.testFlag(Qt::KeypadModifier))
        if (int code = keypadCode(key)) return {code, 0};
    const int position = usPositionCode(scan);
    // The digit row gives its digits on every layout, shifted or not, as on
    // Windows: a French key 1 types "&", a Japanese Shift+2 a quotation mark.
    if (isDigitPosition(scan)) return {position, 0};
    if (position != 0 && (!latinLayout || isNonLatinLetter(key))) return {position, 0};
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return {key, 0};  // Qt's codes are the ASCII capitals
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return {key, 0};
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return {112 + (key - Qt::Key_F1), 0};
    switch (key) {
    case Qt::Key_Shift: return {kShift, keysym == kShiftR ? vk::kRightShift : vk::kLeftShift};
    case Qt::Key_Control: return {kControl, keysym == kControlR ? vk::kRightControl : vk::kLeftControl};
    case Qt::Key_Alt: return {kMenu, keysym == kAltR ? vk::kRightMenu : vk::kLeftMenu};
    case Qt::Key_AltGr: return {kMenu, vk::kRightMenu};
    case Qt::Key_Meta: return {keysym == kMetaR || keysym == kSuperR ? 92 : 91, 0};
    default: break;
    }
    if (const int code = plainCode(key)) return {code, 0};
    if (const int code = extraCode(key)) return {code, 0};
    // A key of a Latin layout that the US one lacks (ö, ü, ß, a dead accent)
    // takes the code of the US key in its place, so each still has one.
    if (position != 0) return {position, 0};
    if (key == 0 && keysym == 0) return {};
    // Every key event that has a key at all gets a code.
    return {vk::kNoCode, 0};
}

KeyState::KeyState() {
    qApp->installEventFilter(this);
    // A key let go while another application has the keyboard never sends its
    // release here; forgetting everything is the only safe answer.
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive) clear();
    });
}

KeyState::~KeyState() {
    if (qApp) qApp->removeEventFilter(this);
}

bool KeyState::isDown(int vk) const {
    if (vk < 0 || vk >= static_cast<int>(down_.size())) return false;
    if (down_[vk]) return true;
    for (const auto& [control, hold] : pad_)
        if (hold.vk == vk) return true;
    // The window system's own modifier state also knows a Shift held down since
    // before the first window opened.
    if (vk == kShift || vk == kControl || vk == kMenu) {
        // Like the table, the answer holds until events are processed again.
        if (!liveModifiersKnown_) {
            liveModifiers_ = QGuiApplication::queryKeyboardModifiers();
            liveModifiersKnown_ = true;
        }
        if (vk == kShift) return liveModifiers_.testFlag(Qt::ShiftModifier);
        if (vk == kControl) return liveModifiers_.testFlag(Qt::ControlModifier);
        return liveModifiers_.testFlag(Qt::AltModifier);
    }
    return false;
}

void KeyState::clear() {
    down_.fill(false);
    liveModifiersKnown_ = false;
    pressedThisRound_.fill(false);
    deferredReleases_.clear();
    pressedByScanCode_.clear();
    pad_.clear();
}

void KeyState::beginEvents() {
    liveModifiersKnown_ = false;
    pressedThisRound_.fill(false);
    for (const VirtualKeys& keys : deferredReleases_) set(keys, false);
    deferredReleases_.clear();
    std::erase_if(pad_, [](const auto& held) { return held.second.released; });
    for (auto& [control, hold] : pad_) hold.tapped = false;
}

void KeyState::padPress(uint32_t control, int vk) {
    if (vk <= 0 || vk >= static_cast<int>(down_.size())) return;
    pad_[control] = {vk, true, false};
}

void KeyState::padRelease(uint32_t control) {
    auto it = pad_.find(control);
    if (it == pad_.end()) return;
    if (it->second.tapped)
        it->second.released = true;
    else
        pad_.erase(it);
}

void KeyState::padReleaseAll() { pad_.clear(); }

void KeyState::set(const VirtualKeys& keys, bool down) {
    if (keys.code <= 0 || keys.code >= static_cast<int>(down_.size())) return;
    if (keys.side <= 0 || keys.side >= static_cast<int>(down_.size())) {
        down_[keys.code] = down;
        return;
    }
    down_[keys.side] = down;
    // The shared code stays down while the key on the other side is held.
    const int left = keys.code == kShift ? vk::kLeftShift : keys.code == kControl ? vk::kLeftControl : vk::kLeftMenu;
    down_[keys.code] = down_[left] || down_[left + 1];
}

bool KeyState::eventFilter(QObject* receiver, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    // The application filter sees one key event once per receiver on its way
    // (window, then focus widget); the window is always first.
    if (!receiver->isWindowType()) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool down = type == QEvent::KeyPress;
    const uint32_t scan = key->nativeScanCode();
    auto known = scan != 0 ? pressedByScanCode_.find(scan) : pressedByScanCode_.end();
    if (key->isAutoRepeat()) {
        // X marks a press as a repeat when the key was repeating as the window
        // lost the keyboard and was let go elsewhere: a key not held here is a
        // new press, whatever the flag says.
        bool held = known != pressedByScanCode_.end();
        if (scan == 0) {
            const int code = virtualKeysOf(key->key(), key->modifiers(), key->nativeVirtualKey(), 0, latinLayout_).code;
            held = code > 0 && code < static_cast<int>(down_.size()) && down_[code];
        }
        if (!down || held) return false;
    }

    VirtualKeys keys;
    if (!down && known != pressedByScanCode_.end()) {
        keys = known->second;
        pressedByScanCode_.erase(known);
    } else {
        if (down) {
            const LayoutHint hint = layoutHintOf(key->key(), scan);
            if (hint != LayoutHint::None) latinLayout_ = hint == LayoutHint::Latin;
        }
        keys = virtualKeysOf(key->key(), key->modifiers(), key->nativeVirtualKey(), scan, latinLayout_);
    }
    if (down && scan != 0) pressedByScanCode_[scan] = keys;
    const int code = keys.side > 0 ? keys.side : keys.code;
    if (code <= 0 || code >= static_cast<int>(down_.size())) return false;
    if (down) {
        pressedThisRound_[code] = true;
        std::erase_if(deferredReleases_,
                      [&keys](const VirtualKeys& k) { return k.code == keys.code && k.side == keys.side; });
    } else if (pressedThisRound_[code]) {
        deferredReleases_.push_back(keys);
        return false;
    }
    set(keys, down);
    return false;
}

}  // namespace qtfront
