// SPDX-License-Identifier: GPL-3.0-or-later
// Where a form's window stands: the position goes both ways between the model
// and the screen (the game places the window, the player drags it and the game
// saves that), and a window always comes back where the player can reach it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "forms/forms.h"

class QWidget;

namespace qtfront {

// Where a window of `size` at `pos` ends up: unchanged while its title strip
// lies on some screen, else pulled onto the primary screen.
QPoint placeOnScreen(QPoint pos, QSize size);
// Where a window of `size` at `pos` goes so that it lies wholly on the screen
// under its title strip (the primary one when none is), where it fits.
QPoint fitOnScreen(QPoint pos, QSize size);

// Twips to whole pixels, with a safe answer for values no screen has.
int twipsToPixels(float twips);

class WindowPlacement {
public:
    // A scalable window comes back wholly on the screen at its first placement.
    WindowPlacement(forms::Form& form, QWidget* window, bool scalable);

    // Brings the window and the model's position together; `fullScreen` says
    // the window's state, not the player, put it where it is.
    void sync(bool fullScreen);
    // Places the window as for the first time, now that its size is known.
    void placeAnew(bool fullScreen);
    // Gives a form that names no position of its own one over `over`, wholly
    // on that window's screen.
    void openOver(const QWidget* over);

private:
    forms::Form& form_;
    QWidget* window_;
    bool scalable_;
    bool placed_ = false;
    float modelLeft_ = 0, modelTop_ = 0;  // the model position last applied or written
    QPoint windowPos_;
};

}  // namespace qtfront
