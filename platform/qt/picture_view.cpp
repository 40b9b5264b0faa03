// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_view.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "from_model.h"

namespace qtfront {

namespace {

// Tiles in which a new drawing is compared with the one shown: only the rows
// of the tiles that changed are sent to the screen, which keeps a large window
// nearly as cheap as a small one while most of the play picture stands still.
constexpr int kTile = 16;

template <int Factor>
void repeatEach(const uint32_t* src, int count, uint32_t* dst) {
    for (int x = 0; x < count; ++x, dst += Factor)
        for (int j = 0; j < Factor; ++j) dst[j] = src[x] | 0xFF000000u;
}

// `count` source pixels, each `factor` times (opaque, as the screen wants them).
void repeatPixels(const uint32_t* src, int count, int factor, uint32_t* dst) {
    switch (factor) {
    case 1: repeatEach<1>(src, count, dst); return;
    case 2: repeatEach<2>(src, count, dst); return;
    case 3: repeatEach<3>(src, count, dst); return;
    case 4: repeatEach<4>(src, count, dst); return;
    default:
        for (int x = 0; x < count; ++x, dst += factor) std::fill_n(dst, factor, src[x] | 0xFF000000u);
    }
}

class PictureView final : public QWidget, public ControlView {
public:
    PictureView(forms::PictureBox& box, QWidget* parent) : QWidget(parent), box_(box) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }
    QWidget* widget() override { return this; }
    forms::Control& control() override { return box_; }
    void syncContent() override {
        if (box_.refreshCount() != refreshSeen_) {
            refreshSeen_ = box_.refreshCount();
            update(takeDrawing());
        }
    }
    void paintNow() override {
        refreshSeen_ = box_.refreshCount();
        if (!isVisible()) return;
        // The title scene repaints a hundred times a second a picture that
        // changes only with a stamp: a picture nothing drew on since it was
        // shown is not looked at again (telling costs no look at its pixels),
        // and of one that was, only the tiles that changed are sent.
        const forms::PictureBox::Version version = box_.version();
        if (version == shownVersion_) return;
        shownVersion_ = version;
        const QRegion changed = takeDrawing();
        if (!changed.isEmpty()) repaint(changed);
    }

protected:
    void rezoom() override { update(); }

    void paintEvent(QPaintEvent* event) override {
        if (shown_.isNull()) takeDrawing();
        QPainter p(this);
        const qreal s = zoom_.logical();
        if (shown_.width() * s < width() || shown_.height() * s < height())
            p.fillRect(rect(), toQColor(box_.backColor));
        // A drawing area larger than the box is cut off, never squeezed.
        if (shown_.isNull() || paintBlocks(p, event->region())) return;
        // Whole pixels stay whole blocks, on any screen: no smoothing.
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        for (const QRect& r : event->region()) {
            p.setClipRect(r);
            p.drawImage(QRectF(r), shown_, QRectF(r.x() / s, r.y() / s, r.width() / s, r.height() / s));
        }
    }

private:
    // Brings the shown picture up to the box's drawing; returns the part of
    // the widget that changed.
    QRegion takeDrawing() {
        const QImage area = box_.peek();
        if (area.isNull()) return {};
        if (area.size() != shown_.size() || area.format() != shown_.format()) {
            shown_ = area.copy();
            return rect();
        }
        const int w = area.width(), h = area.height();
        const qsizetype stride = shown_.bytesPerLine();
        uchar* shown = shown_.bits();
        // A plain loop the compiler turns into a few vector operations: a
        // call to memcmp per tile row costs more.
        const auto same = [&](int y, int left, int count) {
            const auto* a = reinterpret_cast<const uint32_t*>(area.constScanLine(y)) + left;
            const auto* b = reinterpret_cast<const uint32_t*>(shown + y * stride) + left;
            uint32_t differs = 0;
            for (int i = 0; i < count; ++i) differs |= a[i] ^ b[i];
            return differs == 0;
        };
        changed_.clear();
        for (int top = 0; top < h; top += kTile) {
            const int bottom = std::min(top + kTile, h) - 1;
            // Runs of changed tiles side by side, each one rectangle, all of a
            // band from the first row that changed in it to the last: the
            // region is then built in one step, not merged rectangle by rectangle.
            const size_t bandStart = changed_.size();
            int runLeft = -1, bandTop = bottom + 1, bandBottom = top - 1;
            for (int left = 0; left < w + kTile; left += kTile) {  // one step past the end closes a run
                bool differs = false;
                if (left < w) {
                    const int count = std::min(kTile, w - left);
                    int first = top;
                    while (first <= bottom && same(first, left, count)) ++first;
                    if (first <= bottom) {
                        int last = bottom;
                        while (same(last, left, count)) --last;
                        for (int y = first; y <= last; ++y)
                            std::memcpy(shown + y * stride + left * 4, area.constScanLine(y) + left * 4, count * 4);
                        bandTop = std::min(bandTop, first);
                        bandBottom = std::max(bandBottom, last);
                        differs = true;
                    }
                }
                if (differs && runLeft < 0) runLeft = left;
                if (!differs && runLeft >= 0) {
                    changed_.push_back(QRect(runLeft, 0, std::min(left, w) - runLeft, 1));
                    runLeft = -1;
                }
            }
            for (size_t i = bandStart; i < changed_.size(); ++i) {
                changed_[i].setTop(bandTop);
                changed_[i].setBottom(bandBottom);
                changed_[i] = onWidget(changed_[i]);
            }
        }
        QRegion changed;
        changed.setRects(changed_.data(), static_cast<int>(changed_.size()));
        return changed;
    }

    // A rectangle of the drawing area in the widget's (logical) pixels.
    QRect onWidget(const QRect& r) const {
        const qreal s = zoom_.logical();
        return QRect(QPoint(static_cast<int>(std::floor(r.left() * s)), static_cast<int>(std::floor(r.top() * s))),
                     QPoint(static_cast<int>(std::ceil((r.right() + 1) * s)) - 1,
                            static_cast<int>(std::ceil((r.bottom() + 1) * s)) - 1));
    }

    // Writes each pixel as a whole block of screen pixels straight into the
    // window's image, for each rectangle of `region`: one pass over the large
    // picture, where the painter's scaling costs several times as much and
    // wakes helper threads. False where the window is no 32-bit image or the
    // blocks would not be whole, and the painter's own path is taken.
    bool paintBlocks(QPainter& p, const QRegion& region) {
        QPaintDevice* device = p.paintEngine() ? p.paintEngine()->paintDevice() : nullptr;
        if (!device || device->devType() != QInternal::Image) return false;
        QImage& screen = *static_cast<QImage*>(device);
        const QTransform t = p.deviceTransform();
        const qreal exact = t.m11() * zoom_.logical();
        const int factor = static_cast<int>(std::lround(exact));
        const QPointF origin = t.map(QPointF(0, 0));
        // Opaque pixels read the same in all three formats.
        const QImage::Format format = screen.format();
        if (!screen.isDetached() ||
            (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
             format != QImage::Format_ARGB32_Premultiplied) ||
            t.type() > QTransform::TxScale || t.m11() != t.m22() || factor < 1 || std::abs(exact - factor) > 1e-9 ||
            origin != origin.toPoint())
            return false;
        const QPoint o = origin.toPoint();
        const QRect picture(o, shown_.size() * factor);
        const qsizetype stride = screen.bytesPerLine();
        uchar* bits = screen.bits();
        for (const QRect& r : region) {
            const QRect dev = t.mapRect(QRectF(r)).toAlignedRect() & picture & screen.rect();
            if (dev.isEmpty()) continue;
            // Whole blocks (the usual case: tiles that changed) go a block at
            // a time; a part of a block (an exposed strip) a pixel at a time.
            const int left = dev.left() - o.x(), width = dev.width();
            const bool whole = left % factor == 0 && width % factor == 0;
            for (int y = dev.top(); y <= dev.bottom(); ++y) {
                auto* dst = reinterpret_cast<uint32_t*>(bits + y * stride) + dev.left();
                const int from = y - o.y();
                if (y > dev.top() && from % factor != 0) {
                    std::memcpy(dst, bits + (y - 1) * stride + dev.left() * 4, static_cast<size_t>(width) * 4);
                    continue;
                }
                const auto* src = reinterpret_cast<const uint32_t*>(shown_.constScanLine(from / factor));
                if (whole) {
                    repeatPixels(src + left / factor, width / factor, factor, dst);
                } else {
                    for (int x = 0; x < width; ++x) dst[x] = src[(left + x) / factor] | 0xFF000000u;
                }
            }
        }
        return true;
    }

    forms::PictureBox& box_;
    unsigned refreshSeen_ = 0;
    forms::PictureBox::Version shownVersion_;  // the drawing the last paintNow looked at
    QImage shown_;                             // the drawing as the screen last got it
    std::vector<QRect> changed_;               // kept between pictures, so it stops allocating
};

}  // namespace

ControlView* makePictureView(forms::PictureBox& box, QWidget* parent) { return new PictureView(box, parent); }

}  // namespace qtfront
