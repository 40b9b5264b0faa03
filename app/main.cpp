// lanebeam: the Qt application, the platform services on Qt, and the game
// window, whose load handler runs the whole game.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <exception>

#include "forms/services.h"
#include "loader/program_folder.h"
#include "qt/qt_services.h"
#include "shell/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lanebeam"));
    QApplication::setApplicationVersion(QStringLiteral("1.8.8"));

    // Every caption is Japanese: without a CJK font they would be empty boxes.
    QFont font(QStringLiteral("IPAPGothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9);
    QApplication::setFont(font);

    // Qt's own strings (the OK / キャンセル of standard buttons) in Japanese too.
    QTranslator qtStrings;
    if (qtStrings.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtStrings);

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
