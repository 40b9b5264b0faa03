// vnbeam.ini in the program folder: what start-up takes from it, what the end of
// the run leaves in it, and what a damaged file or a failing disk does.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "game_end_fixture.h"
#include "shell/settings_file.h"
#include "shell/settings_format.h"

namespace {

using endtest::EndGame;
using endtest::ProgramFolder;
namespace fs = std::filesystem;
namespace settings = game::settings;

const std::array<int16_t, 11> kDefaultKeys = {90, 66, 88, 86, 67, 32, 16, 77, 84, 37, 39};

std::array<int16_t, 11> keysOf(const game::Form1& f) {
    return {f.KeyS0, f.KeyS1, f.KeyS2, f.KeyS3, f.KeyS4, f.KeyS5, f.KeyS6, f.KeyS7, f.KeyS8, f.KeyS9, f.KeySA};
}

void expectStartValues(const game::Form1& f) {
    EXPECT_EQ(f.difficulty, 2);
    EXPECT_EQ(f.unlockStage, 2);
    EXPECT_EQ(keysOf(f), kDefaultKeys);
    EXPECT_EQ(f.hiScore, (std::array<int32_t, 5>{}));
    EXPECT_EQ(f.hiName, (std::array<std::string, 5>{}));
    EXPECT_TRUE(f.mnuVoice.checked);
    EXPECT_TRUE(f.mnulv[2].checked);
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string firstLines(const std::string& file, int n) {
    size_t end = 0;
    for (int i = 0; i < n; ++i) end = file.find("\r\n", end) + 2;
    return file.substr(0, end);
}

// A game that has been played a while: every field away from its start value.
void play(game::Form1& f) {
    f.form.left = 3000;
    f.form.top = 1515;
    f.hiScore = {123, 456, 789, 1011, 1213};
    f.hiName = {"ルル子", " 先頭に空白", "末尾に空白 ", "a, b", ""};
    f.KeyS0 = 49;
    f.KeySA = 222;
    f.unlockStage = 6;
    f.difficulty = 4;
    f.mnuVoice.checked = false;
}

TEST(SettingsFile, AMissingFileStartsFromTheStartValues) {
    EndGame e;
    e.g.startUp();
    expectStartValues(e.f);
    EXPECT_EQ(filesIn(e.folder.path), (std::vector<std::string>{"libpxmix.so", "libwinplat.so"}));
}

TEST(SettingsFile, EverythingSurvivesARestart) {
    ProgramFolder folder;
    {
        fake::Game g(1'000'000, folder.path);
        g.startUp();
        play(g.f);
        EXPECT_THROW(g.f.mnuQuit.click(), platform::ProgramEnd);
        EXPECT_TRUE(g.sv.messages.empty()) << "no failure to report";
    }
    fake::Game g(1'000'000, folder.path);
    g.startUp();
    EXPECT_EQ(g.f.form.left, 3000);
    EXPECT_EQ(g.f.form.top, 1515);
    EXPECT_EQ(g.f.hiScore, (std::array<int32_t, 5>{123, 456, 789, 1011, 1213}));
    EXPECT_EQ(g.f.hiName, (std::array<std::string, 5>{"ルル子", " 先頭に空白", "末尾に空白 ", "a, b", ""}));
    auto keys = kDefaultKeys;
    keys[0] = 49;
    keys[10] = 222;
    EXPECT_EQ(keysOf(g.f), keys);
    EXPECT_EQ(g.f.unlockStage, 6);
    EXPECT_EQ(g.f.difficulty, 4);
    EXPECT_TRUE(g.f.mnulv[4].checked);
    EXPECT_FALSE(g.f.mnuVoice.checked);
    EXPECT_TRUE(g.f.mnulv[6].visible) << "the stage opened its menu items";
    EXPECT_FALSE(folder.exists("vnbeam.ini.bad"));
}

TEST(SettingsFile, AFreshInstallationKeepsItsEmptyTableOnTheSecondStart) {
    ProgramFolder folder;
    for (int run = 0; run < 3; ++run) {
        fake::Game g(1'000'000, folder.path);
        g.startUp();
        expectStartValues(g.f);
        EXPECT_THROW(g.f.mnuQuit.click(), platform::ProgramEnd);
    }
}

TEST(SettingsFile, ACheatedTableIsMarkedAndWrittenBackWithAFittingChecksum) {
    ProgramFolder folder;
    settings::SettingsValues v;
    v.keys = kDefaultKeys;
    v.hiScore = {100, 0, 0, 0, 0};
    std::string file = settings::writeSettings(v, {0, "filler"});
    file.replace(file.find(" 100 "), 5, " 900 ");
    folder.write(file);
    {
        fake::Game g(1'000'000, folder.path);
        g.startUp();
        EXPECT_EQ(g.f.hiScore, (std::array<int32_t, 5>{1, 1, 1, 1, 1}));
        EXPECT_EQ(g.f.hiName[3], "卑怯");
        EXPECT_TRUE(g.sv.messages.empty()) << "no message for a cheat";
        EXPECT_FALSE(folder.exists("vnbeam.ini.bad")) << "a cheated file is no damaged one";
        EXPECT_THROW(g.f.mnuQuit.click(), platform::ProgramEnd);
    }
    settings::ReadOutcome again = settings::readSettings(folder.read(), v);
    EXPECT_TRUE(again.ok && again.checksumOk);
}

TEST(SettingsFile, ADamagedFileIsSetAsideAndTheGameStartsAsIfItWereMissing) {
    settings::SettingsValues v;
    v.keys = kDefaultKeys;
    v.hiScore = {5, 5, 5, 5, 5};
    const std::string good = settings::writeSettings(v, {0, "filler"});
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"cut after ten lines", firstLines(good, 10)},
        {"binary garbage", std::string("\x00\xFF\x13\x37garbage\x81", 12)},
        {"a name line far beyond anything real", " 0 0 \r\n 5 \r\n" + std::string(3 << 20, 'x') + "\r\n"},
    };
    for (const Case& c : cases) {
        EndGame e;
        e.folder.write(c.bytes);
        e.g.startUp();
        expectStartValues(e.f);
        EXPECT_FALSE(e.folder.exists("vnbeam.ini")) << c.what;
        EXPECT_EQ(e.folder.read("vnbeam.ini.bad"), c.bytes) << c.what;
        EXPECT_TRUE(e.g.sv.messages.empty()) << c.what;
    }
}

TEST(SettingsFile, AnythingAfterLine15IsIgnoredHoweverLong) {
    EndGame e;
    settings::SettingsValues v;
    v.keys = kDefaultKeys;
    v.difficulty = 1;
    e.folder.write(settings::writeSettings(v, {0, std::string(3 << 20, '\r')}));
    e.g.startUp();
    EXPECT_EQ(e.f.difficulty, 1);
    EXPECT_FALSE(e.folder.exists("vnbeam.ini.bad"));
}

TEST(SettingsFile, KeysAndDifficultyOutOfTheirRangesFallBackAtStartUp) {
    EndGame e;
    settings::SettingsValues v;
    v.keys = kDefaultKeys;
    v.keys[5] = 0;
    v.keys[6] = 255;
    v.keys[7] = 13;
    v.difficulty = 9;
    v.hiScore[0] = 77;
    e.folder.write(settings::writeSettings(v, {0, "filler"}));
    e.g.startUp();
    EXPECT_EQ(e.f.KeyS5, 32);
    EXPECT_EQ(e.f.KeyS6, 16);
    EXPECT_EQ(e.f.KeyS7, 13);
    EXPECT_EQ(e.f.difficulty, 2);
    EXPECT_TRUE(e.f.mnulv[2].checked);
    EXPECT_EQ(e.f.hiScore[0], 77) << "the rest of the file is taken";
}

TEST(SettingsFile, AFailedWriteLeavesTheOldFileWhole) {
    EndGame e;
    e.g.startUp();
    const std::string old = settings::writeSettings(game::currentSettings(e.f), {0, "old"});
    e.folder.write(old);
    play(e.f);

    // A full disk, as seen by the writer: every file may grow to 64 bytes.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = e.f.writeSettingsFile();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(e.folder.read(), old);
    EXPECT_EQ(filesIn(e.folder.path), (std::vector<std::string>{"libpxmix.so", "libwinplat.so", "vnbeam.ini"}))
        << "no temporary file left behind";

    // The unload tells the player, then ends the program all the same.
    setrlimit(RLIMIT_FSIZE, &small);
    std::signal(SIGXFSZ, SIG_IGN);
    bool ended = false;
    try {
        e.f.mnuQuit.click();
    } catch (const platform::ProgramEnd&) {
        ended = true;
    }
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(ended);
    ASSERT_EQ(e.g.sv.messages.size(), 1u);
    EXPECT_EQ(e.g.sv.messages[0].style, platform::kMbCritical);
    EXPECT_EQ(e.folder.read(), old);

    // With room again the same write goes through.
    EXPECT_TRUE(e.f.writeSettingsFile());
    EXPECT_EQ(settings::readSettings(e.folder.read(), {}).values.hiName[0], "ルル子");
}

TEST(SettingsFile, AtomicWriteRefusesAFolderThatIsNotThere) {
    ProgramFolder folder;
    EXPECT_FALSE(game::writeFileAtomically(folder.file("no-such-folder/vnbeam.ini"), "x"));
    EXPECT_FALSE(game::writeFileAtomically(folder.path, "a folder in the way"));
    EXPECT_TRUE(fs::is_directory(folder.path));
    EXPECT_TRUE(game::writeFileAtomically(folder.ini(), "new"));
    EXPECT_TRUE(game::writeFileAtomically(folder.ini(), "newer"));
    EXPECT_EQ(folder.read(), "newer");
}

}  // namespace
