// SPDX-License-Identifier: GPL-3.0-or-later
// The main loop's key polling, on the fake platform. The scenes, the frame
// period and resetGame are pinned by the whole-game pictures and checked after
// every pass of the long play.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "game_fixtures.h"
#include "shell/play_keys.h"

namespace {

using fake::Game;
using game::Form1;

// Play frames scripted one token a frame, naming the keys held through it: a-e
// the lane keys S0-S4, F fire, V, W and T the volley, wave and freeze keys, L
// and R the arrows, "." and "*" none; a count repeats the token. A leading "*"
// turns GOLDEN FINGER on. On EXPERT, so kills leave the gauge alone. Rows: the
// later lane key in poll order wins; an arrow steps once while held, wrapping,
// the left one polled first and latching; one shot per press; a press during
// the pose fired after it; arrows wait while a shot is pending, but not for the
// wave shots; GOLDEN FINGER fires with a quick pose on every lane change; each
// special once per press, from its cost on.
TEST(ShellKeys, PollOrderLatchesAndPendingShots) {
    struct Case {
        const char* script;
        int16_t startLane;
        int32_t gauge = 0;
        int16_t lane;    // where the heroine and the cursor end
        int grants = 0;  // shots granted
        int32_t gaugeAfter = 0;
    };
    const Case cases[] = {
        {.script = "a .", .startLane = 2, .lane = 0},
        {.script = "ab .", .startLane = 2, .lane = 4},
        {.script = "bc .", .startLane = 2, .lane = 1},
        {.script = "cd .", .startLane = 2, .lane = 3},
        {.script = "de .", .startLane = 0, .lane = 2},
        {.script = "L5 .", .startLane = 0, .lane = 4},
        {.script = "R2 .", .startLane = 4, .lane = 0},
        {.script = "LR3 .", .startLane = 0, .lane = 4},
        {.script = "F40", .startLane = 2, .lane = 2, .grants = 1},
        {.script = "F . F .25", .startLane = 2, .lane = 2, .grants = 2},
        {.script = "FR .", .startLane = 2, .lane = 2, .grants = 1},
        {.script = "FL .", .startLane = 2, .lane = 2, .grants = 1},
        {.script = "WR .", .startLane = 2, .gauge = 100, .lane = 3},
        {.script = "* a .5 b .5 c .5", .startLane = 2, .lane = 1, .grants = 3},
        {.script = "V40", .startLane = 2, .gauge = 100, .lane = 2, .gaugeAfter = 50},
        {.script = "V", .startLane = 2, .gauge = 50, .lane = 2, .gaugeAfter = 0},
        {.script = "V", .startLane = 2, .gauge = 49, .lane = 2, .gaugeAfter = 49},
        {.script = "W40", .startLane = 2, .gauge = 200, .lane = 2, .gaugeAfter = 100},
        {.script = "W", .startLane = 2, .gauge = 99, .lane = 2, .gaugeAfter = 99},
        {.script = "W", .startLane = 2, .gauge = 100, .lane = 2, .gaugeAfter = 0},
        {.script = "T40", .startLane = 2, .gauge = 50, .lane = 2, .gaugeAfter = 25},
        {.script = "T", .startLane = 2, .gauge = 25, .lane = 2, .gaugeAfter = 0},
        {.script = "T", .startLane = 2, .gauge = 24, .lane = 2, .gaugeAfter = 24},
    };
    constexpr std::string_view names = "abcdeFVWTLR";  // the rows of the key table
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Game g;
        g.startUp();
        g.startPlaying();
        g.f.heroLane = c.startLane;
        g.f.cursorLane = c.startLane;
        g.f.difficulty = 4;
        g.f.gauge = c.gauge;
        g.f.mnulv[5].checked = c.script[0] == '*';
        int grants = 0;
        std::set<int> held;
        g.sv.keyScript = [&](int vk, int32_t) { return held.contains(vk); };
        std::istringstream script(c.script);
        for (std::string token; script >> token;) {
            const size_t count = token.find_first_of("0123456789");
            for (int k = 0; k < (count == std::string::npos ? 1 : std::stoi(token.substr(count))); ++k) {
                held.clear();
                for (char key : token.substr(0, count))
                    if (key != '.' && key != '*') held.insert(g.f.*game::kPlayKeys.at(names.find(key)).code);
                const int16_t before = g.f.firing;
                g.frame();
                grants += before == 0 && g.f.firing == 1;
            }
        }
        EXPECT_EQ(g.f.heroLane, c.lane);
        EXPECT_EQ(g.f.cursorLane, c.lane);
        EXPECT_EQ(grants, c.grants);
        EXPECT_EQ(g.f.gauge, c.gaugeAfter);
    }
}

// Space starts a game from the title, but not while the key dialog is open:
// there it presses a button or is the key being chosen.
TEST(ShellKeys, SpaceStartsFromTheTitleOnlyWithoutTheKeyDialog) {
    for (const bool dialogOpen : {true, false}) {
        Game g;
        g.startUp();
        if (dialogOpen) g.f.mnuKeys_Click();
        g.sv.holds.push_back({32, g.sv.clock, game::tickAdd(g.sv.clock, 100)});
        g.f.titleScene();
        EXPECT_EQ(g.f.scene, dialogOpen ? game::kTitleScene : game::kGetReadyScene) << dialogOpen;
    }
}

}  // namespace
