// Program folders of their own for the settings-file and game-end tests, so no
// test reads or writes the vnbeam.ini of the built program folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "fake_services.h"

namespace endtest {

namespace fs = std::filesystem;

// A temporary program folder holding the pictures and the blend library of the
// built one, removed with the object.
struct ProgramFolder {
    ProgramFolder() {
        std::string pattern = (fs::temp_directory_path() / "lanebeam-end-XXXXXX").string();
        if (char* made = mkdtemp(pattern.data())) path = made;
        const fs::path bin = fake::Game::defaultFolder();
        std::error_code ec;
        fs::copy(bin / "pic", fs::path(path) / "pic", fs::copy_options::recursive, ec);
        for (const char* lib : {"libpxmix.so", "libwinplat.so"}) fs::copy_file(bin / lib, fs::path(path) / lib, ec);
    }
    ~ProgramFolder() {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    std::string file(const std::string& name) const { return (fs::path(path) / name).string(); }
    std::string ini() const { return file("vnbeam.ini"); }
    bool exists(const std::string& name) const { return fs::exists(file(name)); }

    std::string read(const std::string& name = "vnbeam.ini") const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void write(const std::string& bytes, const std::string& name = "vnbeam.ini") const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }

    std::string path;
};

// A game in a folder of its own; the folder outlives the game.
struct EndGame {
    ProgramFolder folder;
    std::unique_ptr<fake::Game> game = std::make_unique<fake::Game>(1'000'000, folder.path);
    fake::Game& g = *game;
    game::Form1& f = g.f;
};

}  // namespace endtest
