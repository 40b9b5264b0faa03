// lanebeam, the program the player starts: it looks at the program folder and
// then becomes the game (lanebeam-game). The game is linked to libwinplat.so,
// whose device-context table it shares with pxmix; without that file the
// system loader would stop the game before main with one line on stderr,
// which a player starting it from the desktop never sees. This program links
// neither winplat nor the game, so it can still say what is wrong.
#include <QApplication>
#include <QMessageBox>
#include <QTranslator>

#include "loader/elf_check.h"
#include "loader/exec_program.h"
#include "loader/program_folder.h"
#include "qt_application.h"
#include "shell/load_messages.h"
#include "shell/title.h"

namespace {

constexpr const char* kGameFile = "lanebeam-game";
constexpr const char* kCannotStart = "ゲームに必要なファイルを読み込めませんでした。\n";

int tell(int argc, char** argv, const std::string& file, const platform::LoadFailure& failure) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lanebeam"));
    QTranslator qtStrings;
    app::setUpJapanese(qtStrings);
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(game::kTitle),
                    QString::fromUtf8(kCannotStart) + QString::fromStdString(game::loadFailureText(file, failure)),
                    QMessageBox::Ok);
    box.exec();
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = platform::programFolder();
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
