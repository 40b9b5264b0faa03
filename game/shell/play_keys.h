// SPDX-License-Identifier: GPL-3.0-or-later
// The eleven play keys in one table: the state field that holds each code, what
// the key does, its default code, its place on the settings file's key line and
// its button in the key dialog. Everything that lists the keys walks this table.
#pragma once

#include <array>
#include <cstdint>

#include "forms/color.h"
#include "forms/virtual_keys.h"
#include "shell/game_state.h"

namespace game {

// What a play key does. The game pad binds its controls to actions, so a key
// the player moves moves the pad's control with it.
enum class PlayAction { kLane, kFire, kVolley, kWaveShots, kFreeze, kLaneLeft, kLaneRight };

// A key's button in the key dialog; `place` is its number among the buttons,
// the reading order on screen, and the rectangle is in pixels of the frame.
struct KeyButton {
    int place;
    const char* caption;
    forms::Color color;
    int left, top, width, height;
};

struct PlayKey {
    int16_t GameState::*code;
    PlayAction action;
    int16_t lane;  // where a lane key moves the heroine; kNoLane for the others
    int16_t defaultCode;
    int filePlace;  // its place on the settings file's key line
    KeyButton button;
};

constexpr int kPlayKeyCount = 11;

// Rows in the order of the fields. The lane keys are polled in this order and
// the later one held wins; they are not in lane order, which is why each names
// its lane and its button.
inline constexpr std::array<PlayKey, kPlayKeyCount> kPlayKeys = {{
    {.code = &GameState::KeyS0,
     .action = PlayAction::kLane,
     .lane = 0,
     .defaultCode = 'Z',
     .filePlace = 0,
     .button = {0, "1 左端", forms::rgb(160, 160, 255), 12, 24, 77, 29}},
    {.code = &GameState::KeyS1,
     .action = PlayAction::kLane,
     .lane = 4,
     .defaultCode = 'B',
     .filePlace = 1,
     .button = {4, "5 右端", forms::rgb(255, 144, 128), 348, 24, 77, 29}},
    {.code = &GameState::KeyS2,
     .action = PlayAction::kLane,
     .lane = 1,
     .defaultCode = 'X',
     .filePlace = 2,
     .button = {1, "2", forms::rgb(160, 255, 160), 96, 24, 77, 29}},
    {.code = &GameState::KeyS3,
     .action = PlayAction::kLane,
     .lane = 3,
     .defaultCode = 'V',
     .filePlace = 3,
     .button = {3, "4", forms::rgb(255, 192, 128), 264, 24, 77, 29}},
    {.code = &GameState::KeyS4,
     .action = PlayAction::kLane,
     .lane = 2,
     .defaultCode = 'C',
     .filePlace = 4,
     .button = {2, "3 中央", forms::rgb(255, 255, 144), 180, 24, 77, 29}},
    {.code = &GameState::KeyS5,
     .action = PlayAction::kFire,
     .lane = kNoLane,
     .defaultCode = vk::kSpace,
     .filePlace = 5,
     .button = {5, "VORN BEAMを撃つ", forms::rgb(255, 192, 192), 12, 112, 141, 41}},
    {.code = &GameState::KeyS6,
     .action = PlayAction::kVolley,
     .lane = kNoLane,
     .defaultCode = vk::kShift,
     .filePlace = 6,
     .button = {6, "V.BEAM一列一斉発射", forms::rgb(192, 255, 192), 160, 112, 93, 41}},
    {.code = &GameState::KeyS7,
     .action = PlayAction::kWaveShots,
     .lane = kNoLane,
     .defaultCode = 'M',
     .filePlace = 7,
     .button = {7, "光の尾を纏ったV.BEAM", forms::rgb(192, 255, 192), 256, 112, 97, 41}},
    {.code = &GameState::KeyS8,
     .action = PlayAction::kFreeze,
     .lane = kNoLane,
     .defaultCode = 'T',
     .filePlace = 8,
     .button = {8, "敵の動きを止める", forms::rgb(192, 255, 192), 356, 112, 81, 41}},
    {.code = &GameState::KeyS9,
     .action = PlayAction::kLaneLeft,
     .lane = kNoLane,
     .defaultCode = vk::kLeft,
     .filePlace = 9,
     .button = {9, "１列左", forms::rgb(128, 255, 255), 140, 68, 77, 29}},
    {.code = &GameState::KeySA,
     .action = PlayAction::kLaneRight,
     .lane = kNoLane,
     .defaultCode = vk::kRight,
     .filePlace = 10,
     .button = {10, "１列右", forms::rgb(255, 128, 255), 224, 68, 77, 29}},
}};

using KeyCodes = std::array<int16_t, kPlayKeyCount>;

// The codes in the settings file's order.
inline KeyCodes keyCodes(const GameState& s) {
    KeyCodes codes{};
    for (const PlayKey& k : kPlayKeys) codes[k.filePlace] = s.*k.code;
    return codes;
}
inline void setKeyCodes(GameState& s, const KeyCodes& codes) {
    for (const PlayKey& k : kPlayKeys) s.*k.code = codes[k.filePlace];
}
// The default codes in the settings file's order.
constexpr KeyCodes defaultKeyCodes() {
    KeyCodes codes{};
    for (const PlayKey& k : kPlayKeys) codes[k.filePlace] = k.defaultCode;
    return codes;
}
// The code of the key that moves the heroine to `lane`.
inline int16_t laneKey(const GameState& s, int lane) {
    for (const PlayKey& k : kPlayKeys)
        if (k.action == PlayAction::kLane && k.lane == lane) return s.*k.code;
    return 0;
}
// The code of the key that does `action` (the first, for the lane keys).
inline int16_t keyFor(const GameState& s, PlayAction action) {
    for (const PlayKey& k : kPlayKeys)
        if (k.action == action) return s.*k.code;
    return 0;
}

}  // namespace game
