// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_fixtures.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>

namespace fake {

namespace fs = std::filesystem;

platform::GamePaths builtPaths(const std::string& dataFolder) {
    platform::GamePaths paths = platform::GamePaths::beside(Game::builtFolder());
    const platform::GamePaths own = platform::GamePaths::beside(dataFolder);
    paths.settingsFile = own.settingsFile;
    paths.windowFile = own.windowFile;
    return paths;
}

Game::Game(int32_t startTick, const std::string& folder)
    : sv(startTick), f(sv, folder.empty() ? builtPaths(scratch.path) : platform::GamePaths::beside(folder)) {
    sv.watched = &f.form;
}

std::string Game::builtFolder() { return LANEBEAM_BIN_DIR; }

void Game::startPlaying() {
    sv.holds.push_back({32, sv.clock, game::tickAdd(sv.clock, 15)});
    for (int scene : {1, 2})
        for (int pass = 0; pass < 100000 && f.scene != scene; ++pass) f.runPass();
}

ProgramFolder::ProgramFolder() {
    const fs::path bin = Game::builtFolder();
    std::error_code ec;
    fs::copy(bin / "pic", fs::path(path) / "pic", fs::copy_options::recursive, ec);
    for (const char* lib : {"libpxmix.so", "libwinplat.so"}) fs::copy_file(bin / lib, fs::path(path) / lib, ec);
}

std::string ProgramFolder::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void ProgramFolder::write(const std::string& bytes, const std::string& name) const {
    std::ofstream(file(name), std::ios::binary) << bytes;
}

std::string checkInvariants(const game::Form1& f) {
    using namespace game;
    const auto in = [](int v, int low, int high) { return v >= low && v <= high; };
    std::array<int16_t, kLanes> perLane{};
    for (int i = 0; i < kEnemySlots; ++i) {
        if (f.enemyLane[i] == kFreeSlot) continue;
        const std::string enemy = "enemy " + std::to_string(i);
        if (!isLane(f.enemyLane[i])) return enemy + " in lane " + std::to_string(f.enemyLane[i]);
        if (!in(f.enemyTurnState[i], 0, 3)) return enemy + " in turn state " + std::to_string(f.enemyTurnState[i]);
        if (!in(f.enemyFrame[i], 0, 1)) return enemy + " in frame " + std::to_string(f.enemyFrame[i]);
        ++perLane[f.enemyLane[i]];
    }
    if (perLane != f.laneEnemyCount) return "the lane counters differ from the live enemies";
    if (std::accumulate(perLane.begin(), perLane.end(), 0) != f.enemyCount)
        return "the field counter differs from the live enemies";
    for (int i = 0; i < kShotSlots; ++i) {
        if (f.shotLane[i] == kFreeSlot) continue;
        const std::string shot = "shot " + std::to_string(i);
        if (!isLane(f.shotLane[i])) return shot + " in lane " + std::to_string(f.shotLane[i]);
        if (f.shotWave[i] != 0 && f.shotPower[i] > 3)
            return shot + ", a wave shot, of power " + std::to_string(f.shotPower[i]);
    }
    for (int16_t lane : f.trailLane)
        if (lane != kFreeSlot && !isLane(lane)) return "a trail piece in lane " + std::to_string(lane);
    for (int i = 0; i < kParticleSlots; ++i)
        if (f.particleX[i] != kFreeSlot && !in(f.particleAge[i], 0, 15))
            return "particle " + std::to_string(i) + " of age " + std::to_string(f.particleAge[i]);
    if (!isLane(f.heroLane)) return "heroLane " + std::to_string(f.heroLane);
    if (!isLane(f.cursorLane)) return "cursorLane " + std::to_string(f.cursorLane);
    if (f.laneRequest != kNoLane && !isLane(f.laneRequest)) return "laneRequest " + std::to_string(f.laneRequest);
    if (!in(f.heroFrame, 0, 3)) return "heroFrame " + std::to_string(f.heroFrame);
    if (!in(f.level, 1, 9999)) return "level " + std::to_string(f.level);
    if (!in(f.difficulty, 0, 4)) return "difficulty " + std::to_string(f.difficulty);
    return "";
}

std::set<int> checkedDifficultyItems(const game::Form1& f) {
    std::set<int> on;
    for (int i = 0; i < 8; ++i)
        if (f.mnulv[i].checked) on.insert(i);
    return on;
}

}  // namespace fake
