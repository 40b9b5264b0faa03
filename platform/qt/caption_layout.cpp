// SPDX-License-Identifier: GPL-3.0-or-later
#include "caption_layout.h"

#include <QFontMetrics>

#include <algorithm>

namespace qtfront {

namespace {

constexpr double kSmallestCaptionPoints = 6;

bool isLatin(QChar c) { return c.unicode() < 0x80; }

// Where a caption may break before position i, from the best place down:
// 0 between Latin letters and Japanese or after a blank, 1 after a particle.
int breakClass(const QString& text, qsizetype i) {
    const QChar before = text[i - 1], after = text[i];
    if (after.isLowSurrogate()) return -1;
    if (before == QLatin1Char(' ') || isLatin(before) != isLatin(after)) return 0;
    static const QString particles = QStringLiteral("をはがにでへともの、。");
    if (particles.contains(before) && !particles.contains(after) && !isLatin(after)) return 1;
    return -1;
}

}  // namespace

CaptionLayout layoutCaption(const QString& text, const QFont& font, QSize area) {
    CaptionLayout out{{text}, font};
    for (;;) {
        const QFontMetrics metrics(out.font);
        const auto widest = [&](const QStringList& lines) {
            int w = 0;
            for (const QString& l : lines) w = std::max(w, metrics.horizontalAdvance(l));
            return w;
        };
        if (widest({text}) <= area.width()) {
            out.lines = {text};
            return out;
        }
        if (2 * metrics.lineSpacing() <= area.height()) {
            for (int wanted = 0; wanted <= 1; ++wanted) {
                int best = area.width() + 1;
                for (qsizetype i = 1; i < text.size(); ++i) {
                    if (breakClass(text, i) != wanted) continue;
                    const QStringList lines{text.left(i).trimmed(), text.mid(i).trimmed()};
                    if (lines[0].isEmpty() || lines[1].isEmpty() || widest(lines) >= best) continue;
                    best = widest(lines);
                    out.lines = lines;
                }
                if (best <= area.width()) return out;
            }
        }
        const double points = out.font.pointSizeF();
        if (points <= kSmallestCaptionPoints || points <= 0) break;
        out.font.setPointSizeF(std::max(kSmallestCaptionPoints, points - 0.5));
    }
    out.lines = {text};  // nothing fits: cut off, but whole words
    return out;
}

}  // namespace qtfront
