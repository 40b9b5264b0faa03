// The main loop's key polling and the start-up's unlocked menus, on the fake
// platform. The scenes, the frame period and resetGame are pinned by the
// whole-game pictures and checked after every pass of the long play.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>

#include "fake_services.h"
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
        int32_t gauge;
        int16_t lane;
        int grants;
        int32_t gaugeAfter;
    };
    const Case cases[] = {{"a .", 2, 0, 0, 0, 0},    {"ab .", 2, 0, 4, 0, 0},
                          {"bc .", 2, 0, 1, 0, 0},   {"cd .", 2, 0, 3, 0, 0},
                          {"de .", 0, 0, 2, 0, 0},   {"L5 .", 0, 0, 4, 0, 0},
                          {"R2 .", 4, 0, 0, 0, 0},   {"LR3 .", 0, 0, 4, 0, 0},
                          {"F40", 2, 0, 2, 1, 0},    {"F . F .25", 2, 0, 2, 2, 0},
                          {"FR .", 2, 0, 2, 1, 0},   {"FL .", 2, 0, 2, 1, 0},
                          {"WR .", 2, 100, 3, 0, 0}, {"* a .5 b .5 c .5", 2, 0, 1, 3, 0},
                          {"V40", 2, 100, 2, 0, 50}, {"V", 2, 50, 2, 0, 0},
                          {"V", 2, 49, 2, 0, 49},    {"W40", 2, 200, 2, 0, 100},
                          {"W", 2, 99, 2, 0, 99},    {"W", 2, 100, 2, 0, 0},
                          {"T40", 2, 50, 2, 0, 25},  {"T", 2, 25, 2, 0, 0},
                          {"T", 2, 24, 2, 0, 24}};
    constexpr std::string_view names = "abcdeFVWTLR";  // the rows of the key table
    for (const auto& c : cases) {
        Game g;
        g.startUp(), g.startPlaying();
        g.f.heroLane = g.f.cursorLane = c.startLane;
        g.f.difficulty = 4, g.f.gauge = c.gauge;
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
        EXPECT_EQ(std::tuple(g.f.heroLane, g.f.cursorLane, grants, g.f.gauge),
                  std::tuple(c.lane, c.lane, c.grants, c.gaugeAfter))
            << c.script;
    }
}

// The stage opens its menus with >= tests; Shift opens everything, the debug
// menu too, for this run only: the stored stage stays.
TEST(ShellStartUp, UnlockStageAndShift) {
    struct Case {
        int16_t stage;
        bool shift;
        std::array<bool, 6> open;
    } cases[] = {{2, false, {}},
                 {3, false, {1}},
                 {4, false, {1, 1}},
                 {5, false, {1, 1, 1}},
                 {6, false, {1, 1, 1, 1}},
                 {7, false, {1, 1, 1, 1, 1}},
                 {42, false, {1, 1, 1, 1, 1}},
                 {2, true, {1, 1, 1, 1, 1, 1}}};
    for (const auto& c : cases) {
        fake::FolderGame g;  // no settings file: stage 2
        g.g.sv.keyScript = [&](int vk, int32_t) { return c.shift && vk == 16; };
        g.f.startUp();
        g.f.applyUnlockStage(c.stage);
        const auto& m = g.f.mnulv;
        const std::array open{m[3].enabled, m[4].enabled, m[5].visible, m[6].visible, m[7].visible, g.f.mnuDBG.visible};
        EXPECT_EQ(std::tuple(open, g.f.unlockStage), std::tuple(c.open, 2)) << c.stage;
    }
}

// A broken file beside the program ends start-up with a box naming it, never
// with a crash or a hang (the alarm turns a hang into a failure).
TEST(ShellStartUp, BrokenFilesAreToldAndEndWithFailure) {
    // r: removed, f: a FIFO in its place, 0: emptied, c: cut short.
    const std::tuple<const char*, char> cases[] = {
        {"pic/bg.jpg", 'r'}, {"pic/number.gif", 'f'}, {"pic/title.jpg", '0'}, {"libpxmix.so", 'c'}};
    ::alarm(20);
    for (const auto& [file, how] : cases) {
        fake::ProgramFolder folder;
        const std::string path = folder.file(file);
        if (how == 'r' || how == 'f') std::filesystem::remove(path);
        if (how == 'f') ::mkfifo(path.c_str(), 0644);
        if (how == '0' || how == 'c') std::filesystem::resize_file(path, how == 'c' ? 20000 : 0);
        Game g(1000, folder.path);
        EXPECT_THROW(g.f.startUp(), platform::ProgramEnd);
        ASSERT_EQ(std::tuple(g.sv.endStatus, g.sv.messages.size()), std::tuple(1, 1u)) << file;
        const std::string told =
            how == 'c' ? "描画ライブラリを読み込めませんでした。" : "画像ファイルを読み込めませんでした。";
        EXPECT_TRUE(g.sv.messages[0].style == platform::kMbCritical &&
                    g.sv.messages[0].text.starts_with(told + "\r\n" + path))
            << g.sv.messages[0].text;
    }
    ::alarm(0);
}

}  // namespace

namespace {

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
