// The key-state table behind GetKeyState: filled from the key events of every
// window of the application, answered by Windows virtual-key code.
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
    int code = 0;  // 0: a key the game has no code for
    int side = 0;
};
VirtualKeys virtualKeysOf(int qtKey, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey);

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
};

}  // namespace qtfront
