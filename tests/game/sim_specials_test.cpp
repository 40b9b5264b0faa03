#include <algorithm>
#include <string>
#include <vector>

#include "sim_fixture.h"

using simtest::Sim;

namespace {

TEST(SimSpecials, VolleyFillsFreeSlotsAndAlwaysCostsFifty) {
    struct Case {
        int liveBefore;
        std::vector<int16_t> newLanes;
    } cases[] = {{0, {0, 1, 2, 3, 4}}, {28, {0, 1, 2}}, {29, {0, 1}}, {31, {}}};
    for (const auto& c : cases) {
        Sim s;
        for (int k = 0; k < c.liveBefore; ++k) s.placeShot(4, 100);
        s.f.gauge = 50;
        s.g.sv.advance(7);
        s.f.fireVolley();
        EXPECT_EQ(s.f.gauge, 0);
        EXPECT_EQ(s.liveShots(), c.liveBefore + static_cast<int>(c.newLanes.size()));
        for (size_t k = 0; k < c.newLanes.size(); ++k) {
            const int i = c.liveBefore + static_cast<int>(k);
            EXPECT_EQ(s.f.shotLane[i], c.newLanes[k]);
            EXPECT_EQ(s.f.shotWave[i], 0);
            EXPECT_EQ(s.f.shotPower[i], 1);
            EXPECT_EQ(s.f.shotTick[i], s.g.sv.clock);
        }
    }
}

TEST(SimSpecials, WaveShotsInTheHeroineLane) {
    for (int liveBefore : {0, 30}) {
        Sim s;
        for (int k = 0; k < liveBefore; ++k) s.placeShot(0, 100);
        s.f.heroLane = 3;
        s.f.gauge = 120;
        s.f.fireWaveShots();
        EXPECT_EQ(s.f.gauge, 20);
        EXPECT_EQ(s.liveShots(), std::min(liveBefore + 2, game::kShotSlots));
        for (int i = liveBefore; i < s.liveShots(); ++i) {
            EXPECT_EQ(s.f.shotLane[i], 3);
            EXPECT_EQ(s.f.shotWave[i], 1);
            EXPECT_EQ(s.f.shotTrailFrames[i], 0);
        }
    }
}

TEST(SimSpecials, EachPlaysItsVoiceOnlyWithTheVoiceOption) {
    struct Case {
        void (game::Form1::*op)();
        const char* voice;
        int32_t cost;
    } cases[] = {{&game::Form1::fireVolley, "vrnvoice/voice3.wav", 50},
                 {&game::Form1::fireWaveShots, "vrnvoice/voice4.wav", 100},
                 {&game::Form1::freezeEnemies, "vrnvoice/voice2.wav", 25}};
    for (const auto& c : cases) {
        for (bool voice : {true, false}) {
            Sim s;
            s.f.mnuVoice.checked = voice;
            s.f.gauge = 1000;
            (s.f.*c.op)();
            EXPECT_EQ(s.f.gauge, 1000 - c.cost);
            ASSERT_EQ(s.g.sv.sounds.size(), voice ? 1u : 0u) << c.voice;
            if (voice) {
                const std::string& path = s.g.sv.sounds[0];
                EXPECT_EQ(path.substr(path.size() - std::string(c.voice).size()), c.voice);
            }
        }
    }
}

}  // namespace
