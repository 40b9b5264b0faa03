// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamepad.h"

#include <SDL.h>

namespace qtfront {

namespace {

// The stick counts as pushed past a third of its way and let go under a
// sixth, so a thumb resting near the edge does not flutter between lanes.
constexpr int kStickPushed = 11000, kStickLetGo = 5500;

// The physical controls of one pad; an id is the pad's instance id times
// kSlots plus the slot.
enum Slot : uint32_t { kDpadLeft, kDpadRight, kStickLeft, kStickRight, kSouth, kWest, kNorth, kEast, kStart, kSlots };

constexpr PadControl controlOf(uint32_t slot) {
    switch (slot) {
    case kDpadLeft:
    case kStickLeft: return PadControl::Left;
    case kDpadRight:
    case kStickRight: return PadControl::Right;
    case kSouth: return PadControl::South;
    case kWest: return PadControl::West;
    case kNorth: return PadControl::North;
    case kEast: return PadControl::East;
    default: return PadControl::Start;
    }
}

int slotOf(uint8_t button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return kDpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return kDpadRight;
    case SDL_CONTROLLER_BUTTON_A: return kSouth;
    case SDL_CONTROLLER_BUTTON_X: return kWest;
    case SDL_CONTROLLER_BUTTON_Y: return kNorth;
    case SDL_CONTROLLER_BUTTON_B: return kEast;
    case SDL_CONTROLLER_BUTTON_START: return kStart;
    default: return -1;
    }
}

}  // namespace

Gamepads::Gamepads() {
    // The program has its own ways of ending; SDL must not take SIGINT or SIGTERM.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ready_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

Gamepads::~Gamepads() {
    if (!ready_) return;
    for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad.controller);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepads::discard() {
    if (!ready_) return;
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONUP);
}

void Gamepads::poll(const std::function<void(const PadChange&)>& changed) {
    if (!ready_) return;
    const auto emit = [&](int32_t instance, uint32_t slot, bool down) {
        changed({static_cast<uint32_t>(instance) * kSlots + slot, controlOf(slot), down});
    };
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED: {
            SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which);
            if (!c) break;
            const SDL_JoystickID instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
            if (pads_.count(instance))
                SDL_GameControllerClose(c);  // announced twice: it is open already
            else
                pads_[instance].controller = c;
            break;
        }
        case SDL_CONTROLLERDEVICEREMOVED: {
            auto it = pads_.find(e.cdevice.which);
            if (it == pads_.end()) break;
            for (uint32_t slot = 0; slot < kSlots; ++slot) emit(it->first, slot, false);
            SDL_GameControllerClose(it->second.controller);
            pads_.erase(it);
            break;
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const int slot = slotOf(e.cbutton.button);
            if (slot >= 0 && pads_.count(e.cbutton.which))
                emit(e.cbutton.which, static_cast<uint32_t>(slot), e.type == SDL_CONTROLLERBUTTONDOWN);
            break;
        }
        case SDL_CONTROLLERAXISMOTION: {
            auto it = pads_.find(e.caxis.which);
            if (e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX || it == pads_.end()) break;
            Pad& pad = it->second;
            const int v = e.caxis.value;
            const bool left = pad.stickLeft ? v < -kStickLetGo : v < -kStickPushed;
            const bool right = pad.stickRight ? v > kStickLetGo : v > kStickPushed;
            if (left != pad.stickLeft) emit(it->first, kStickLeft, left);
            if (right != pad.stickRight) emit(it->first, kStickRight, right);
            pad.stickLeft = left;
            pad.stickRight = right;
            break;
        }
        default: break;
        }
    }
}

}  // namespace qtfront
