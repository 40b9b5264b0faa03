#include "fake_services.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <stdexcept>

#include "wingdi.h"

namespace fake {

namespace fs = std::filesystem;

FakeServices::FakeServices(int32_t start) : clock(start) {
    lbSetTickSource([](void* self) { return static_cast<FakeServices*>(self)->clock; }, this);
}

FakeServices::~FakeServices() { lbSetTickSource(nullptr, nullptr); }

int16_t FakeServices::GetKeyState(int vk) {
    bool down = keyScript && keyScript(vk, clock);
    for (const Hold& h : holds)
        down |= h.vk == vk && game::tickDiff(clock, h.start) >= 0 && game::tickDiff(h.end, clock) > 0;
    return down ? static_cast<int16_t>(0xFF80) : 0;
}

void FakeServices::DoEvents() {
    noteCaption();
    // Take the due actions out first: an action may schedule another.
    const auto firstDue = std::stable_partition(scheduled_.begin(), scheduled_.end(),
                                                [&](const auto& s) { return game::tickDiff(clock, s.first) < 0; });
    std::vector due(std::make_move_iterator(firstDue), std::make_move_iterator(scheduled_.end()));
    scheduled_.erase(firstDue, scheduled_.end());
    for (auto& [tick, action] : due) action();
    if (onDoEvents) onDoEvents();
}

void FakeServices::idle(int32_t) {
    // A runaway wait is a test failure, not a hang.
    if (++idleTurns_ > 50'000'000) throw std::runtime_error("fake platform: a wait never ended");
    advance(idleStep);
    if (onIdle) onIdle();
}

void FakeServices::noteCaption() {
    if (watched && watched->visible && (captions.empty() || captions.back() != watched->caption))
        captions.push_back(watched->caption);
}

std::string FakeServices::inputBox(const std::string& prompt, const std::string& title, const std::string&) {
    noteCaption();
    inputs.push_back({prompt, title});
    if (inputAnswers.empty()) return otherAnswer;
    std::string answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

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

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "lanebeam-test-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) path = made;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
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
        if (!isLane(f.enemyLane[i]) || !in(f.enemyTurnState[i], 0, 3) || !in(f.enemyFrame[i], 0, 1))
            return "enemy " + std::to_string(i) + " out of its ranges";
        ++perLane[f.enemyLane[i]];
    }
    if (perLane != f.laneEnemyCount || std::accumulate(perLane.begin(), perLane.end(), 0) != f.enemyCount)
        return "the enemy counters differ from the live enemies";
    for (int i = 0; i < kShotSlots; ++i)
        if (f.shotLane[i] != kFreeSlot && (!isLane(f.shotLane[i]) || (f.shotWave[i] != 0 && f.shotPower[i] > 3)))
            return "shot " + std::to_string(i) + " out of its ranges";
    for (int16_t lane : f.trailLane)
        if (lane != kFreeSlot && !isLane(lane)) return "a trail piece in lane " + std::to_string(lane);
    for (int i = 0; i < kParticleSlots; ++i)
        if (f.particleX[i] != kFreeSlot && !in(f.particleAge[i], 0, 15)) return "particle age out of range";
    if (!isLane(f.heroLane) || !isLane(f.cursorLane) || (f.laneRequest != kNoLane && !isLane(f.laneRequest)))
        return "a lane of the heroine out of range";
    if (!in(f.heroFrame, 0, 3) || !in(f.level, 1, 9999) || !in(f.difficulty, 0, 4))
        return "heroFrame, level or difficulty out of range";
    return "";
}

}  // namespace fake
