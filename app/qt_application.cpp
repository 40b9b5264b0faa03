// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

#include "qt/fonts.h"

namespace app {

void setUpJapanese(QTranslator& qtStrings) {
    // Every caption is Japanese: without a CJK font they would be empty boxes.
    QFont font(QString::fromLatin1(qtfront::kProportionalFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9);
    QApplication::setFont(font);

    // Qt's own strings (the OK / キャンセル of standard buttons) in Japanese too.
    if (qtStrings.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtStrings);
}

}  // namespace app
