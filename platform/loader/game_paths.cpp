// SPDX-License-Identifier: GPL-3.0-or-later
#include "loader/game_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/regular_file.h"

#ifndef LANEBEAM_DATA_FROM_PROGRAM
#define LANEBEAM_DATA_FROM_PROGRAM "../../share/lanebeam"
#endif

namespace platform {

namespace {

namespace fs = std::filesystem;
namespace files = platform::files;

constexpr const char* kSettingsName = "vnbeam.ini";
constexpr const char* kWindowName = "vnbeam-window.txt";
constexpr const char* kBlendName = "libpxmix.so";
constexpr const char* kOurFolder = "/lanebeam";

bool isFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool absolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

// The base folder of one kind: the variable when it is absolute, else the
// home's default; empty when neither is usable.
std::string baseFolder(const std::string& variable, const std::string& home, const char* underHome) {
    if (absolute(variable)) return variable;
    if (absolute(home)) return home + underHome;
    return "";
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

GamePaths GamePaths::beside(const std::string& folder) {
    GamePaths p;
    p.programFolder = p.assetsFolder = folder;
    p.blendLibrary = folder + "/" + kBlendName;
    p.settingsFile = folder + "/" + kSettingsName;
    p.windowFile = folder + "/" + kWindowName;
    p.place = DataPlace::ProgramFolder;
    return p;
}

std::string GamePaths::asset(std::string_view relative) const { return assetsFolder + "/" + std::string(relative); }

UserFolders userFoldersNow() {
    UserFolders user{env("HOME"), env("XDG_DATA_HOME"), env("XDG_CONFIG_HOME")};
    if (!absolute(user.home)) {
        // A session without HOME (a service, su without -) still has a home.
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) user.home = entry->pw_dir;
    }
    return user;
}

std::string_view installedDataFromProgram() { return LANEBEAM_DATA_FROM_PROGRAM; }

GamePaths resolveGamePaths(const std::string& programFolder, const UserFolders& user,
                           bool (*mayWrite)(const std::string& folder)) {
    GamePaths p = GamePaths::beside(programFolder);
    const std::string installedData = programFolder + "/" + std::string(installedDataFromProgram());
    const bool installed = !isFolder(programFolder + "/pic") && isFolder(installedData + "/pic");
    if (installed) {
        p.assetsFolder = fs::path(installedData).lexically_normal().string();
        p.assetsFolder = withoutTrailingSlashes(p.assetsFolder);
        p.place = DataPlace::UserInstalled;
    } else if (mayWrite ? mayWrite(programFolder) : access(programFolder.c_str(), W_OK) == 0) {
        return p;
    } else {
        p.place = DataPlace::UserReadOnly;
    }

    const std::string data = baseFolder(user.dataHome, user.home, "/.local/share");
    const std::string config = baseFolder(user.configHome, user.home, "/.config");
    p.settingsFile = data.empty() ? "" : withoutTrailingSlashes(data) + kOurFolder + "/" + kSettingsName;
    p.windowFile = config.empty() ? "" : withoutTrailingSlashes(config) + kOurFolder + "/" + kWindowName;
    for (const std::string& folder : {p.programFolder, p.assetsFolder}) {
        const std::string beside = folder + "/" + kSettingsName;
        if (files::isRegularFile(beside)) {
            p.startingSettings = beside;
            break;
        }
    }
    return p;
}

bool makeDataFolders(const GamePaths& paths) {
    if (paths.place == DataPlace::ProgramFolder) return true;
    bool made = true;
    for (const std::string& file : {paths.settingsFile, paths.windowFile}) {
        if (file.empty()) continue;
        const fs::path folder = fs::path(file).parent_path();
        std::error_code error;
        if (fs::is_directory(folder, error)) continue;
        fs::create_directories(folder, error);
        if (error) {
            made = false;
            continue;
        }
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
    }
    return made;
}

}  // namespace platform
