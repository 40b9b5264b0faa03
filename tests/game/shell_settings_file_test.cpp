// SPDX-License-Identifier: GPL-3.0-or-later
// vnbeam.ini in the program folder: what start-up takes from it, what the end of
// the run leaves in it, and what hostile files, a failing disk and a kill in the
// middle of a save do.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "game_fixtures.h"
#include "shell/settings_file.h"
#include "text/cp932.h"

namespace {

using EndGame = fake::FolderGame;
using fake::ProgramFolder;
namespace settings = game::settings;
namespace fs = std::filesystem;

// Permissions only hold for a player who is not root: the game runs as nobody
// while the tests run as root.
struct AsPlayer {
    const bool root = ::geteuid() == 0;
    AsPlayer() {
        if (root && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) ADD_FAILURE() << "cannot become nobody";
    }
    ~AsPlayer() {
        if (root && (::seteuid(0) != 0 || ::setegid(0) != 0)) std::abort();
    }
};

// What is at a path, and what it holds, as one comparable text.
std::string fingerprint(const fs::path& p) {
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(p, ec).type();
    std::string print = std::to_string(static_cast<int>(type));
    if (type == fs::file_type::symlink) print += fs::read_symlink(p).string() + fingerprint(fs::canonical(p, ec));
    for (const auto& e : fs::directory_iterator(p, ec)) print += " " + e.path().filename().string();
    std::ifstream in(type == fs::file_type::regular ? p : fs::path(), std::ios::binary);
    return print + std::to_string(std::hash<std::string>()(std::string(std::istreambuf_iterator<char>(in), {})));
}

std::map<std::string, std::string> snapshot(const ProgramFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder.path)) {
        const std::string name = e.path().filename().string();
        if (name != "pic" && !name.starts_with("lib")) files[name] = fingerprint(e.path());
    }
    return files;
}

// What a player leaves in the file, far from the start values.
settings::SettingsValues played() {
    return {
        .windowLeft = 3000,
        .windowTop = 1200,
        .hiScore = {1, 2, 3, 4, 5},
        .hiName = {"", " leading blank", "trailing blank ", "a, b", ""},  // ASCII: the file's encoding is hiName[0]'s
        .keys = game::defaultKeyCodes(),
        .unlockStage = 6,
        .voice = false,
        .difficulty = 4};
}

// A file as the game writes it whose first name line holds `name` as raw bytes.
std::string fileNamed(const std::string& name, settings::SettingsValues v = played()) {
    v.hiName[0] = "@@";
    std::string file = settings::writeSettings(v, {0, "filler"});
    return file.replace(file.find("@@"), 2, name);
}

// The same file after a text editor saved it in UTF-8: every line converted.
std::string savedAsUtf8(const std::string& name) {
    return platform::text::fromCp932(fileNamed(platform::text::toCp932(name)));
}

// The same file as an older version or a player's hand made it: no mark of the game's.
std::string unmarked(const std::string& file) { return file.substr(0, file.find("Don't touch")); }

// Whatever is at vnbeam.ini, start-up goes on with what it can read or the
// start values, and the quit leaves a whole file beside whatever was there.
TEST(SettingsFile, HostileFilesNeverStopTheGameNorLoseWhatWasThere) {
    using platform::text::toCp932;
    enum Kind { File, Folder, Fifo, LinkOutside, ReadOnlyFile, ReadOnlyFolder, BadNamesTaken };
    const std::string ruruko = toCp932("ルル子");
    const std::string good = fileNamed(ruruko);
    settings::SettingsValues outOfRange = played();
    outOfRange.keys[0] = 0;
    outOfRange.keys[10] = 999;
    outOfRange.difficulty = 7;
    settings::SettingsValues beyond = played();
    beyond.windowLeft = 1e12f;
    std::string lf = good;
    std::string binary(4096, '\0');
    std::erase(lf, '\r');
    std::mt19937 gen(7);
    for (char& c : binary) c = static_cast<char>(gen());
    // A damaged file (no name read) is kept aside and told at start-up; a
    // failed save is told at quit.
    struct Case {
        const char* what;
        Kind kind;
        std::string bytes;
        const char* name = "";  // hiName[0] read at start-up and written at quit; "" for a damaged file
        int16_t difficulty = 2;
        const char* keptAs = "";  // where a damaged file is set aside
        const char* told = "";    // a word of the one box
    };
    const Case cases[] = {
        {.what = "empty", .kind = File, .bytes = "", .keptAs = "vnbeam.ini.bad", .told = "vnbeam.ini.bad"},
        {.what = "one line",
         .kind = File,
         .bytes = " 1500 1200 \r\n",
         .keptAs = "vnbeam.ini.bad",
         .told = "vnbeam.ini.bad"},
        {.what = "LF only", .kind = File, .bytes = lf, .name = "ルル子", .difficulty = 4},
        {.what = "UTF-8 names",
         .kind = File,
         .bytes = savedAsUtf8("山田太郎 ﾃｽﾄｱ"),
         .name = "山田太郎 ﾃｽﾄｱ",
         .difficulty = 4},
        {.what = "UTF-8 names in a file without the game's mark",
         .kind = File,
         .bytes = unmarked(fileNamed("山田太郎")),
         .name = "山田太郎",
         .difficulty = 4},
        // Code page 932 bytes that are valid UTF-8 too, in the game's own file.
        {.what = "the game's own 縺ゅ＞",
         .kind = File,
         .bytes = fileNamed(toCp932("縺ゅ＞")),
         .name = "縺ゅ＞",
         .difficulty = 4},
        {.what = "the game's own 縺｢",
         .kind = File,
         .bytes = fileNamed(toCp932("縺｢")),
         .name = "縺｢",
         .difficulty = 4},
        {.what = "code page 932, half-width katakana",
         .kind = File,
         .bytes = fileNamed(toCp932("ﾙﾙｺ ﾃｽﾄｱ")),
         .name = "ﾙﾙｺ ﾃｽﾄｱ",
         .difficulty = 4},
        {.what = "keys and difficulty out of range",
         .kind = File,
         .bytes = fileNamed(ruruko, outOfRange),
         .name = "ルル子"},
        {.what = "numbers beyond their fields",
         .kind = File,
         .bytes = fileNamed(ruruko, beyond),
         .keptAs = "vnbeam.ini.bad",
         .told = "vnbeam.ini.bad"},
        {.what = "2 MB", .kind = File, .bytes = good + std::string(2 << 20, 'x'), .name = "ルル子", .difficulty = 4},
        {.what = "binary", .kind = File, .bytes = binary, .keptAs = "vnbeam.ini.bad", .told = "vnbeam.ini.bad"},
        {.what = "folder", .kind = Folder, .bytes = "", .keptAs = "vnbeam.ini.bad", .told = "vnbeam.ini.bad"},
        {.what = "fifo", .kind = Fifo, .bytes = "", .keptAs = "vnbeam.ini.bad", .told = "vnbeam.ini.bad"},
        {.what = "symlink outside", .kind = LinkOutside, .bytes = good, .name = "ルル子", .difficulty = 4},
        {.what = "read-only file",
         .kind = ReadOnlyFile,
         .bytes = good,
         .name = "ルル子",
         .difficulty = 4,
         .told = "保存できませんでした"},
        {.what = "read-only folder",
         .kind = ReadOnlyFolder,
         .bytes = good,
         .name = "ルル子",
         .difficulty = 4,
         .told = "保存できませんでした"},
        {.what = "damaged, read-only folder", .kind = ReadOnlyFolder, .bytes = "", .told = "書き込みません"},
        {.what = "damaged, .bad a folder",
         .kind = BadNamesTaken,
         .bytes = "x",
         .keptAs = "vnbeam.ini.bad3",
         .told = "vnbeam.ini.bad3"},
    };
    ProgramFolder outside;
    fs::permissions(outside.path, fs::perms::all);
    const char* deadLeftover = ".vnbeam.ini.99999999.0.tmp";  // no process has that id
    for (const Case& c : cases) {
        const auto& [what, kind, bytes, name, difficulty, keptAs, told] = c;
        SCOPED_TRACE(what);
        const bool damaged = !*name;
        const bool untouched = kind == ReadOnlyFile || kind == ReadOnlyFolder;
        EndGame e;
        const fs::path ini = e.folder.ini();
        fs::permissions(e.folder.path, fs::perms::all);  // the folder is the player's
        for (const char* name : {deadLeftover, ".vnbeam.ini.1.x.tmp", "vnbeam.ini.1.2.tmp"})
            e.folder.write("litter", name);
        switch (kind) {
        case Folder:
            fs::create_directory(ini);
            e.folder.write("a file of the player's", "vnbeam.ini/inside");
            break;
        case Fifo: ::mkfifo(ini.c_str(), 0644); break;
        case LinkOutside:
            outside.write(bytes);
            fs::create_symlink(outside.ini(), ini);
            break;
        case BadNamesTaken:
            fs::create_directory(e.folder.file("vnbeam.ini.bad"));
            e.folder.write("old", "vnbeam.ini.bad2");
            [[fallthrough]];
        default: e.folder.write(bytes);
        }
        if (kind == ReadOnlyFile) fs::permissions(ini, static_cast<fs::perms>(0444));
        if (kind == ReadOnlyFolder) fs::permissions(e.folder.path, static_cast<fs::perms>(0555));
        const auto before = snapshot(e.folder);
        const std::string outsideBefore = fingerprint(outside.ini());
        settings::SettingsValues want = damaged ? settings::SettingsValues{.keys = played().keys} : played();
        want.hiName[0] = name;
        want.difficulty = difficulty;
        {
            AsPlayer player;
            e.g.startUp();
            if (damaged) {
                want.windowLeft = e.f.form.left;
                want.windowTop = e.f.form.top;
            }
            EXPECT_EQ(game::currentSettings(e.f), want) << e.f.hiName[0];
            EXPECT_TRUE(e.f.mnulv[difficulty].checked) << "the difficulty read";
            EXPECT_EQ(e.f.mnulv[6].visible, !damaged) << "the stage read opens SPILITUAL FEVER";
            ASSERT_EQ(e.g.sv.messages.size(), damaged ? 1u : 0u);
            for (const auto& box : e.g.sv.messages) {
                EXPECT_EQ(box.title, game::kTitle);
                EXPECT_TRUE(box.text.starts_with("設定ファイルを読み込めませんでした。")) << box.text;
                EXPECT_NE(box.text.find(told), std::string::npos) << box.text;
                EXPECT_TRUE(box.text.ends_with("\r\n" + (*keptAs ? e.folder.file(keptAs) : e.folder.ini())))
                    << box.text;
            }
            EXPECT_THROW(e.f.mnuQuit.click(), platform::ProgramEnd);
        }
        ASSERT_EQ(e.g.sv.messages.size(), damaged || *told ? 1u : 0u);
        EXPECT_NE(e.g.sv.messages.empty() ? 0 : e.g.sv.messages.back().text.find(told), std::string::npos);

        // The original kept whole, only a leftover of ours gone, nothing else new or changed.
        const auto after = snapshot(e.folder);
        auto expected = before;
        if (*keptAs) expected[keptAs] = before.at("vnbeam.ini");
        if (kind != ReadOnlyFolder) expected.erase(deadLeftover);
        if (!untouched && after.contains("vnbeam.ini")) expected["vnbeam.ini"] = after.at("vnbeam.ini");
        EXPECT_EQ(after, expected);
        if (!untouched) {
            EXPECT_EQ(fs::symlink_status(ini).type(), fs::file_type::regular);
            const settings::ReadOutcome saved = settings::readSettings(e.folder.read(), {});
            EXPECT_TRUE(saved.ok);
            EXPECT_TRUE(saved.checksumOk) << "a fresh table is not taken for cheating";
            EXPECT_FALSE(saved.utf8);
            EXPECT_EQ(saved.values, want);
        }
        EXPECT_EQ(fingerprint(outside.ini()), outsideBefore) << "a file outside the folder is never written";
        fs::permissions(e.folder.path, fs::perms::all);
    }
}

// A full disk as the writer sees it: no file may grow beyond 64 bytes.
template <typename F>
void onAFullDisk(F&& f) {
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{64, before.rlim_max};
    auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    f();
    setrlimit(RLIMIT_FSIZE, &before);
    ::signal(SIGXFSZ, oldHandler);
}

TEST(SettingsFile, AFailedSaveIsToldAtOnceOnceAndTriedAgain) {
    EndGame e;
    e.g.startUp();
    const std::string old = settings::writeSettings(game::currentSettings(e.f), {0, "old"});
    e.folder.write(old);
    e.f.hiName[0] = "ルル子";
    onAFullDisk([&] {
        game::saveSettingsNow(e.f);
        game::saveSettingsNow(e.f);
    });
    EXPECT_EQ(e.folder.read(), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(e.folder.path), {}), 4)
        << "pic, two libraries, vnbeam.ini: no temporary file";
    ASSERT_EQ(e.g.sv.messages.size(), 1u);
    EXPECT_EQ(e.g.sv.messages[0].style, platform::kMbCritical);
    EXPECT_EQ(e.g.sv.messages[0].text, "記録を設定ファイルに保存できませんでした。\r\n" + e.folder.ini() +
                                           "\r\nゲームはこのまま続けられます。保存はこの後も試みます。");
    game::saveSettingsNow(e.f);
    EXPECT_EQ(settings::readSettings(e.folder.read(), {}).values.hiName[0], "ルル子") << "the next save works";
    const std::string saved = e.folder.read();
    onAFullDisk([&] { EXPECT_THROW(e.f.mnuQuit.click(), platform::ProgramEnd); });
    ASSERT_EQ(e.g.sv.messages.size(), 2u) << "the last save of the run is told whatever came before";
    EXPECT_EQ(e.g.sv.messages[1].text, "設定ファイルを保存できませんでした。\r\n" + e.folder.ini());
    EXPECT_EQ(e.folder.read(), saved);
}

// A real process saving best scores as the game end does, killed at random
// moments: the file is always the old one or a new one, whole, and the next
// start-up clears the temporary files the kills left.
TEST(SettingsFile, AKillDuringABestScoreSaveLeavesAWholeFile) {
    ProgramFolder folder;
    const std::string old = settings::writeSettings({.keys = played().keys}, {0, "old"});  // the game on EASY
    folder.write(old);
    std::mt19937 gen(11);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (int round = 0; round < 20 && std::chrono::steady_clock::now() < deadline; ++round) {
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            fake::Game g(1'000'000, folder.path);
            g.startUp();
            g.sv.idleStep = 50;
            (void)!::write(started[1], "s", 1);
            for (int32_t score = 1; score < 1'000'000; ++score) {
                g.sv.inputAnswers = {"ルル子"};
                g.f.score = score;
                g.f.caughtInLane = 0;
                g.f.scene = 3;
                g.f.runPass();
            }
            ::_exit(0);
        }
        ::close(started[1]);
        char byte = 0;
        (void)!::read(started[0], &byte, 1);  // the child's start-up done (or the child gone)
        ::close(started[0]);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 20'000)(gen));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string file = folder.read();
        const settings::ReadOutcome r = settings::readSettings(file, {});
        SCOPED_TRACE(testing::Message() << "round " << round);
        ASSERT_TRUE(r.ok);
        ASSERT_TRUE(r.checksumOk);
        ASSERT_TRUE(file.ends_with("JIS\r\n")) << "the file's last line";
        if (file != old) {
            EXPECT_EQ(r.values.hiName[2], "ルル子") << "a new file holds the new best score";
        }
    }
    fake::Game next(1'000'000, folder.path);
    next.startUp();
    for (const auto& entry : fs::directory_iterator(folder.path))
        EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp")) << entry.path();
}

// A copy whose settings live in a user's folder: the program folder holds the
// pictures (and maybe a vnbeam.ini of its own), the user's folder the rest.
struct UserFolderGame {
    explicit UserFolderGame(platform::DataPlace place) {
        paths.settingsFile = user.path + "/vnbeam.ini";
        paths.windowFile = user.path + "/vnbeam-window.txt";
        paths.startingSettings = program.ini();
        paths.place = place;
    }
    ProgramFolder program;
    fake::TempFolder user;
    platform::GamePaths paths = platform::GamePaths::beside(program.path);
    std::string userFile() const { return paths.settingsFile; }
};

TEST(SettingsFile, AReadOnlyCopySaysOnceWhereItKeepsTheFile) {
    struct Row {
        const char* name;
        platform::DataPlace place;
        bool userFileThere;
        size_t told;
    };
    const Row rows[] = {
        {.name = "read-only, first run", .place = platform::DataPlace::UserReadOnly, .userFileThere = false, .told = 1},
        {.name = "read-only, later run", .place = platform::DataPlace::UserReadOnly, .userFileThere = true, .told = 0},
        {.name = "installed, first run",
         .place = platform::DataPlace::UserInstalled,
         .userFileThere = false,
         .told = 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        UserFolderGame u(row.place);
        if (row.userFileThere) std::ofstream(u.userFile(), std::ios::binary) << settings::writeSettings({}, {0, "x"});
        fake::Game g(1'000'000, u.program.path);
        g.f.paths = u.paths;

        g.startUp();

        ASSERT_EQ(g.sv.messages.size(), row.told);
        if (row.told == 0) continue;
        EXPECT_EQ(
            g.sv.messages[0].text,
            "プログラムのフォルダーに書き込めないため、設定とハイスコアは次の場所に保存します。\r\n" + u.userFile());
        EXPECT_EQ(g.sv.messages[0].style, platform::kMbInformation);
    }
}

TEST(SettingsFile, AUserFolderStartsFromTheFileBesideTheProgramAndLeavesItAlone) {
    UserFolderGame u(platform::DataPlace::UserInstalled);
    settings::SettingsValues beside = played();
    beside.hiName[2] = "そば";
    const std::string besideBytes = settings::writeSettings(beside, {0, "x"});
    u.program.write(besideBytes);
    fake::Game g(1'000'000, u.program.path);
    g.f.paths = u.paths;
    g.startUp();
    g.f.mnuVoice.click();

    EXPECT_THROW(g.f.mnuQuit.click(), platform::ProgramEnd);

    EXPECT_EQ(g.f.hiName[2], "そば");
    EXPECT_EQ(u.program.read(), besideBytes);
    std::ifstream in(u.userFile(), std::ios::binary);
    const settings::ReadOutcome saved = settings::readSettings(std::string(std::istreambuf_iterator<char>(in), {}), {});
    EXPECT_TRUE(saved.ok);
    EXPECT_EQ(saved.values.hiName[2], "そば");
    EXPECT_EQ(saved.values.voice, !beside.voice);
}

TEST(SettingsFile, AFirstRunStartsFromTheResetTable) {
    fake::FolderGame e;
    e.g.startUp();

    for (int i = 0; i < game::kDifficulties; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(e.f.hiScore[i], 600 + 100 * i);
        EXPECT_EQ(e.f.hiName[i], "---");
    }
}

// The key line's eleven codes go to the keys in their places, whichever key
// the dialog shows first: a file written by any earlier version keeps its keys.
TEST(SettingsFile, TheKeyLineGoesToTheKeysInItsOrder) {
    settings::SettingsValues v = played();
    v.keys = {65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75};
    EndGame e;
    e.folder.write(settings::writeSettings(v, {0, "filler"}));
    e.g.startUp();
    struct Row {
        const char* key;
        int16_t code;
        int16_t read;
    };
    const Row rows[] = {
        {.key = "KeyS0", .code = 65, .read = e.f.KeyS0}, {.key = "KeyS1", .code = 66, .read = e.f.KeyS1},
        {.key = "KeyS2", .code = 67, .read = e.f.KeyS2}, {.key = "KeyS3", .code = 68, .read = e.f.KeyS3},
        {.key = "KeyS4", .code = 69, .read = e.f.KeyS4}, {.key = "KeyS5", .code = 70, .read = e.f.KeyS5},
        {.key = "KeyS6", .code = 71, .read = e.f.KeyS6}, {.key = "KeyS7", .code = 72, .read = e.f.KeyS7},
        {.key = "KeyS8", .code = 73, .read = e.f.KeyS8}, {.key = "KeyS9", .code = 74, .read = e.f.KeyS9},
        {.key = "KeySA", .code = 75, .read = e.f.KeySA},
    };
    for (const Row& r : rows) EXPECT_EQ(r.read, r.code) << r.key;
}

}  // namespace
