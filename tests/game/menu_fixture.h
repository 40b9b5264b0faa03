// Shared helpers of the menu and dialog tests: program folders of their own,
// so a test that quits never writes into the built one.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "fake_services.h"

namespace menutest {

namespace fs = std::filesystem;

// A fresh empty folder, removed with the object.
struct TempFolder {
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "lanebeam-menu-XXXXXX").string();
        if (char* made = mkdtemp(pattern.data())) path = made;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // A copy of the built program folder without its settings file, for
    // runs that start up and end like the real program.
    static void fillWithProgram(const std::string& to) {
        fs::copy(fake::Game::defaultFolder(), to, fs::copy_options::recursive);
        std::error_code ignored;
        fs::remove(fs::path(to) / "vnbeam.ini", ignored);
    }
    std::string path;
};

// Runs the quit command, which ends the program by unwinding.
inline void quit(fake::Game& g) {
    EXPECT_THROW(g.f.mnuQuit.click(), platform::ProgramEnd);
}

}  // namespace menutest
