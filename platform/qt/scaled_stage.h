// SPDX-License-Identifier: GPL-3.0-or-later
// A scalable form's client area on a screen of any size: the model's picture
// enlarged by the largest whole factor that fits, in whole device pixels,
// centred on black.
#pragma once

#include <QRect>
#include <QSize>

#include <functional>

#include "control_views.h"

class QWidget;

namespace qtfront {

// The largest whole factor, at least 1, at which `design` enlarged fits in `area`.
int wholeFactor(QSize area, QSize design);

// How a scalable form shows in a client area of `area` logical pixels on a
// screen with `pixelRatio` device pixels to a logical one: the zoom, whose
// factor is whole in device pixels, and where the enlarged client area goes.
struct Presentation {
    Zoom zoom;
    QRect stage;
};
Presentation present(QSize area, qreal pixelRatio, QSize design);

// The factor a scalable form opens at on a screen of `pixelRatio` device
// pixels to a logical one: the next whole one, so on a 150 % screen the
// picture shows twice its size in device pixels, never smaller than the
// desktop around it.
int startFactor(qreal pixelRatio);
// The client area, in logical pixels, that shows `design` at `factor` device
// pixels to one of its own with no margin.
QSize stageSize(QSize design, int factor, qreal pixelRatio);
// The size a window of `wanted` takes in `available` (logical pixels, frame
// and all): unchanged where it fits, else the largest whole factor of its
// client area that fits, `extra` being what the window adds around the area.
QSize fitWindowSize(QSize wanted, QSize available, QSize extra, QSize design, qreal pixelRatio);

// The black backdrop that fills the window and the client area on it, laid out
// again whenever the backdrop's size or screen changes.
class ScaledStage {
public:
    // Both widgets are children of `parent`; `onZoom` hears of each new zoom.
    ScaledStage(QWidget* parent, QSize design, std::function<void(const Zoom&)> onZoom);
    ScaledStage(const ScaledStage&) = delete;
    ScaledStage& operator=(const ScaledStage&) = delete;

    QWidget* backdrop() const { return backdrop_; }
    QWidget* client() const { return client_; }
    // Puts the client area where the backdrop's size and screen place it.
    void relayout();

private:
    QSize design_;
    std::function<void(const Zoom&)> onZoom_;
    QWidget* backdrop_;
    QWidget* client_;
    Zoom zoom_;
};

}  // namespace qtfront
