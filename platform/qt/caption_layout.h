// SPDX-License-Identifier: GPL-3.0-or-later
// How a button's caption fits its button: the dialogs were laid out for
// captions that go onto a second line rather than being cut off.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

namespace qtfront {

// How a button shows a caption in `area`: on one line when it fits, else on two
// lines broken where a reader would break it (between Latin letters and
// Japanese, after a blank, after a particle), never inside a word; where even
// that won't fit, in a smaller font.
struct CaptionLayout {
    QStringList lines;
    QFont font;
};
CaptionLayout layoutCaption(const QString& text, const QFont& font, QSize area);

}  // namespace qtfront
