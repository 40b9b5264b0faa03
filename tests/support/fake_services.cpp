#include "fake_services.h"

#include <stdexcept>

#include "wingdi.h"

namespace fake {

namespace {

int32_t readClock(void* context) { return static_cast<FakeServices*>(context)->clock; }

bool inWindow(int32_t now, int32_t start, int32_t end) {
    return game::tickDiff(now, start) >= 0 && game::tickDiff(end, now) > 0;
}

}  // namespace

FakeServices::FakeServices(int32_t start) : clock(start) { lbSetTickSource(&readClock, this); }

FakeServices::~FakeServices() { lbSetTickSource(nullptr, nullptr); }

void FakeServices::advance(int32_t ms) { clock = game::tickAdd(clock, ms); }

void FakeServices::holdKey(int vk, int32_t start, int32_t end) { holds_.push_back({vk, start, end}); }

void FakeServices::setKey(int vk, bool down) {
    fixed_[vk] = down;
    if (!down) {
        // Releasing a key also ends its scripted holds from now on.
        for (Hold& h : holds_)
            if (h.vk == vk && inWindow(clock, h.start, h.end)) h.end = clock;
    }
}

void FakeServices::releaseAll() {
    fixed_.clear();
    holds_.clear();
}

int16_t FakeServices::GetKeyState(int vk) {
    bool down = false;
    if (keyScript) {
        down = keyScript(vk, clock);
    } else {
        auto it = fixed_.find(vk);
        if (it != fixed_.end()) down = it->second;
        for (const Hold& h : holds_)
            if (h.vk == vk && inWindow(clock, h.start, h.end)) down = true;
    }
    return down ? static_cast<int16_t>(0xFF80) : 0;
}

void FakeServices::DoEvents() {
    ++doEventsCalls;
    noteCaptions();
    // Take the due actions out first: an action may schedule another.
    std::vector<std::function<void()>> due;
    for (auto it = scheduled_.begin(); it != scheduled_.end();) {
        if (game::tickDiff(clock, it->first) >= 0) {
            due.push_back(std::move(it->second));
            it = scheduled_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& action : due) action();
    if (onDoEvents) onDoEvents();
}

void FakeServices::at(int32_t tick, std::function<void()> action) { scheduled_.emplace_back(tick, std::move(action)); }

void FakeServices::idle(int32_t) {
    if (++idleTurns > idleBudget) throw std::runtime_error("fake platform: a wait never ended");
    advance(idleStep);
    if (onIdle) onIdle();
}

void FakeServices::repaint() {
    ++repaints;
    noteCaptions();
}

void FakeServices::noteCaptions() {
    for (forms::Form* f : shownForms)
        if (f->name == "Form1" && (captions.empty() || captions.back() != f->caption)) captions.push_back(f->caption);
}

void FakeServices::sndPlaySoundA(const std::string& path, uint32_t) { sounds.push_back(path); }

bool FakeServices::shellOpen(const std::string& file, const std::string& folder, std::function<void()> failed) {
    opened.push_back(folder + "/" + file);
    if (shellOpenResult && shellOpenFailsLater) at(clock, std::move(failed));
    return shellOpenResult;
}

void FakeServices::setClipboardImage(const QImage& image) { clipboard = image; }

void FakeServices::msgBox(const std::string& text, const std::string& title, int style) {
    noteCaptions();
    messages.push_back({text, title, style});
    if (onMessage) onMessage(text, title, style);
}

std::string FakeServices::inputBox(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) {
    noteCaptions();
    inputs.push_back({prompt, title, 0});
    inputDefaults.push_back(defaultText);
    if (inputHandler) return inputHandler(prompt, title);
    if (inputAnswers.empty()) return "";
    std::string answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

void FakeServices::showForm(forms::Form& form) {
    form.visible = true;
    for (forms::Form* f : shownForms)
        if (f == &form) return;
    shownForms.push_back(&form);
    noteCaptions();
}

void FakeServices::unloadForm(forms::Form& form) {
    form.visible = false;
    unloadedForms.push_back(form.name);
    std::erase(shownForms, &form);
}

void FakeServices::endProgram(int status) {
    endStatus = status;
    throw platform::ProgramEnd{status};
}

// ---------------------------------------------------------------------------

Game::Game(int32_t startTick, std::string folder) : sv(startTick), f(sv, std::move(folder)) {}

std::string Game::defaultFolder() { return LANEBEAM_BIN_DIR; }

void Game::startUp(uint64_t seed) {
    f.startUp();
    f.rnd.seed(seed);
}

bool Game::runUntil(const std::function<bool()>& done, int maxPasses) {
    for (int i = 0; i < maxPasses; ++i) {
        if (done()) return true;
        f.runPass();
    }
    return done();
}

void Game::startPlaying() {
    sv.holdKey(32, sv.clock, game::tickAdd(sv.clock, 15));
    runUntil([&] { return f.scene == 1; });
    runUntil([&] { return f.scene == 2; });
}

std::string checkInvariants(const game::Form1& f) {
    using namespace game;
    std::array<int, kLaneCount> perLane{};
    int live = 0;
    for (int i = 0; i < kEnemySlots; ++i) {
        const int16_t lane = f.enemyLane[i];
        if (lane == kFreeSlot) continue;
        if (lane < 0 || lane >= kLaneCount) return "enemy " + std::to_string(i) + " in lane " + std::to_string(lane);
        if (f.enemyTurnState[i] < 0 || f.enemyTurnState[i] > 3) return "enemy turn state out of range";
        if (f.enemyFrame[i] < 0 || f.enemyFrame[i] > 1) return "enemy frame out of range";
        ++perLane[lane];
        ++live;
    }
    if (live != f.enemyCount)
        return "enemyCount " + std::to_string(f.enemyCount) + " but " + std::to_string(live) + " live enemies";
    for (int j = 0; j < kLaneCount; ++j)
        if (perLane[j] != f.laneEnemyCount[j])
            return "laneEnemyCount[" + std::to_string(j) + "] " + std::to_string(f.laneEnemyCount[j]) + " but " +
                   std::to_string(perLane[j]) + " live";
    for (int i = 0; i < kShotSlots; ++i) {
        const int16_t lane = f.shotLane[i];
        if (lane != kFreeSlot && (lane < 0 || lane >= kLaneCount)) return "shot in lane " + std::to_string(lane);
        if (lane != kFreeSlot && f.shotWave[i] != 0 && f.shotPower[i] > 3) return "wave shot power above 3";
    }
    for (int i = 0; i < kTrailSlots; ++i) {
        const int16_t lane = f.trailLane[i];
        if (lane != kFreeSlot && (lane < 0 || lane >= kLaneCount)) return "trail piece in lane " + std::to_string(lane);
    }
    for (int i = 0; i < kParticleSlots; ++i)
        if (f.particleX[i] != kFreeSlot && (f.particleAge[i] < 0 || f.particleAge[i] > 15))
            return "particle age " + std::to_string(f.particleAge[i]);
    if (f.heroLane < 0 || f.heroLane >= kLaneCount) return "heroLane out of range";
    if (f.cursorLane < 0 || f.cursorLane >= kLaneCount) return "cursorLane out of range";
    if (f.laneRequest != kNoLane && (f.laneRequest < 0 || f.laneRequest >= kLaneCount))
        return "laneRequest out of range";
    if (f.heroFrame < 0 || f.heroFrame > 3) return "heroFrame out of range";
    if (f.level < 1 || f.level > 9999) return "level out of range";
    if (f.difficulty < 0 || f.difficulty > 4) return "difficulty out of range";
    return "";
}

}  // namespace fake
