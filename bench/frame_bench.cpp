// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one play frame at the heaviest load the tables allow: 100
// enemies, 31 shots (a third of them wave shots), 31 trail pieces, 11
// explosions and both gauges flickering; the simulation steps of the frame and
// drawFrame, with the plain and the packed blend routines.
//
// The frame budget is 20 ms. Targets: packed at most 150 us and at most 8 times
// three plain memory copies of the picture measured in the same run (the floor:
// a frame passes the whole picture about three times); plain at most 200 us.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fake_services.h"
#include "median_reporter.h"
#include "pxmix.h"

namespace {

using game::Form1;

// Start-up as the game runs it; a picture or the blend library missing from
// the program folder ends the benchmark with the game's own message.
bool startUp(fake::Game& g, benchmark::State& state) {
    try {
        g.startUp();
        return true;
    } catch (const platform::ProgramEnd&) {
        const std::string why = g.sv.messages.empty() ? "start-up ended the program" : g.sv.messages.back().text;
        state.SkipWithError(why.c_str());
        return false;
    }
}

// The parts of the state a frame uses up (trail pieces rise and expire,
// explosions age, the freeze counts down, kills fill the gauge), put back
// before every frame so each one sees the full load.
struct Load {
    std::array<int16_t, game::kTrailSlots> trailLane, trailY;
    std::array<int16_t, game::kParticleSlots> particleAge;
    std::array<int16_t, game::kShotSlots> shotTrailFrames;

    void restore(Form1& f) const {
        f.trailLane = trailLane;
        f.trailY = trailY;
        f.particleAge = particleAge;
        f.shotTrailFrames = shotTrailFrames;
        f.gauge = 299;  // the heaviest left gauge: bar and five flickering bands
        f.freezeTimer = 400;
    }
};

Load heaviestLoad(Form1& f) {
    f.difficulty = 3;  // NORMAL: 100 enemies on the field, gauges shown
    f.level = f.bannerLevel = 57;
    const int32_t now = f.now();
    f.frameTick = now;
    f.bannerUntil = game::tickAdd(now, 1500);  // the level-up banner shows

    // Enemies fill the lower field, below every shot, so resolveHits tests
    // all 31 x 101 pairs and kills nobody.
    for (int i = 0; i < 100; ++i) {
        const int16_t lane = static_cast<int16_t>(i % game::kLanes);
        f.enemyLane[i] = lane;
        f.enemyY[i] = 140.0f + 2.1f * i;
        f.enemySpeed[i] = 4;
        f.enemyAccel[i] = 0;
        f.enemyTick[i] = now;
        f.enemyFrame[i] = static_cast<int16_t>(i % 2);
        f.enemyTurnState[i] = 0;
        ++f.laneEnemyCount[lane];
    }
    f.enemyCount = 100;

    // Shots 50 .. 350 ms old: straight ones reach y 21 .. 108, wave ones stay
    // above y 80; moveShots puts them there again every frame.
    for (int i = 0; i < game::kShotSlots; ++i) {
        f.shotLane[i] = static_cast<int16_t>(i % game::kLanes);
        f.shotTick[i] = game::tickAdd(now, -(50 + 10 * i));
        f.shotPower[i] = 1;
        f.shotWave[i] = static_cast<int16_t>(i % 3 == 0);
    }

    Load load;
    for (int t = 0; t < game::kTrailSlots; ++t) {
        load.trailLane[t] = static_cast<int16_t>(t % game::kLanes);
        load.trailY[t] = static_cast<int16_t>(330 - 11 * t);
    }
    for (int k = 0; k < game::kParticleSlots; ++k) {
        f.particleX[k] = static_cast<int16_t>(25 + 30 * k);
        f.particleY[k] = static_cast<int16_t>(150 + 15 * k);
        load.particleAge[k] = static_cast<int16_t>(k);
    }
    // Every wave shot tries to drop a piece each frame and finds the table full.
    load.shotTrailFrames.fill(2);
    load.restore(f);
    return load;
}

// After a frame: nothing died, expired or left, so the next frame is as heavy.
bool stillFull(const Form1& f) {
    auto live = [](const auto& column) {
        int n = 0;
        for (auto v : column) n += v != game::kFreeSlot;
        return n;
    };
    return f.enemyCount == 100 && live(f.enemyLane) == 100 && live(f.shotLane) == game::kShotSlots &&
           live(f.trailLane) == game::kTrailSlots && live(f.particleX) == game::kParticleSlots && f.freezeTimer >= 300;
}

void playFrame(Form1& f) {
    f.moveShots();
    f.resolveHits();
    f.moveEnemies();
    f.ageParticles();
    f.drawFrame();
}

void BM_PlayFrame(benchmark::State& state) {
    fake::Game g;
    if (!startUp(g, state)) return;
    g.f.mmxMode = static_cast<int16_t>(state.range(0));
    const Load load = heaviestLoad(g.f);
    for (auto _ : state) {
        load.restore(g.f);
        playFrame(g.f);
        benchmark::DoNotOptimize(g.f.picMain.pixel(175, 175));
    }
    if (!stillFull(g.f)) state.SkipWithError("the load thinned out: not the heaviest frame");
    state.SetLabel(state.range(0) ? "packed" : "plain");
}
BENCHMARK(BM_PlayFrame)->Arg(0)->Arg(PX_FLAG_MMX)->Unit(benchmark::kMicrosecond);

// The same frame split in two, to see where the time goes.
void BM_SimulationOnly(benchmark::State& state) {
    fake::Game g;
    if (!startUp(g, state)) return;
    const Load load = heaviestLoad(g.f);
    for (auto _ : state) {
        load.restore(g.f);
        g.f.moveShots();
        g.f.resolveHits();
        g.f.moveEnemies();
        g.f.ageParticles();
        benchmark::DoNotOptimize(g.f.shotY.data());
    }
}
BENCHMARK(BM_SimulationOnly)->Unit(benchmark::kMicrosecond);

void BM_DrawFrameOnly(benchmark::State& state) {
    fake::Game g;
    if (!startUp(g, state)) return;
    g.f.mmxMode = static_cast<int16_t>(state.range(0));
    const Load load = heaviestLoad(g.f);
    g.f.moveShots();
    for (auto _ : state) {
        load.restore(g.f);
        g.f.drawFrame();
        benchmark::DoNotOptimize(g.f.picMain.pixel(175, 175));
    }
    state.SetLabel(state.range(0) ? "packed" : "plain");
}
BENCHMARK(BM_DrawFrameOnly)->Arg(0)->Arg(PX_FLAG_MMX)->Unit(benchmark::kMicrosecond);

// A quiet frame (heroine, a few enemies, status only) as the floor.
void BM_DrawFrameQuiet(benchmark::State& state) {
    fake::Game g;
    if (!startUp(g, state)) return;
    g.f.difficulty = 2;
    g.f.level = g.f.bannerLevel = 1;
    for (int i = 0; i < 5; ++i) {
        g.f.enemyLane[i] = static_cast<int16_t>(i);
        g.f.enemyY[i] = 300;
    }
    for (auto _ : state) {
        g.f.drawFrame();
        benchmark::DoNotOptimize(g.f.picMain.pixel(175, 175));
    }
}
BENCHMARK(BM_DrawFrameQuiet)->Unit(benchmark::kMicrosecond);

// The pieces a frame is made of, one at a time, to show where its time goes.
enum Piece { kClear, kFullCopy, kMaskedEnemy, kHeart, kExplosion, kStatus };

void BM_Piece(benchmark::State& state) {
    fake::Game g;
    if (!startUp(g, state)) return;
    Form1& f = g.f;
    heaviestLoad(f);
    const auto piece = static_cast<Piece>(state.range(0));
    for (auto _ : state) {
        switch (piece) {
        case kClear: f.picSUB.cls(); break;
        case kFullCopy:
            BitBlt(f.picMain.hdc(), 0, 0, game::kPlaySize, game::kPlaySize, f.picSUB.hdc(), 0, 0, SRCCOPY);
            break;
        case kMaskedEnemy: f.maskedSprite(100, 200, 32, 46, f.picTEKI, 33, 0, 33, 0); break;
        case kHeart: f.addSprite(150, 150, 25, 22, f.picHRT, 0, 0); break;
        case kExplosion: f.addSprite(150, 150, 38, 38, f.picEXP, 60, 60); break;
        case kStatus:
            f.gauge = 299;
            f.freezeTimer = 400;
            f.drawStatus();
            break;
        }
        benchmark::DoNotOptimize(f.picSUB.pixel(150, 150));
    }
    const char* names[] = {"cls", "350x350 copy", "masked enemy", "heart", "explosion", "status"};
    state.SetLabel(names[piece]);
}
BENCHMARK(BM_Piece)->DenseRange(kClear, kStatus)->Unit(benchmark::kMicrosecond);

// The yardstick: three plain memory copies of a 350 x 350 picture, around three
// pictures as a frame has them (background, back buffer, screen), so they miss
// the caches as the frame's own copies do.
void BM_ThreeCopies(benchmark::State& state) {
    const size_t bytes = size_t{game::kPlaySize} * game::kPlaySize * sizeof(uint32_t);
    std::vector<char> a(bytes, 1), b(bytes, 2), c(bytes, 3);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        std::memcpy(c.data(), b.data(), bytes);
        std::memcpy(a.data(), c.data(), bytes);
        benchmark::DoNotOptimize(a.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ThreeCopies)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    MedianReporter reporter;
    if (!runBenchmarks(argc, argv, reporter)) return 1;

    auto& t = reporter.cpuTime;
    const char* packed = "BM_PlayFrame/256";
    const char* plain = "BM_PlayFrame/0";
    const char* copies = "BM_ThreeCopies";
    if (!t.count(packed) || !t.count(plain) || !t.count(copies)) return 0;
    std::printf("\nheaviest frame (simulation + drawFrame), processor time:\n");
    std::printf("  packed %.1f us (target <= 150 us), plain %.1f us (target <= 200 us)\n", t[packed], t[plain]);
    std::printf("  three memory copies of the picture %.1f us: the packed frame costs %.1f of them (target <= 8)\n",
                t[copies], t[copies] > 0 ? t[packed] / t[copies] : 0.0);
    return 0;
}
