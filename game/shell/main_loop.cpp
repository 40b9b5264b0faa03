// SPDX-License-Identifier: GPL-3.0-or-later
// The main loop and its four scenes, the new-game reset and the default keys.
#include <algorithm>
#include <string>

#include "shell/form1.h"
#include "shell/play_keys.h"
#include "sim/specials.h"

namespace game {

namespace {

constexpr int32_t kTitleWaitMs = 10;
constexpr int32_t kOpeningBoxMs = 249;
constexpr int32_t kReadyWaitMs = 500;
constexpr double kFramePeriod = 19;  // a frame starts once more than 19 ms have passed

}  // namespace

void Form1::mainLoop() {
    for (;;) runPass();
}

void Form1::runPass() {
    switch (scene) {
    case kTitleScene: titleScene(); break;
    case kGetReadyScene: getReadyScene(); break;
    case kPlayScene: playFrame(); break;
    case kGameOverScene: gameOverScene(); break;
    default: break;
    }
    sv.DoEvents();
}

void Form1::titleScene() {
    float r = Rnd();
    if (static_cast<float>(titleStampOdds) < r) {
        titleStampX = static_cast<int16_t>(roundHalfEven(Rnd() * 350.0f));
        titleStampY = static_cast<int16_t>(roundHalfEven(Rnd() * 350.0f));
        // Twice SRCERASE leaves source AND the old picture: a black silhouette.
        for (int pass = 0; pass < 2; ++pass)
            BitBlt(picMain.hdc(), titleStampX, titleStampY, 32, 46, picTEKI.hdc(), 0, 0, SRCERASE);
        titleStampOdds -= 0.003;
        if (titleStampOdds < 0.85) {
            titleStampOdds = 0.99;
            picMain.cls();
        }
    }
    waitUntil = tickAdd(now(), kTitleWaitMs);
    sv.repaint();
    while (tickDiff(waitUntil, now()) >= 0) sv.idle(waitUntil);
    // Not while the key dialog is open: its Space presses a button or is the
    // key being chosen, and the game behind it must not start on it.
    if (form.enabled && keyDown(vk::kSpace)) scene = kGetReadyScene;
}

void Form1::getReadyScene() {
    resetGame();
    if (Command1.visible) {
        Command1.visible = false;
        Text1.visible = false;
        sv.repaint();
    }
    if (spiritualFever()) {
        if (difficulty < kExpert) gauge = 10'000'000;
        kills = 9200;
        fireSpan = 1;
        bannerLevel = 99;
        level = 99;
    }
    mnuLevel.enabled = false;
    mnuHS.enabled = false;
    drawFrame();
    playVoice("voice1");
    form.caption = "****|||| " + diffName[difficulty] + " GAME ||||****";

    // The opening box grows from the centre of the READY band.
    const int32_t t0 = now();
    do {
        const int32_t a = tickDiff(now(), t0) / 3;
        picMain.filledBox(175 - 2 * a, 91 - a / 2.0, 175 + 2 * a, 91 + a / 2.0, forms::rgb(0, 0, 0));
        sv.repaint();
        sv.idle(tickAdd(now(), 1));
    } while (tickDiff(now(), t0) <= kOpeningBoxMs);

    picMain.filledBox(0, 50, kPlaySize - 1, 50 + 83 - 1, forms::rgb(0, 0, 0));
    const int w = picREADY.scaleWidth();
    BitBlt(picMain.hdc(), roundHalfEven(175 - w / 2.0), 50, w, 83, picREADY.hdc(), 0, 0, SRCCOPY);
    sv.repaint();

    waitUntil = tickAdd(now(), kReadyWaitMs);
    waitProcessingEvents(waitUntil);

    drawFrame();
    sv.repaint();
    scene = kPlayScene;
    frameTick = now();
}

void Form1::playFrame() {
    // 1. Lane change and shot grant wait for the end of the firing pose.
    if (firing == 0) {
        if (isLane(laneRequest)) {
            heroLane = laneRequest;
            if (goldenFinger()) fireRequest = 1;
            laneRequest = kNoLane;
        }
        if (fireRequest == 1) {
            fireRequest = 0;
            firing = 1;
            fireLatch = 1;
            fireFrames = static_cast<int16_t>(4 * fireSpan);
            fireEndTick = tickAdd(now(), 70 + 70 * fireSpan);
            fireShot();
            if (goldenFinger()) {
                fireFrames = 2;
                const int32_t t = now();
                // t + 69.5 rounded half to even: t + 70 for an even t, t + 69 for an odd one.
                fireEndTick = level < 100 ? tickAdd(t, (t % 2 == 0) ? 70 : 69) : tickAdd(t, 20);
            }
        }
    }

    // 2. A latch holds only while its key stays down.
    fireLatch = (fireLatch == 1 && keyDown(KeyS5)) ? 1 : 0;
    for (const Special& s : kSpecials)
        this->*s.latch = (this->*s.latch == 1 && keyDown(keyFor(*this, s.action))) ? 1 : 0;
    if (arrowLatch == 1 && keyDown(KeySA))
        arrowLatch = 1;
    else if (arrowLatch == -1 && keyDown(KeyS9))
        arrowLatch = -1;
    else
        arrowLatch = 0;

    // 3. The firing pose lasts until the tick passes fireEndTick.
    if (firing == 1) {
        fireFrames -= 1;
        if (tickDiff(now(), fireEndTick) < 0 && fireFrames == 0) fireFrames = 1;
        if (tickDiff(fireEndTick, now()) < 0) fireFrames = 0;
        heroFrame = static_cast<int16_t>(((fireFrames / fireSpan) + 1) % 4);
        if (fireFrames == 0) firing = 0;
    }

    // 4.-6. The simulation steps and the picture, in their fixed order.
    moveShots();
    if (spawnTest()) spawnEnemies();
    resolveHits();
    moveEnemies();
    ageParticles();
    drawFrame();
    sv.repaint();

    // 7. Poll the keys for the rest of the frame.
    frameGate = kFramePeriod;
    keyPollingWait();

    // 8.-10.
    frameTick = now();
    if (mnuFPS.checked) {
        fpsFrames += 1;
        // fpsTick is always in the past, so a negative difference means it lies
        // more than half the clock's range back (it starts at 0).
        const int32_t sinceShown = tickDiff(frameTick, fpsTick);
        if (sinceShown >= 1000 || sinceShown < 0) {
            fpsTick = frameTick;
            form.caption = "FPS:" + std::to_string(fpsFrames);
            fpsFrames = 1;
        }
    }
    if (gameOver != 0) scene = kGameOverScene;
}

void Form1::keyPollingWait() {
    for (;;) {
        pollTick = now();
        // Later keys override earlier ones: the table's order decides.
        for (const PlayKey& k : kPlayKeys)
            if (k.action == PlayAction::kLane && keyDown(this->*k.code)) laneRequest = cursorLane = k.lane;
        if (fireLatch == 0 && keyDown(KeyS5)) fireRequest = 1;
        // Once per press, and only with the gauge its rule asks for.
        for (const Special& s : kSpecials) {
            if (gauge < s.rule.minGauge || this->*s.latch != 0 || !keyDown(keyFor(*this, s.action))) continue;
            this->*s.latch = 1;
            (this->*s.use)();
        }
        if (fireRequest != 1 && arrowLatch == 0 && keyDown(KeyS9)) {
            arrowLatch = -1;
            cursorLane = static_cast<int16_t>((cursorLane + kLanes - 1) % kLanes);
            laneRequest = cursorLane;
        }
        if (fireRequest != 1 && arrowLatch == 0 && keyDown(KeySA)) {
            arrowLatch = 1;
            cursorLane = static_cast<int16_t>((cursorLane + 1) % kLanes);
            laneRequest = cursorLane;
        }
        if (tickDiff(pollTick, frameTick) > frameGate) break;
        // Keys can't change before events are processed again, so the wait may
        // sleep until the frame is due.
        sv.idle(tickAdd(frameTick, static_cast<int32_t>(frameGate)));
    }
}

void Form1::gameOverScene() { gameEnd(); }

void Form1::resetGame() {
    titleStampOdds = 0.99;
    heroLane = 2;
    heroY = 5;
    heroFrame = 1;
    laneRequest = kNoLane;
    fireRequest = 0;
    firing = 0;
    fireFrames = 0;
    fireSpan = 4;
    arrowLatch = 0;
    cursorLane = 2;
    gameOver = 0;
    caughtInLane = 0;
    kills = 0;
    freezeTimer = 0;
    enemyCount = 0;
    fireLatch = 0;
    for (const Special& s : kSpecials) this->*s.latch = 0;
    fpsFrames = 0;
    gauge = 0;
    score = 0;
    level = 1;
    // A new game's clock starts now, so the pictures of the get-ready scene are
    // not compared with the last frame of the previous game; and "no banner"
    // must read as a time already past: on a clock that wraps, 0 lies in the
    // future for half of the clock's range.
    frameTick = now();
    bannerUntil = frameTick;
    bannerLevel = 1;
    fireEndTick = 0;
    enemyLane.fill(kFreeSlot);
    shotLane.fill(kFreeSlot);
    trailLane.fill(kFreeSlot);
    particleX.fill(kFreeSlot);
    laneEnemyCount.fill(0);
    laneEnemyLimit = {6, 7, 10, 100, 100};
    fieldEnemyLimit = {12, 15, 20, 100, 100};
}

void Form1::setDefaultKeys() {
    for (const PlayKey& k : kPlayKeys) this->*k.code = k.defaultCode;
}

bool Form1::isPlayKey(int code) const {
    return std::ranges::any_of(kPlayKeys, [&](const PlayKey& k) { return this->*k.code == code; });
}

forms::PadKeys Form1::padKeys() const {
    forms::PadKeys k;
    k.left = keyFor(*this, PlayAction::kLaneLeft);
    k.right = keyFor(*this, PlayAction::kLaneRight);
    // The title starts on Space, whatever the fire key is.
    k.south = scene == kTitleScene ? vk::kSpace : keyFor(*this, PlayAction::kFire);
    k.west = keyFor(*this, PlayAction::kVolley);
    k.north = keyFor(*this, PlayAction::kWaveShots);
    k.east = keyFor(*this, PlayAction::kFreeze);
    // A pause ends on Space; otherwise Start runs padStart.
    k.start = lblPause.visible ? vk::kSpace : 0;
    return k;
}

void Form1::mnuStart_Click() { scene = kGetReadyScene; }

void Form1::Command1_Click() {
    Text1.setTop(500);
    Command1.visible = false;
}

}  // namespace game
