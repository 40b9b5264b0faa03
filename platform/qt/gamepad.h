// SPDX-License-Identifier: GPL-3.0-or-later
// Game pads through SDL's game-controller interface: plugged in and out at any
// time, read once per round of events, never a window or video of SDL's own.
// With no pad, or where SDL sees no input devices, nothing happens and
// nothing is said.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

struct _SDL_GameController;

namespace qtfront {

// What a pad does, whichever pad: the d-pad or the left stick left and right,
// the four face buttons by where they sit (south is A on most pads), Start.
enum class PadControl { Left, Right, South, West, North, East, Start };

struct PadChange {
    uint32_t id;  // one physical control of one pad, the same for its press and release
    PadControl control;
    bool down;
};

class Gamepads {
public:
    Gamepads();
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Hands on, in order, every press and release since the last call; a pad
    // pulled out lets go of whatever it held.
    void poll(const std::function<void(const PadChange&)>& changed);
    // Forgets the presses nobody could take (while a modal box was open).
    void discard();
    int padsOpen() const { return static_cast<int>(pads_.size()); }

private:
    struct Pad {
        _SDL_GameController* controller = nullptr;
        bool stickLeft = false, stickRight = false;
    };
    bool ready_ = false;
    std::map<int32_t, Pad> pads_;  // by SDL's instance id
};

}  // namespace qtfront
