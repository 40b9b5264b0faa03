// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the game reads or writes, decided once at start: where its
// pictures, sounds and help page are, which blend library it binds, and where
// the player's settings and window size live.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Where the player's files are kept.
enum class DataPlace {
    ProgramFolder,  // beside the program, whose folder the player can write
    UserInstalled,  // the user's folders: the program is installed (normal)
    UserReadOnly,   // the user's folders: the program's own folder cannot be written
};

struct GamePaths {
    std::string programFolder;  // lanebeam-game and its two libraries
    std::string assetsFolder;   // pic/, vrnvoice/, readme.html
    std::string blendLibrary;
    std::string settingsFile;      // vnbeam.ini; empty when there is nowhere to keep it
    std::string windowFile;        // vnbeam-window.txt; empty likewise
    std::string startingSettings;  // a vnbeam.ini beside the program, read while settingsFile is missing
    DataPlace place = DataPlace::ProgramFolder;

    // Everything in one folder, as in the build's program folder.
    static GamePaths beside(const std::string& folder);
    std::string asset(std::string_view relative) const;
};

// What the rule looks at besides the folders themselves; tests fill it.
struct UserFolders {
    std::string home;        // $HOME, or the password database's home when that is unset
    std::string dataHome;    // $XDG_DATA_HOME as set (maybe empty or relative)
    std::string configHome;  // $XDG_CONFIG_HOME as set
};

UserFolders userFoldersNow();

// The data folder of an installed copy, relative to the folder of lanebeam-game.
std::string_view installedDataFromProgram();

// A program folder with pic/ beside the program keeps everything there while
// the player may write it; one without it is an installed copy whose pictures
// lie at installedDataFromProgram(). Installed or read-only copies keep the
// settings in $XDG_DATA_HOME/lanebeam and the window size in
// $XDG_CONFIG_HOME/lanebeam (relative values ignored, as the base-directory
// rules say; ~/.local/share and ~/.config by default).
// `mayWrite` tells whether the player may write a folder (access(), by default).
GamePaths resolveGamePaths(const std::string& programFolder, const UserFolders& user,
                           bool (*mayWrite)(const std::string& folder) = nullptr);

// Creates the folders that hold settingsFile and windowFile (private to the
// user, as the base-directory rules ask); false when one cannot be made.
bool makeDataFolders(const GamePaths& paths);

}  // namespace platform
