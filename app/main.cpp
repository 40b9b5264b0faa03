// SPDX-License-Identifier: GPL-3.0-or-later
// lanebeam-game: the Qt application, the platform services on Qt, and the
// game window, whose load handler runs the whole game. The player starts it
// through lanebeam (launcher.cpp), which checks the program folder first.
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QTranslator>

#include <cstdlib>
#include <exception>
#include <functional>

#include "forms/services.h"
#include "loader/game_paths.h"
#include "loader/program_folder.h"
#include "qt/qt_services.h"
#include "qt/session_end.h"
#include "qt/single_instance.h"
#include "qt_application.h"
#include "shell/form1.h"
#include "shell/title.h"
#include "shell/version.h"

namespace {

constexpr const char* kNoAnswer =
    "ゲームはすでに起動していますが、応答がありません。\n"
    "起動中のゲームを終了してから、もう一度起動してください。";

// The save of a run that ends inside Qt's own exit() (the X or Wayland
// connection broke), where nothing unwinds back to main.
std::function<void()> lastSave;

void saveAtExit() {
    if (!lastSave) return;
    const std::function<void()> save = std::move(lastSave);
    lastSave = nullptr;
    try {
        save();
    } catch (...) {
    }
}

struct LastSave {
    explicit LastSave(std::function<void()> save) { lastSave = std::move(save); }
    ~LastSave() { lastSave = nullptr; }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lanebeam"));
    QApplication::setApplicationVersion(QString::fromLatin1(game::kVersion));
    // The desktop entry's name: Wayland shows the window with that entry's icon.
    QApplication::setDesktopFileName(QStringLiteral(LANEBEAM_APP_ID));

    QTranslator qtStrings;
    app::setUpJapanese(qtStrings);

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/lanebeam.png")));

    const platform::GamePaths paths = platform::resolveGamePaths(platform::programFolder(), platform::userFoldersNow());
    // A folder that cannot be made shows up as a failed save, told in the game.
    platform::makeDataFolders(paths);

    // One copy per settings file: the copy that quit last would overwrite the
    // other's best scores.
    qtfront::SingleInstance instance(QFile::decodeName(paths.settingsFile.c_str()));
    if (!paths.settingsFile.empty()) {
        switch (instance.claim()) {
        case qtfront::SingleInstance::Claim::First: break;
        case qtfront::SingleInstance::Claim::Handed: return 0;
        case qtfront::SingleInstance::Claim::Unreachable:
            QMessageBox::critical(nullptr, QString::fromUtf8(game::kTitle), QString::fromUtf8(kNoAnswer));
            return 1;
        }
    }

    qtfront::QtServices services;
    services.setWindowSizeFile(paths.windowFile);
    instance.onRaise([&services] { services.raiseWindows(); });
    qtfront::SessionEnd sessionEnd([&services] { services.requestEnd(); });
    std::atexit(saveAtExit);
    try {
        game::Form1 f(services, paths);
        const LastSave atExit([&services, &f] {
            services.markEnding();
            f.writeSettingsFile();
        });
        f.Form_Load();
    } catch (const platform::ProgramEnd& end) {
        return end.status;
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("lanebeam"), QString::fromLocal8Bit(e.what()));
        return 1;
    }
    return 0;
}
