// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "wingdi.h"

namespace fake {

namespace {

// Ticks wrap at 2^32; a difference is read as signed, as the game reads it.
int32_t tickDiff(int32_t later, int32_t earlier) {
    return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

}  // namespace

FakeServices::FakeServices(int32_t start) : clock(start) {
    lbSetTickSource([](void* self) { return static_cast<FakeServices*>(self)->clock; }, this);
}

FakeServices::~FakeServices() { lbSetTickSource(nullptr, nullptr); }

int16_t FakeServices::GetKeyState(int vk) {
    bool down = keyScript && keyScript(vk, clock);
    for (const Hold& h : holds) down |= h.vk == vk && tickDiff(clock, h.start) >= 0 && tickDiff(h.end, clock) > 0;
    return down ? static_cast<int16_t>(0xFF80) : 0;
}

void FakeServices::DoEvents() {
    noteCaption();
    // Take the due actions out first: an action may schedule another.
    const auto firstDue = std::stable_partition(scheduled_.begin(), scheduled_.end(),
                                                [&](const auto& s) { return tickDiff(clock, s.first) < 0; });
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

}  // namespace fake
