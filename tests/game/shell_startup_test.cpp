// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the menus the unlock stage opens, and a broken program folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "game_fixtures.h"

namespace {

// What the unlock stage offers in the menus.
struct Offered {
    bool normal = false, expert = false;                                // enabled
    bool golden = false, fever = false, sudden = false, debug = false;  // visible
    bool operator==(const Offered&) const = default;
};

void PrintTo(const Offered& o, std::ostream* os) {
    *os << "{normal " << o.normal << ", expert " << o.expert << ", golden " << o.golden << ", fever " << o.fever
        << ", sudden " << o.sudden << ", debug " << o.debug << "}";
}

// The stage opens its menus with >= tests; Shift opens everything, the debug
// menu too, for this run only: the stored stage stays.
TEST(ShellStartUp, UnlockStageAndShift) {
    constexpr Offered kUpToSudden{.normal = true, .expert = true, .golden = true, .fever = true, .sudden = true};
    struct Case {
        int16_t stage;
        bool shift;
        Offered offered;
    };
    const Case cases[] = {
        {.stage = 2, .shift = false, .offered = {}},
        {.stage = 3, .shift = false, .offered = {.normal = true}},
        {.stage = 4, .shift = false, .offered = {.normal = true, .expert = true}},
        {.stage = 5, .shift = false, .offered = {.normal = true, .expert = true, .golden = true}},
        {.stage = 6, .shift = false, .offered = {.normal = true, .expert = true, .golden = true, .fever = true}},
        {.stage = 7, .shift = false, .offered = kUpToSudden},
        {.stage = 42, .shift = false, .offered = kUpToSudden},
        {.stage = 2,
         .shift = true,
         .offered = {.normal = true, .expert = true, .golden = true, .fever = true, .sudden = true, .debug = true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << (c.shift ? " with Shift" : ""));
        fake::FolderGame g;  // no settings file: stage 2
        g.g.sv.keyScript = [&](int vk, int32_t) { return c.shift && vk == 16; };
        g.f.startUp();
        g.f.applyUnlockStage(c.stage);
        const auto& m = g.f.mnulv;
        const Offered offered{.normal = m[3].enabled,
                              .expert = m[4].enabled,
                              .golden = m[5].visible,
                              .fever = m[6].visible,
                              .sudden = m[7].visible,
                              .debug = g.f.mnuDBG.visible};
        EXPECT_EQ(offered, c.offered);
        EXPECT_EQ(g.f.unlockStage, 2) << "the stored stage";
    }
}

// A broken file beside the program ends start-up with a box naming it, never
// with a crash or a hang (the alarm turns a hang into a failure).
TEST(ShellStartUp, BrokenFilesAreToldAndEndWithFailure) {
    enum class Damage { kRemoved, kFifo, kEmptied, kCutShort };
    struct Case {
        const char* file;
        Damage damage;
        const char* told;  // the box's first line
    };
    const Case cases[] = {
        {.file = "pic/bg.jpg", .damage = Damage::kRemoved, .told = "画像ファイルを読み込めませんでした。"},
        {.file = "pic/number.gif", .damage = Damage::kFifo, .told = "画像ファイルを読み込めませんでした。"},
        {.file = "pic/title.jpg", .damage = Damage::kEmptied, .told = "画像ファイルを読み込めませんでした。"},
        {.file = "libpxmix.so", .damage = Damage::kCutShort, .told = "描画ライブラリを読み込めませんでした。"},
    };
    ::alarm(20);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        fake::ProgramFolder folder;
        const std::string path = folder.file(c.file);
        switch (c.damage) {
        case Damage::kRemoved: std::filesystem::remove(path); break;
        case Damage::kFifo:
            std::filesystem::remove(path);
            ::mkfifo(path.c_str(), 0644);
            break;
        case Damage::kEmptied: std::filesystem::resize_file(path, 0); break;
        case Damage::kCutShort: std::filesystem::resize_file(path, 20000); break;
        }
        fake::Game g(1000, folder.path);
        EXPECT_THROW(g.f.startUp(), platform::ProgramEnd);
        EXPECT_EQ(g.sv.endStatus, 1);
        ASSERT_EQ(g.sv.messages.size(), 1u);
        EXPECT_EQ(g.sv.messages[0].style, platform::kMbCritical);
        EXPECT_TRUE(g.sv.messages[0].text.starts_with(std::string(c.told) + "\r\n" + path)) << g.sv.messages[0].text;
    }
    ::alarm(0);
}

}  // namespace
