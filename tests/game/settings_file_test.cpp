// vnbeam.ini in the program folder: what start-up takes from it, what the end of
// the run leaves in it, and what a damaged file or a failing disk does.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "game_end_fixture.h"
#include "shell/settings_file.h"

namespace {

using endtest::EndGame;
using endtest::ProgramFolder;
namespace settings = game::settings;

void expectStartValues(const game::Form1& f) {
    EXPECT_TRUE(f.difficulty == 2 && f.mnulv[2].checked && f.unlockStage == 2 && f.mnuVoice.checked);
    EXPECT_TRUE(f.KeyS0 == 90 && f.KeySA == 39 && f.hiScore == (std::array<int32_t, 5>{}) &&
                f.hiName == (std::array<std::string, 5>{}));
}

const std::array<std::string, 5> kNames = {"ルル子", " 先頭に空白", "末尾に空白 ", "a, b", ""};

TEST(SettingsFile, EverythingSurvivesARestartAndAFreshTableStaysClean) {
    ProgramFolder folder;
    for (int run = 0; run < 3; ++run) {
        fake::Game g(1'000'000, folder.path);
        g.startUp();
        if (run == 2) {
            EXPECT_TRUE(g.f.form.left == 3000 && g.f.hiScore == (std::array<int32_t, 5>{1, 2, 3, 4, 5}) && g.f.hiName == kNames);
            EXPECT_TRUE(g.f.KeySA == 222 && g.f.unlockStage == 6 && g.f.difficulty == 4 && g.f.mnulv[4].checked);
            EXPECT_FALSE(g.f.mnuVoice.checked);
            EXPECT_TRUE(g.f.mnulv[6].visible) << "the stage opened its menu items";
            break;
        }
        expectStartValues(g.f);  // the second start too: a fresh table is not taken for cheating
        if (run == 1) {
            g.f.form.left = 3000;
            g.f.hiScore = {1, 2, 3, 4, 5};
            g.f.hiName = kNames;
            g.f.KeySA = 222;
            g.f.unlockStage = 6;
            g.f.difficulty = 4;
            g.f.mnuVoice.checked = false;
        }
        EXPECT_THROW(g.f.mnuQuit.click(), platform::ProgramEnd);
        EXPECT_TRUE(g.sv.messages.empty()) << "no failure to report";
    }
}

TEST(SettingsFile, ADamagedFileIsSetAsideAndTheGameStartsAsIfItWereMissing) {
    for (const std::string& bytes : {std::string(), std::string(" 0 0 \r\n 5 \r\n 5 \r\n Bob \r\n"),
                                     " 0 0 \r\n 5 \r\n" + std::string(3 << 20, 'x') + "\r\n"}) {
        EndGame e;
        e.folder.write(bytes);
        e.g.startUp();
        expectStartValues(e.f);
        EXPECT_TRUE(!e.folder.exists("vnbeam.ini") && e.folder.read("vnbeam.ini.bad") == bytes && e.g.sv.messages.empty());
    }
}

// A full disk as the writer sees it: no file may grow beyond 64 bytes.
template <typename F>
void onAFullDisk(F&& f) {
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{64, before.rlim_max};
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    f();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
}

TEST(SettingsFile, AFailedWriteLeavesTheOldFileWholeAndIsReportedAtTheEnd) {
    EndGame e;
    e.g.startUp();
    const std::string old = settings::writeSettings(game::currentSettings(e.f), {0, "old"});
    e.folder.write(old);
    e.f.hiName[0] = "ルル子";
    onAFullDisk([&] { EXPECT_FALSE(e.f.writeSettingsFile()); });
    EXPECT_EQ(e.folder.read(), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(e.folder.path), {}), 4)
        << "pic, two libraries, vnbeam.ini: no temporary file";

    onAFullDisk([&] { EXPECT_THROW(e.f.mnuQuit.click(), platform::ProgramEnd); });
    ASSERT_EQ(e.g.sv.messages.size(), 1u);
    EXPECT_EQ(e.g.sv.messages[0].style, platform::kMbCritical) << "the player is told before the program ends";
    EXPECT_EQ(e.folder.read(), old);
}

}  // namespace
