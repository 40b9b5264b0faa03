#include "key_state.h"

#include "forms/virtual_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

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

}  // namespace

VirtualKeys virtualKeysOf(int key, Qt::KeyboardModifiers modifiers, uint32_t keysym) {
    if (modifiers.testFlag(Qt::KeypadModifier))
        if (int code = keypadCode(key)) return {code, 0};
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return {key, 0};  // Qt's codes are the ASCII capitals
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return {key, 0};
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return {112 + (key - Qt::Key_F1), 0};
    switch (key) {
    case Qt::Key_Shift: return {kShift, keysym == kShiftR ? vk::kRightShift : vk::kLeftShift};
    case Qt::Key_Control: return {kControl, keysym == kControlR ? vk::kRightControl : vk::kLeftControl};
    case Qt::Key_Alt: return {kMenu, keysym == kAltR ? vk::kRightMenu : vk::kLeftMenu};
    case Qt::Key_AltGr: return {kMenu, vk::kRightMenu};
    case Qt::Key_Meta: return {keysym == kMetaR || keysym == kSuperR ? 92 : 91, 0};
    default: return {plainCode(key), 0};
    }
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
}

void KeyState::beginEvents() {
    liveModifiersKnown_ = false;
    pressedThisRound_.fill(false);
    for (const VirtualKeys& keys : deferredReleases_) set(keys, false);
    deferredReleases_.clear();
}

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
    if (key->isAutoRepeat()) return false;

    const bool down = type == QEvent::KeyPress;
    const uint32_t scan = key->nativeScanCode();
    VirtualKeys keys;
    bool known = false;
    if (scan != 0) {
        auto it = pressedByScanCode_.find(scan);
        if (it != pressedByScanCode_.end()) {
            keys = it->second;
            known = true;
            if (!down) pressedByScanCode_.erase(it);
        }
    }
    if (!known || down) keys = virtualKeysOf(key->key(), key->modifiers(), key->nativeVirtualKey());
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
