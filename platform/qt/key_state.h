// SPDX-License-Identifier: GPL-3.0-or-later
// The key-state table behind GetKeyState: filled from the key events of every
// window of the application and from the game pads, answered by Windows
// virtual-key code.
#pragma once

#include <QObject>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace qtfront {

// The virtual-key codes of one Qt key event: the key itself and, for Shift,
// Ctrl and Alt, the code of the left or right key too (0 when there is none).
// nativeVirtualKey is the X keysym, the only place where left and right differ.
struct VirtualKeys {
    int code = 0;  // 0: no key at all (an event Qt could not name)
    int side = 0;
};

// What a key press tells of the keyboard layout: the letter keys of a Latin
// layout give Latin letters, those of a Russian or Greek one do not.
enum class LayoutHint { None, Latin, NonLatin };

// scanCode is the X key code (the evdev code + 8), which says where the key
// sits whatever the layout; 0 when unknown (a synthetic event). On a layout
// whose letters are not Latin, the letter and punctuation keys take the code
// of the US key in their place, as Windows gives them; the digit row always
// gives its digits.
VirtualKeys virtualKeysOf(int qtKey, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey, uint32_t scanCode = 0,
                          bool latinLayout = true);
LayoutHint layoutHintOf(int qtKey, uint32_t scanCode);
// The code of the US key at an X key code; 0 for a key outside the letters,
// digits and punctuation.
int usPositionCode(uint32_t scanCode);

class KeyState : public QObject {
public:
    // Installs itself as an event filter on the application.
    KeyState();
    ~KeyState() override;

    bool isDown(int vk) const;
    void clear();
    // Marks the start of a round of event processing. A key pressed and let go
    // within one round (a quick tap) reads down until the next round starts:
    // the game polls between rounds and would never see it otherwise.
    void beginEvents();

    // A game pad's control (any number naming it) holds `vk` down until its
    // release; a tap within one round reads down until the next, as a key's.
    void padPress(uint32_t control, int vk);
    void padRelease(uint32_t control);
    void padReleaseAll();

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    void set(const VirtualKeys& keys, bool down);

    std::array<bool, 256> down_{};
    // The window system's modifier state, asked once per round: asking is a
    // round trip to the X server, and a frame polls Shift more than once.
    mutable Qt::KeyboardModifiers liveModifiers_;
    mutable bool liveModifiersKnown_ = false;
    std::array<bool, 256> pressedThisRound_{};
    std::vector<VirtualKeys> deferredReleases_;
    // The codes a physical key was pressed under, so its release clears the same
    // codes even when Shift changed the Qt key in between ("1" pressed, "!" let go).
    std::unordered_map<uint32_t, VirtualKeys> pressedByScanCode_;
    // Learnt from the letter keys pressed; a layout switch shows at the next letter.
    bool latinLayout_ = true;

    struct PadHold {
        int vk = 0;
        bool tapped = false;    // pressed in this round
        bool released = false;  // let go in the round it was pressed in
    };
    std::unordered_map<uint32_t, PadHold> pad_;
};

}  // namespace qtfront
