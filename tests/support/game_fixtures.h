// SPDX-License-Identifier: GPL-3.0-or-later
// The game on the fake platform: a seeded game window, program folders of its
// own, and the state invariants the long tests check after every pass.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "fake_services.h"
#include "shell/form1.h"

namespace fake {

// The built program folder's pictures and blend library, with the settings and
// window files in `dataFolder`.
platform::GamePaths builtPaths(const std::string& dataFolder);

// A game window on the fake platform with a fixed seed, reading everything
// from `folder`; without one, its pictures and blend library come from the
// built program folder and its settings file lives in a folder of its own.
struct Game {
    explicit Game(int32_t startTick = 1'000'000, const std::string& folder = "");
    static std::string builtFolder();
    TempFolder scratch;
    FakeServices sv;
    game::Form1 f;

    // Start-up as Form_Load runs it, without entering the main loop.
    void startUp(uint64_t seed = 12345) {
        f.startUp();
        f.rnd.seed(seed);
    }
    // Title -> get-ready -> the first play frame; Space is pressed briefly.
    void startPlaying();
    void frame() { f.runPass(); }
};

// A temporary program folder holding the pictures and the blend library of the
// built one, removed with the object, so no test touches the built folder's
// vnbeam.ini.
struct ProgramFolder : TempFolder {
    ProgramFolder();
    std::string ini() const { return file("vnbeam.ini"); }
    std::string read(const std::string& name = "vnbeam.ini") const;
    void write(const std::string& bytes, const std::string& name = "vnbeam.ini") const;
};

// A game in a program folder of its own; the folder outlives the game.
struct FolderGame {
    ProgramFolder folder;
    Game g{1'000'000, folder.path};
    game::Form1& f = g.f;
};

// The state invariants: every counter equals the live slots it counts, every
// index in its table. Returns the first broken one, or "".
std::string checkInvariants(const game::Form1& f);

// The items of the difficulty menu that carry a check mark (0 ... 7).
std::set<int> checkedDifficultyItems(const game::Form1& f);

}  // namespace fake
