// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaled_stage.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace qtfront {

namespace {

// The black around a scalable form's enlarged client area; it lays the area
// out again whenever its size or its screen changes.
class Backdrop final : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void()> onChange;

protected:
    void resizeEvent(QResizeEvent*) override {
        if (onChange) onChange();
    }
    bool event(QEvent* event) override {
        const bool done = QWidget::event(event);
        if (event->type() == QEvent::ScreenChangeInternal && onChange) onChange();
        return done;
    }
};

}  // namespace

int wholeFactor(QSize area, QSize design) {
    if (design.width() < 1 || design.height() < 1) return 1;
    return std::max(1, std::min(area.width() / design.width(), area.height() / design.height()));
}

Presentation present(QSize area, qreal pixelRatio, QSize design) {
    if (!std::isfinite(pixelRatio) || pixelRatio <= 0) pixelRatio = 1;
    // Whole device pixels, so a picture pixel is a whole block on any screen.
    const QSize device(static_cast<int>(area.width() * pixelRatio), static_cast<int>(area.height() * pixelRatio));
    const Zoom zoom{wholeFactor(device, design), pixelRatio};
    const QSize stage(static_cast<int>(std::ceil(design.width() * zoom.logical())),
                      static_cast<int>(std::ceil(design.height() * zoom.logical())));
    // Too small a window cuts off the right and the bottom, as it always did.
    return {zoom, QRect(QPoint(std::max(0, (area.width() - stage.width()) / 2),
                               std::max(0, (area.height() - stage.height()) / 2)),
                        stage)};
}

int startFactor(qreal pixelRatio) {
    if (!std::isfinite(pixelRatio) || pixelRatio <= 0 || pixelRatio > 64) return 1;
    // A ratio a hair above a whole one (1.0000001) is that whole one.
    return std::max(1, static_cast<int>(std::ceil(pixelRatio - 1e-6)));
}

QSize stageSize(QSize design, int factor, qreal pixelRatio) {
    if (!std::isfinite(pixelRatio) || pixelRatio <= 0) pixelRatio = 1;
    return {static_cast<int>(std::ceil(design.width() * factor / pixelRatio - 1e-9)),
            static_cast<int>(std::ceil(design.height() * factor / pixelRatio - 1e-9))};
}

QSize fitWindowSize(QSize wanted, QSize available, QSize extra, QSize design, qreal pixelRatio) {
    if (wanted.width() <= available.width() && wanted.height() <= available.height()) return wanted;
    int factor = 1;
    for (int k = 2; k < 64; ++k) {
        const QSize size = stageSize(design, k, pixelRatio) + extra;
        if (size.width() > available.width() || size.height() > available.height()) break;
        factor = k;
    }
    // Never below the plain size, even where that does not fit either.
    return stageSize(design, std::max(factor, 1), pixelRatio).expandedTo(design) + extra;
}

ScaledStage::ScaledStage(QWidget* parent, QSize design, std::function<void(const Zoom&)> onZoom)
    : design_(design), onZoom_(std::move(onZoom)) {
    auto* backdrop = new Backdrop(parent);
    backdrop->setMinimumSize(design);
    QPalette black = backdrop->palette();
    black.setColor(QPalette::Window, Qt::black);
    backdrop->setPalette(black);
    backdrop->setAutoFillBackground(true);
    client_ = new QWidget(backdrop);
    client_->resize(design);
    backdrop->onChange = [this] { relayout(); };
    backdrop_ = backdrop;
}

void ScaledStage::relayout() {
    const Presentation shown = present(backdrop_->size(), backdrop_->window()->devicePixelRatio(), design_);
    if (client_->geometry() != shown.stage) client_->setGeometry(shown.stage);
    if (shown.zoom == zoom_) return;
    zoom_ = shown.zoom;
    onZoom_(zoom_);
}

}  // namespace qtfront
