// SPDX-License-Identifier: GPL-3.0-or-later
// lanebeam, the program the player starts: it looks at the program folder and
// then becomes the game (lanebeam-game). The game is linked to libwinplat.so,
// whose device-context table it shares with pxmix; without that file the
// system loader would stop the game before main with one line on stderr,
// which a player starting it from the desktop never sees. This program links
// neither winplat nor the game, so it can still say what is wrong.
#include <QApplication>
#include <QMessageBox>
#include <QTranslator>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "loader/elf_check.h"
#include "loader/exec_program.h"
#include "loader/program_folder.h"
#include "qt_application.h"
#include "shell/load_messages.h"
#include "shell/title.h"
#include "shell/version.h"

#ifndef LANEBEAM_GAME_FROM_LAUNCHER
#define LANEBEAM_GAME_FROM_LAUNCHER "../lib/lanebeam"
#endif

namespace {

constexpr const char* kGameFile = "lanebeam-game";
constexpr const char* kCannotStart = "ゲームに必要なファイルを読み込めませんでした。\n";

constexpr const char* kHelp =
    "Usage: lanebeam [--help | --version]\n"
    "\n"
    "ルル子の VORN BEAM: a lane-shooter arcade game with a Japanese interface.\n"
    "Every setting is made in the game's own menus; no other argument changes anything.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Keys: Z X C V B move to lane 1-5, Space fires, F1 opens the help page, Ctrl+C quits.\n"
    "See lanebeam(6).\n";

int tell(int argc, char** argv, const std::string& file, const platform::LoadFailure& failure) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lanebeam"));
    QApplication::setDesktopFileName(QStringLiteral(LANEBEAM_APP_ID));
    QTranslator qtStrings;
    app::setUpJapanese(qtStrings);
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(game::kTitle),
                    QString::fromUtf8(kCannotStart) + QString::fromStdString(game::loadFailureText(file, failure)),
                    QMessageBox::Ok);
    box.exec();
    return 1;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The build's program folder holds the game beside the launcher; an installed
// tree keeps it in a private library folder reached from here. Where neither
// has it, the box names the file beside the launcher.
std::string gameFolder() {
    const std::string here = platform::programFolder();
    const std::string installed = here + "/" + LANEBEAM_GAME_FROM_LAUNCHER;
    if (!exists(here + "/" + kGameFile) && exists(installed + "/" + kGameFile)) return installed;
    return here;
}

}  // namespace

int main(int argc, char** argv) {
    // Asked for before anything else, so a terminal or a packaging tool gets an
    // answer without a window or a look at the program folder.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("lanebeam %s\n", game::kVersion);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    const std::string folder = gameFolder();
    const std::string game = folder + "/" + kGameFile;
    const std::pair<std::string, platform::ElfKind> needed[] = {
        {game, platform::ElfKind::Program},
        {folder + "/libwinplat.so", platform::ElfKind::SharedObject},
    };
    for (const auto& [file, kind] : needed)
        if (const platform::LoadProblem problem = platform::elfProblem(file, kind);
            problem != platform::LoadProblem::kNone)
            return tell(argc, argv, file, {problem, ""});
    return tell(argc, argv, game, platform::execProgram(game, argv));
}
