// SPDX-License-Identifier: GPL-3.0-or-later
// Where the game finds its files and keeps the player's: beside a program the
// player may write, in the user's folders for an installed or read-only copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "loader/game_paths.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using platform::DataPlace;

bool writable(const std::string&) { return true; }
bool readOnly(const std::string&) { return false; }

enum class Layout { Flat, Installed };

struct Case {
    const char* name;
    Layout layout;
    bool (*mayWrite)(const std::string&);
    platform::UserFolders user;  // "<s>" stands for the scratch folder
    bool iniBesideProgram;
    DataPlace place;
    const char* settings;  // relative to the scratch folder; "" for none
    const char* window;
    const char* starting;
};

std::string inScratch(const std::string& value, const std::string& scratch) {
    return value.starts_with("<s>") ? scratch + value.substr(3) : value;
}

TEST(GamePaths, ThePlayersFilesGoWhereThePlayerMayWrite) {
    const Case cases[] = {
        {.name = "writable program folder",
         .layout = Layout::Flat,
         .mayWrite = writable,
         .user = {"<s>/home", "<s>/data", "<s>/config"},
         .iniBesideProgram = true,
         .place = DataPlace::ProgramFolder,
         .settings = "/prog/vnbeam.ini",
         .window = "/prog/vnbeam-window.txt",
         .starting = ""},
        {.name = "read-only program folder, XDG set",
         .layout = Layout::Flat,
         .mayWrite = readOnly,
         .user = {"<s>/home", "<s>/data", "<s>/config"},
         .iniBesideProgram = true,
         .place = DataPlace::UserReadOnly,
         .settings = "/data/lanebeam/vnbeam.ini",
         .window = "/config/lanebeam/vnbeam-window.txt",
         .starting = "/prog/vnbeam.ini"},
        {.name = "installed, XDG unset",
         .layout = Layout::Installed,
         .mayWrite = writable,
         .user = {"<s>/home", "", ""},
         .iniBesideProgram = false,
         .place = DataPlace::UserInstalled,
         .settings = "/home/.local/share/lanebeam/vnbeam.ini",
         .window = "/home/.config/lanebeam/vnbeam-window.txt",
         .starting = ""},
        {.name = "installed, XDG relative (ignored)",
         .layout = Layout::Installed,
         .mayWrite = writable,
         .user = {"<s>/home", "data", "./config"},
         .iniBesideProgram = true,
         .place = DataPlace::UserInstalled,
         .settings = "/home/.local/share/lanebeam/vnbeam.ini",
         .window = "/home/.config/lanebeam/vnbeam-window.txt",
         .starting = "/prog/vnbeam.ini"},
        {.name = "installed, XDG with a trailing slash",
         .layout = Layout::Installed,
         .mayWrite = readOnly,
         .user = {"", "<s>/data/", "<s>/config//"},
         .iniBesideProgram = false,
         .place = DataPlace::UserInstalled,
         .settings = "/data/lanebeam/vnbeam.ini",
         .window = "/config/lanebeam/vnbeam-window.txt",
         .starting = ""},
        {.name = "read-only, no home and no XDG",
         .layout = Layout::Flat,
         .mayWrite = readOnly,
         .user = {"", "", "relative"},
         .iniBesideProgram = false,
         .place = DataPlace::UserReadOnly,
         .settings = "",
         .window = "",
         .starting = ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fake::TempFolder scratch;
        const std::string s = scratch.path;
        const std::string program = s + "/prog";
        std::string data = program;
        if (c.layout == Layout::Installed) {
            data = (fs::path(program) / std::string(platform::installedDataFromProgram())).lexically_normal().string();
            while (data.size() > 1 && data.back() == '/') data.pop_back();
        }
        fs::create_directories(program);
        fs::create_directories(data + "/pic");
        if (c.iniBesideProgram) std::ofstream(program + "/vnbeam.ini") << "x";
        const platform::UserFolders user{inScratch(c.user.home, s), inScratch(c.user.dataHome, s),
                                         inScratch(c.user.configHome, s)};

        const platform::GamePaths p = platform::resolveGamePaths(program, user, c.mayWrite);

        EXPECT_EQ(p.place, c.place);
        EXPECT_EQ(p.programFolder, program);
        EXPECT_EQ(p.assetsFolder, data);
        EXPECT_EQ(p.asset("pic/bg.jpg"), data + "/pic/bg.jpg");
        EXPECT_EQ(p.blendLibrary, program + "/libpxmix.so");
        EXPECT_EQ(p.settingsFile, *c.settings ? s + c.settings : "");
        EXPECT_EQ(p.windowFile, *c.window ? s + c.window : "");
        EXPECT_EQ(p.startingSettings, *c.starting ? s + c.starting : "");
    }
}

TEST(GamePaths, TheUsersFoldersAreMadePrivateAndOnlyForThem) {
    const fake::TempFolder scratch;
    const std::string s = scratch.path;
    fs::create_directories(s + "/prog/pic");
    const platform::UserFolders user{s + "/home", "", ""};

    EXPECT_TRUE(platform::makeDataFolders(platform::resolveGamePaths(s + "/prog", user, writable)));
    EXPECT_FALSE(fs::exists(s + "/home")) << "a writable program folder needs no folder of the user's";

    EXPECT_TRUE(platform::makeDataFolders(platform::resolveGamePaths(s + "/prog", user, readOnly)));
    const fs::perms made = fs::status(s + "/home/.local/share/lanebeam").permissions();
    EXPECT_EQ(made & fs::perms::all, fs::perms::owner_all);
    EXPECT_TRUE(fs::is_directory(s + "/home/.config/lanebeam"));
}

}  // namespace
