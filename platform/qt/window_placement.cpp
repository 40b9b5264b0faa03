// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace qtfront {

namespace {

// `pos` moved just enough for a window of `size` to lie inside `area`; a
// window larger than the area keeps its top left corner on it.
QPoint clampInto(QPoint pos, QSize size, const QRect& area) {
    return {std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())),
            std::clamp(pos.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()))};
}

// `pos` for a window of `size`, wholly on the screen under `probe` (the
// primary one when none is).
QPoint onScreenAt(QPoint probe, QPoint pos, QSize size) {
    const QScreen* screen = QGuiApplication::screenAt(probe);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return pos;
    return clampInto(pos, size, screen->availableGeometry());
}

void setModelPosition(forms::Form& form, QPoint at) {
    form.left = static_cast<float>(at.x() * forms::kTwipsPerPixel);
    form.top = static_cast<float>(at.y() * forms::kTwipsPerPixel);
}

}  // namespace

QPoint placeOnScreen(QPoint pos, QSize size) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return pos;
    // The title strip is what the player needs to reach to drag the window back.
    const QRect strip(pos, QSize(std::max(size.width(), 1), std::clamp(size.height(), 1, 30)));
    const int needWidth = std::min(40, strip.width());
    const int needHeight = std::min(10, strip.height());
    for (const QScreen* screen : screens) {
        const QRect common = screen->availableGeometry().intersected(strip);
        if (common.width() >= needWidth && common.height() >= needHeight) return pos;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    return clampInto(pos, size, (primary ? primary : screens.front())->availableGeometry());
}

QPoint fitOnScreen(QPoint pos, QSize size) {
    return onScreenAt(pos + QPoint(std::min(size.width() / 2, 20), 10), pos, size);
}

int twipsToPixels(float twips) {
    if (!std::isfinite(twips)) return 0;
    const double px = std::clamp(static_cast<double>(twips), -1.0e7, 1.0e7) / forms::kTwipsPerPixel;
    return static_cast<int>(std::lround(px));
}

WindowPlacement::WindowPlacement(forms::Form& form, QWidget* window, bool scalable)
    : form_(form), window_(window), scalable_(scalable) {}

void WindowPlacement::sync(bool fullScreen) {
    if (!placed_ || form_.left != modelLeft_ || form_.top != modelTop_) {
        const QPoint wanted(twipsToPixels(form_.left), twipsToPixels(form_.top));
        // A scalable window comes back wholly on the screen at its first
        // placement: its size may come from a larger screen.
        const QPoint at = scalable_ && !placed_ ? fitOnScreen(wanted, window_->frameGeometry().size())
                                                : placeOnScreen(wanted, window_->frameGeometry().size());
        window_->move(at);
        windowPos_ = at;
        if (at != wanted || !std::isfinite(form_.left) || !std::isfinite(form_.top)) setModelPosition(form_, at);
        modelLeft_ = form_.left;
        modelTop_ = form_.top;
        placed_ = true;
        return;
    }
    // A maximized or full-screen window sits where its state puts it; the
    // position the game saves is the one it comes back to.
    if (!window_->isVisible() || fullScreen || (window_->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        return;
    // The player moved the window: the model learns it, so the game saves it.
    const QPoint now = window_->pos();
    if (now == windowPos_) return;
    windowPos_ = now;
    setModelPosition(form_, now);
    modelLeft_ = form_.left;
    modelTop_ = form_.top;
}

void WindowPlacement::placeAnew(bool fullScreen) {
    placed_ = false;
    sync(fullScreen);
}

void WindowPlacement::openOver(const QWidget* over) {
    const QSize size = window_->frameGeometry().size();
    const QPoint centred = over->frameGeometry().center() - QPoint(size.width() / 2, size.height() / 2);
    // Wholly on the screen of the window it came from: a dialog larger than
    // the game window would stick out of a window near the edge.
    setModelPosition(form_, onScreenAt(over->frameGeometry().center(), centred, size));
}

}  // namespace qtfront
