// lanebeam-game: the Qt application, the platform services on Qt, and the
// game window, whose load handler runs the whole game. The player starts it
// through lanebeam (launcher.cpp), which checks the program folder first.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTranslator>

#include <exception>

#include "forms/services.h"
#include "loader/program_folder.h"
#include "qt/qt_services.h"
#include "qt_application.h"
#include "shell/form1.h"
#include "shell/version.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lanebeam"));
    QApplication::setApplicationVersion(QString::fromLatin1(game::kVersion));
    // The desktop entry's name: Wayland shows the window with that entry's icon.
    QApplication::setDesktopFileName(QStringLiteral(LANEBEAM_APP_ID));

    QTranslator qtStrings;
    app::setUpJapanese(qtStrings);

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/lanebeam.png")));

    qtfront::QtServices services;
    const std::string folder = platform::programFolder();
    services.setWindowSizeFile(folder + "/vnbeam-window.txt");
    try {
        game::Form1 f(services, folder);
        f.Form_Load();
    } catch (const platform::ProgramEnd& end) {
        return end.status;
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("lanebeam"), QString::fromLocal8Bit(e.what()));
        return 1;
    }
    return 0;
}
