// The main loop's scenes, key polling and caption, and the start-up, on the
// fake platform. The frame period and resetGame are checked after every pass
// of the long play.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "fake_services.h"

namespace {

using fake::Game;
using game::Form1;

TEST(ShellStart, TitleGoesThroughGetReadyIntoPlay) {
    Game g;
    g.startUp();
    for (int i = 0; i < 20; ++i) g.f.runPass();
    EXPECT_EQ(g.f.scene, 0) << "no key, no game";
    g.sv.holds.push_back({32, g.sv.clock, game::tickAdd(g.sv.clock, 30)});
    g.f.runPass();
    EXPECT_EQ(g.f.scene, 1);
    const int32_t before = g.sv.clock;
    g.f.runPass();
    // The opening box (250 ms) and READY (500 ms) take their time.
    EXPECT_EQ(std::tuple(g.f.scene, game::tickDiff(g.sv.clock, before) >= 750, g.f.mnuLevel.enabled, g.f.mnuHS.enabled),
              std::tuple(2, true, false, false));
    EXPECT_EQ(g.sv.captions.back(), "****|||| EASY GAME ||||****");
    EXPECT_EQ(g.sv.sounds, std::vector{g.f.filePath("vrnvoice/voice1.wav")});
}

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
                          {"W", 2, 99, 2, 0, 99},    {"T40", 2, 50, 2, 0, 25},
                          {"T", 2, 25, 2, 0, 0},     {"T", 2, 24, 2, 0, 24}};
    const std::array keys = {&Form1::KeyS0, &Form1::KeyS1, &Form1::KeyS2, &Form1::KeyS3, &Form1::KeyS4, &Form1::KeyS5,
                             &Form1::KeyS6, &Form1::KeyS7, &Form1::KeyS8, &Form1::KeyS9, &Form1::KeySA};
    constexpr std::string_view names = "abcdeFVWTLR";
    for (const auto& c : cases) {
        Game g;
        g.startUp();
        g.startPlaying();
        g.f.difficulty = 4;
        g.f.heroLane = g.f.cursorLane = c.startLane;
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
                    if (key != '.' && key != '*') held.insert(g.f.*keys.at(names.find(key)));
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

TEST(ShellFrames, FpsCaptionOncePerSecond) {
    Game g;
    g.startUp();
    g.startPlaying();
    g.f.mnuFPS.checked = true;
    for (int i = 0; i < 160; ++i) g.frame();
    // The count restarts at 1, so fifty frames a second read 51.
    EXPECT_EQ(g.sv.captions.back(), "FPS:51");
    g.f.mnuFPS.checked = false;
    const size_t seen = g.sv.captions.size();
    for (int i = 0; i < 120; ++i) g.frame();
    EXPECT_EQ(g.sv.captions.size(), seen) << "unchecked, the caption keeps its last text";
}

TEST(ShellTitle, StampCycleWipesAfterTheFortySeventhStamp) {
    Game g;
    g.startUp();
    const QImage title = g.f.picMain.image();
    for (int stamp = 1; stamp <= 47; ++stamp) {
        // A draw of 0.999 beats any odds below it: a stamp on every pass.
        g.f.rnd.queue({0.999f, 0.5f, 0.5f});
        g.f.titleScene();
        EXPECT_NEAR(g.f.titleStampOdds, stamp < 47 ? 0.99 - 0.003 * stamp : 0.99, 1e-9);
    }
    EXPECT_EQ(g.f.picMain.image(), title) << "the wipe shows the plain title again";
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
        fake::ProgramFolder folder;  // no settings file: stage 2
        Game g(1'000'000, folder.path);
        g.sv.keyScript = [&](int vk, int32_t) { return c.shift && vk == 16; };
        g.f.startUp();
        g.f.applyUnlockStage(c.stage);
        const auto& m = g.f.mnulv;
        const std::array open{m[3].enabled, m[4].enabled, m[5].visible, m[6].visible, m[7].visible, g.f.mnuDBG.visible};
        EXPECT_EQ(open, c.open) << c.stage;
        EXPECT_EQ(g.f.unlockStage, 2);
    }
}

// A broken file beside the program ends start-up with a box naming it, never
// with a crash or a hang (the alarm turns a hang into a failure).
TEST(ShellStartUp, BrokenFilesAreToldAndEndWithFailure) {
    struct Case {
        const char* file;
        std::function<void(const std::string& path)> breakIt;
        const char* told;
    } cases[] = {
        {"pic/bg.jpg", [](const std::string& p) { std::filesystem::remove(p); },
         "画像ファイルを読み込めませんでした。"},
        {"pic/number.gif", [](const std::string& p) { std::filesystem::remove(p), ::mkfifo(p.c_str(), 0644); },
         "画像ファイルを読み込めませんでした。"},
        {"pic/title.jpg", [](const std::string& p) { std::filesystem::resize_file(p, 0); },
         "画像ファイルを読み込めませんでした。"},
        {"libpxmix.so", [](const std::string& p) { std::filesystem::resize_file(p, 20000); },
         "描画ライブラリを読み込めませんでした。"},
    };
    ::alarm(20);
    for (const Case& c : cases) {
        fake::ProgramFolder folder;
        c.breakIt(folder.file(c.file));
        Game g(1000, folder.path);
        EXPECT_THROW(g.f.startUp(), platform::ProgramEnd);
        ASSERT_EQ(std::tuple(g.sv.endStatus, g.sv.messages.size()), std::tuple(1, 1u)) << c.file;
        EXPECT_EQ(g.sv.messages[0].style, platform::kMbCritical);
        EXPECT_TRUE(g.sv.messages[0].text.starts_with(std::string(c.told) + "\r\n" + folder.file(c.file)))
            << g.sv.messages[0].text;
    }
    ::alarm(0);
}

}  // namespace
