// SPDX-License-Identifier: GPL-3.0-or-later
// The model's values in Qt's terms, for every window and box of the front.
#pragma once

#include <QColor>
#include <QString>

#include <string>

#include "forms/forms.h"

namespace qtfront {

// A model colour is 0xRRGGBB, as the game composes it.
inline QColor toQColor(forms::Color c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

// The game joins lines with CR LF, as the boxes it was written for expect.
inline QString fromModelText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

}  // namespace qtfront
