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
#include <csignal>
#include <map>
#include <random>

#include "fake_services.h"
#include "shell/settings_file.h"
#include "text/cp932.h"

namespace {

using EndGame = fake::FolderGame;
using fake::ProgramFolder;
namespace settings = game::settings;
namespace fs = std::filesystem;

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
            EXPECT_TRUE(g.f.form.left == 3000 && g.f.hiScore == (std::array<int32_t, 5>{1, 2, 3, 4, 5}) &&
                        g.f.hiName == kNames);
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

// ---- hostile files ----

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
    const fs::file_status st = fs::symlink_status(p, ec);
    switch (st.type()) {
    case fs::file_type::regular: {
        std::ifstream in(p, std::ios::binary);
        return "file " + std::string(std::istreambuf_iterator<char>(in), {});
    }
    case fs::file_type::directory: {
        std::string names = "folder";
        for (const auto& e : fs::directory_iterator(p)) names += " " + e.path().filename().string();
        return names;
    }
    case fs::file_type::symlink:
        return "link " + fs::read_symlink(p).string() + " " + fingerprint(fs::canonical(p, ec));
    case fs::file_type::fifo: return "fifo";
    default: return "none";
    }
}

std::map<std::string, std::string> snapshot(const ProgramFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder.path)) {
        const std::string name = e.path().filename().string();
        if (name != "pic" && !name.starts_with("lib")) files[name] = fingerprint(e.path());
    }
    return files;
}

settings::SettingsValues played() { return {.keys = {90, 66, 88, 86, 67, 32, 16, 77, 84, 37, 39}, .difficulty = 4}; }

// A file as the game writes it whose first name line holds `name` as raw bytes.
std::string fileNamed(const std::string& name, settings::SettingsValues v = played()) {
    v.hiName[0] = "@@";
    std::string file = settings::writeSettings(v, {0, "filler"});
    return file.replace(file.find("@@"), 2, name);
}

std::string randomBytes(size_t n) {
    std::mt19937 gen(7);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(gen());
    return s;
}

TEST(SettingsFile, HostileFilesNeverStopTheGameNorLoseWhatWasThere) {
    using platform::text::toCp932;
    enum Kind { File, Folder, Fifo, LinkOutside, ReadOnlyFile, ReadOnlyFolder, BadNamesTaken };
    enum After { Rewritten, Untouched };
    const std::string ruruko = toCp932("ルル子"), good = fileNamed(ruruko);
    settings::SettingsValues outOfRange = played(), beyond = played();
    outOfRange.keys[0] = 0, outOfRange.keys[10] = 999, outOfRange.difficulty = 7;
    beyond.windowLeft = 1e12f;
    std::string lf = good;
    std::erase(lf, '\r');
    struct Case {
        const char* what;
        Kind kind;
        std::string bytes;
        const char* name;  // hiName[0] read at start-up, then written
        int16_t difficulty;
        const char* keptAs;  // where the original went
        After after;         // the file after the save at quit
        const char *toldAtStart, *toldAtQuit;
    } cases[] = {
        {"empty", File, "", "", 2, "vnbeam.ini.bad", Rewritten, "vnbeam.ini.bad", ""},
        {"one line", File, " 1500 1200 \r\n", "", 2, "vnbeam.ini.bad", Rewritten, "vnbeam.ini.bad", ""},
        {"LF only", File, lf, "ルル子", 4, "", Rewritten, "", ""},
        {"UTF-8 names", File, fileNamed("山田太郎 ﾃｽﾄｱ"), "山田太郎 ﾃｽﾄｱ", 4, "", Rewritten, "", ""},
        {"code page 932, half-width katakana", File, fileNamed(toCp932("ﾙﾙｺ ﾃｽﾄｱ")), "ﾙﾙｺ ﾃｽﾄｱ", 4, "", Rewritten, "",
         ""},
        {"keys and difficulty out of range", File, fileNamed(ruruko, outOfRange), "ルル子", 2, "", Rewritten, "", ""},
        {"numbers beyond their fields", File, fileNamed(ruruko, beyond), "", 2, "vnbeam.ini.bad", Rewritten,
         "vnbeam.ini.bad", ""},
        {"2 MB", File, good + std::string(2 << 20, 'x'), "ルル子", 4, "", Rewritten, "", ""},
        {"binary", File, randomBytes(4096), "", 2, "vnbeam.ini.bad", Rewritten, "vnbeam.ini.bad", ""},
        {"folder", Folder, "", "", 2, "vnbeam.ini.bad", Rewritten, "vnbeam.ini.bad", ""},
        {"fifo", Fifo, "", "", 2, "vnbeam.ini.bad", Rewritten, "vnbeam.ini.bad", ""},
        {"symlink outside", LinkOutside, good, "ルル子", 4, "", Rewritten, "", ""},
        {"read-only file", ReadOnlyFile, good, "ルル子", 4, "", Untouched, "", "保存できませんでした"},
        {"read-only folder", ReadOnlyFolder, good, "ルル子", 4, "", Untouched, "", "保存できませんでした"},
        {"damaged, read-only folder", ReadOnlyFolder, "", "", 2, "", Untouched, "書き込みません", ""},
        {"damaged, .bad a folder", BadNamesTaken, "x", "", 2, "vnbeam.ini.bad3", Rewritten, "vnbeam.ini.bad3", ""},
    };
    ProgramFolder outside;
    const std::string deadLeftover = ".vnbeam.ini.99999999.0.tmp";  // no process has that id
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EndGame e;
        const fs::path ini = e.folder.ini();
        fs::permissions(e.folder.path, fs::perms::all);
        fs::permissions(outside.path, fs::perms::all);
        for (const char* name : {".vnbeam.ini.99999999.0.tmp", ".vnbeam.ini.1.x.tmp", "vnbeam.ini.1.2.tmp"})
            e.folder.write("litter", name);
        switch (c.kind) {
        case Folder: fs::create_directory(ini), e.folder.write("a file of the player's", "vnbeam.ini/inside"); break;
        case Fifo: ::mkfifo(ini.c_str(), 0644); break;
        case LinkOutside: outside.write(c.bytes), fs::create_symlink(outside.ini(), ini); break;
        case BadNamesTaken:
            fs::create_directory(e.folder.file("vnbeam.ini.bad")), e.folder.write("old", "vnbeam.ini.bad2");
            [[fallthrough]];
        default: e.folder.write(c.bytes);
        }
        if (c.kind == ReadOnlyFile) fs::permissions(ini, static_cast<fs::perms>(0444));
        if (c.kind == ReadOnlyFolder) fs::permissions(e.folder.path, static_cast<fs::perms>(0555));
        const auto before = snapshot(e.folder);
        const std::string outsideBefore = fingerprint(outside.ini());

        {
            AsPlayer player;
            e.g.startUp();
        }
        EXPECT_TRUE(e.f.hiName[0] == c.name && e.f.difficulty == c.difficulty && e.f.KeyS0 == 90 && e.f.KeySA == 39)
            << e.f.hiName[0];
        ASSERT_EQ(e.g.sv.messages.size(), *c.toldAtStart ? 1u : 0u);
        for (const auto& box : e.g.sv.messages)
            EXPECT_TRUE(box.title == game::kTitle && box.text.starts_with("設定ファイルを読み込めませんでした。") &&
                        box.text.find(c.toldAtStart) != std::string::npos &&
                        box.text.ends_with("\r\n" + (*c.keptAs ? e.folder.file(c.keptAs) : e.folder.ini())))
                << box.text;
        {
            AsPlayer player;
            EXPECT_THROW(e.f.mnuQuit.click(), platform::ProgramEnd);
        }
        ASSERT_EQ(e.g.sv.messages.size(), (*c.toldAtStart ? 1u : 0u) + (*c.toldAtQuit ? 1u : 0u));
        if (*c.toldAtQuit) {
            EXPECT_NE(e.g.sv.messages.back().text.find(c.toldAtQuit), std::string::npos);
        }

        const auto after = snapshot(e.folder);
        const auto at = [](const auto& files, const std::string& name) {
            return files.contains(name) ? files.at(name) : "none";
        };
        if (*c.keptAs) {
            EXPECT_EQ(at(after, c.keptAs), at(before, "vnbeam.ini")) << "kept whole";
        }
        if (c.after == Untouched) {
            EXPECT_EQ(at(after, "vnbeam.ini"), at(before, "vnbeam.ini"));
        } else {
            EXPECT_EQ(fs::symlink_status(ini).type(), fs::file_type::regular);
            const settings::ReadOutcome saved = settings::readSettings(e.folder.read(), {});
            EXPECT_TRUE(saved.ok && !saved.utf8 && saved.values.hiName[0] == c.name &&
                        saved.values.difficulty == c.difficulty);
        }
        EXPECT_EQ(at(after, deadLeftover), c.kind == ReadOnlyFolder ? "file litter" : "none")
            << "only a leftover of ours goes";
        for (const auto& [name, print] : before) {
            if (name != "vnbeam.ini" && name != deadLeftover) {
                EXPECT_EQ(at(after, name), print) << name;
            }
        }
        EXPECT_EQ(after.size(), before.size() - (c.kind != ReadOnlyFolder) + (*c.keptAs ? 1 : 0)) << "nothing else new";
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
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    f();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
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
    const std::string old = settings::writeSettings({.keys = {90, 66, 88, 86, 67, 32, 16, 77, 84, 37, 39}}, {0, "old"});
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
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string file = folder.read();
        const settings::ReadOutcome r = settings::readSettings(file, {});
        ASSERT_TRUE(r.ok && r.checksumOk && file.ends_with("Don't touch these datas.\r\n")) << "round " << round;
        EXPECT_TRUE(file == old || r.values.hiName[2] == "ルル子");
    }
    fake::Game next(1'000'000, folder.path);
    next.startUp();
    for (const auto& entry : fs::directory_iterator(folder.path))
        EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp")) << entry.path();
}

}  // namespace
