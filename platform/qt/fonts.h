// SPDX-License-Identifier: GPL-3.0-or-later
// The fonts of the front: every caption is Japanese, so every window names its
// CJK font itself instead of taking the desktop's.
#pragma once

#include <QFont>
#include <QString>

#include <cmath>

namespace qtfront {

// IPA P Gothic (proportional) for captions, IPA Gothic where columns must line up
// (Debian's fonts-ipafont-gothic).
inline constexpr const char* kProportionalFamily = "IPAPGothic";
inline constexpr const char* kFixedFamily = "IPAGothic";

// The font of a control, at a size no screen could refuse.
inline QFont controlFont(double points, bool fixedPitch) {
    QFont font(QString::fromLatin1(fixedPitch ? kFixedFamily : kProportionalFamily));
    font.setStyleHint(fixedPitch ? QFont::Monospace : QFont::SansSerif);
    font.setFixedPitch(fixedPitch);
    if (std::isfinite(points) && points > 0 && points < 2000) font.setPointSizeF(points);
    return font;
}

}  // namespace qtfront
