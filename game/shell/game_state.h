// SPDX-License-Identifier: GPL-3.0-or-later
// The one record of game state, owned by the game window for the whole run.
// Every operation reads and writes these fields directly.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace game {

constexpr int kLanes = 5;
constexpr int kEnemySlots = 101;
constexpr int kShotSlots = 31;
constexpr int kTrailSlots = 31;
constexpr int kParticleSlots = 11;
constexpr int kDifficulties = 5;
constexpr int16_t kFreeSlot = 999;  // in the lane columns and particleX
constexpr int16_t kNoLane = 9;      // laneRequest: no request

// The scenes of the main loop, the values of `scene`.
enum Scene : int16_t { kTitleScene = 0, kGetReadyScene = 1, kPlayScene = 2, kGameOverScene = 3 };

constexpr bool isLane(int v) { return v >= 0 && v < kLanes; }

// The difficulties, the values of `difficulty`, of its menu items' indexes and
// of the settings file's difficulty line; each has its own best score.
enum Difficulty : int16_t { kSuperEasy = 0, kVeryEasy = 1, kEasy = 2, kNormal = 3, kExpert = 4 };
static_assert(kExpert + 1 == kDifficulties);
constexpr bool isDifficulty(int v) { return v >= kSuperEasy && v <= kExpert; }

// A slot is free when its marking column (a lane, particleX, a droplet's x)
// holds kFreeSlot; the other columns of a free slot are stale.
template <typename T>
constexpr bool isFree(T mark) {
    return mark == static_cast<T>(kFreeSlot);
}

// The first free slot of a table, searched from index 0 as every table of the
// game is; -1 when all are taken, and the new entry is then dropped without
// report. `mark` picks the marking column from an entry.
template <typename Table, typename Mark = std::identity>
int firstFreeSlot(const Table& table, Mark mark = {}) {
    int i = 0;
    for (const auto& entry : table) {
        if (isFree(std::invoke(mark, entry))) return i;
        ++i;
    }
    return -1;
}

struct GameState {
    // Key codes (Windows virtual-key codes); shell/play_keys.h says what each does.
    int16_t KeyS0 = 0, KeyS1 = 0, KeyS2 = 0, KeyS3 = 0, KeyS4 = 0, KeyS5 = 0, KeyS6 = 0, KeyS7 = 0, KeyS8 = 0,
            KeyS9 = 0, KeySA = 0;

    // Scene and timing.
    int16_t scene = kTitleScene;
    int32_t frameTick = 0;
    int32_t pollTick = 0;
    int32_t waitUntil = 0;
    int16_t fpsFrames = 0;
    int32_t fpsTick = 0;
    int16_t titleStampX = 0, titleStampY = 0;
    double titleStampOdds = 0;
    double frameGate = 0;

    // Heroine and input.
    int16_t heroLane = 0;
    int16_t heroY = 0;
    int16_t heroFrame = 0;
    int16_t firing = 0;
    int16_t fireFrames = 0;
    int16_t fireSpan = 0;
    int32_t fireEndTick = 0;
    int16_t laneRequest = 0;
    int16_t cursorLane = 0;
    int16_t arrowLatch = 0;
    int16_t fireRequest = 0;
    int16_t fireLatch = 0;
    int16_t keyS6Latch = 0, keyS7Latch = 0, keyS8Latch = 0;  // the specials' (sim/specials.h)

    // Score, progression and specials.
    int32_t score = 0;
    int32_t level = 0;
    int32_t kills = 0;
    int32_t gauge = 0;
    int32_t freezeTimer = 0;
    int32_t freezeStartTick = 0;
    int32_t freezeLength = 0;
    int16_t gameOver = 0;      // -1 true, 0 false
    int16_t caughtInLane = 0;  // -1 true, 0 false

    // Difficulty (a Difficulty value), unlocks and best scores.
    int16_t difficulty = kSuperEasy;
    int16_t unlockStage = 0;
    std::array<int32_t, kDifficulties> hiScore{};
    std::array<std::string, kDifficulties> hiName{};
    std::array<std::string, kDifficulties> diffName{};
    std::array<std::string, kDifficulties> diffShortName{};

    // Lanes and enemy limits.
    std::array<int16_t, kLanes> laneX{};
    std::array<int16_t, kLanes> laneEnemyCount{};
    std::array<int16_t, kDifficulties> laneEnemyLimit{};
    int16_t enemyCount = 0;
    std::array<int16_t, kDifficulties> fieldEnemyLimit{};

    // Enemy table.
    std::array<int16_t, kEnemySlots> enemyLane{};
    std::array<float, kEnemySlots> enemyY{};
    std::array<float, kEnemySlots> enemySpeed{};
    std::array<float, kEnemySlots> enemyAccel{};
    std::array<int32_t, kEnemySlots> enemyTick{};
    std::array<int16_t, kEnemySlots> enemyAnimCount{};
    std::array<int16_t, kEnemySlots> enemyFrame{};
    std::array<int16_t, kEnemySlots> enemyTurnY{};
    std::array<int16_t, kEnemySlots> enemyTurnState{};

    // Shot table.
    std::array<int16_t, kShotSlots> shotLane{};
    std::array<float, kShotSlots> shotY{};
    std::array<int32_t, kShotSlots> shotTick{};
    std::array<int32_t, kShotSlots> shotPower{};
    std::array<int16_t, kShotSlots> shotWave{};
    std::array<int16_t, kShotSlots> shotTrailFrames{};

    // Trail table.
    std::array<int16_t, kTrailSlots> trailLane{};
    std::array<int16_t, kTrailSlots> trailY{};

    // Explosion particle table.
    std::array<int16_t, kParticleSlots> particleX{};
    std::array<int16_t, kParticleSlots> particleY{};
    std::array<int16_t, kParticleSlots> particleAge{};

    // Rendering state.
    int16_t mmxMode = 0;
    std::array<int16_t, 8> heroFrameX{};
    int32_t bannerLevel = 0;
    int32_t bannerUntil = 0;
    int16_t blinkPhase = 0;
};

}  // namespace game
