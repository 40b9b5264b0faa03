// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/forms.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "files/regular_file.h"

namespace forms {

namespace {

QColor toQColor(Color c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

int px(double v) {
    // Whole pixels: the nearest one, halves to even, as the drawing always did.
    if (!std::isfinite(v)) return 0;
    v = std::clamp(v, -1.0e6, 1.0e6);
    return static_cast<int>(std::nearbyint(v));
}

}  // namespace

PictureBox::PictureBox(std::string n, int w, int h) : Control(std::move(n)) {
    dc_ = CreateCompatibleDC(0);
    width = w;
    height = h;
    resizeArea(w, h);
}

PictureBox::~PictureBox() {
    if (dc_) {
        SelectObject(dc_, stock_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
}

void PictureBox::resizeArea(int w, int h) {
    w = std::max(w, 1);
    h = std::max(h, 1);
    HBITMAP fresh = CreateCompatibleBitmap(dc_, w, h);
    if (!fresh) return;  // keep the old area rather than lose the box
    HGDIOBJ previous = SelectObject(dc_, fresh);
    if (!stock_) stock_ = previous;
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = fresh;
    bits_ = lbBitmapPixels(bitmap_, &areaWidth_, &areaHeight_);
}

QImage PictureBox::view() {
    if (!bits_) return QImage();
    ++drawings_;
    return QImage(reinterpret_cast<uchar*>(bits_), areaWidth_, areaHeight_, areaWidth_ * 4, QImage::Format_RGB32);
}

bool PictureBox::loadPicture(const std::string& path) {
    QImage img;
    if (path.starts_with(":/")) {
        // A picture compiled into the program.
        img = QImageReader(QString::fromStdString(path)).read();
    } else {
        // Read as bytes by its path as the system gives it: a folder name that
        // is not UTF-8 would not survive a trip through QString.
        constexpr size_t kLargestPicture = 64 << 20;
        const platform::files::FileBytes file = platform::files::readRegularFile(path, kLargestPicture);
        if (file.status != platform::files::ReadStatus::Ok) return false;
        QByteArray bytes(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        img = QImageReader(&buffer).read();
    }
    if (img.isNull()) return false;
    setPicture(img);
    return true;
}

void PictureBox::setPicture(const QImage& picture) {
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    if (autoSize) {
        width = picture_.width();
        height = picture_.height();
        if (picture_.width() != areaWidth_ || picture_.height() != areaHeight_)
            resizeArea(picture_.width(), picture_.height());
    }
    cls();
}

void PictureBox::cls() {
    if (!bits_) return;
    if (!picture_.isNull() && picture_.width() >= areaWidth_ && picture_.height() >= areaHeight_) {
        // The usual case: the picture covers the whole area.
        ++drawings_;
        for (int y = 0; y < areaHeight_; ++y)
            std::memcpy(bits_ + static_cast<size_t>(y) * areaWidth_, picture_.constScanLine(y),
                        static_cast<size_t>(areaWidth_) * 4);
        return;
    }
    fillRect(0, 0, areaWidth_ - 1, areaHeight_ - 1, backColor);
    if (!picture_.isNull()) {
        QImage area = view();
        QPainter p(&area);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, picture_);
    }
}

void PictureBox::line(double x1, double y1, double x2, double y2, Color c) {
    int ax = px(x1), ay = px(y1), bx = px(x2), by = px(y2);
    // Across or down, a line covers its end points and every pixel between,
    // as the painter draws it; the gauge marks of every frame need no painter.
    if (ax == bx || ay == by) {
        fillRect(std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by), c);
        return;
    }
    QImage area = view();
    if (area.isNull()) return;
    QPainter p(&area);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(toQColor(c), 0));
    p.drawLine(ax, ay, bx, by);
}

void PictureBox::fillRect(int l, int t, int r, int b, Color c) {
    // Boxes are the hottest drawing of a frame (the gauges): straight into the
    // memory, clipped, without a painter.
    l = std::max(l, 0);
    t = std::max(t, 0);
    r = std::min(r, areaWidth_ - 1);
    b = std::min(b, areaHeight_ - 1);
    if (!bits_ || l > r || t > b) return;
    ++drawings_;
    const uint32_t v = 0xFF000000u | (c & 0xFFFFFFu);
    uint32_t* row = bits_ + static_cast<size_t>(t) * areaWidth_ + l;
    const int w = r - l + 1;
    // The gauges are columns a few pixels wide and hundreds high: a row of one
    // of their widths is a few stores, not a loop set up for each row.
    auto columns = [&]<int width>() {
        for (int y = t; y <= b; ++y, row += areaWidth_)
            for (int i = 0; i < width; ++i) row[i] = v;
    };
    switch (w) {
    case 1: columns.template operator()<1>(); break;
    case 5: columns.template operator()<5>(); break;
    case 6: columns.template operator()<6>(); break;
    case 7: columns.template operator()<7>(); break;
    default:
        for (int y = t; y <= b; ++y, row += areaWidth_) std::fill_n(row, w, v);
    }
}

void PictureBox::box(double x1, double y1, double x2, double y2, Color c) {
    int l = std::min(px(x1), px(x2)), r = std::max(px(x1), px(x2));
    int t = std::min(px(y1), px(y2)), b = std::max(px(y1), px(y2));
    fillRect(l, t, r, t, c);
    fillRect(l, b, r, b, c);
    fillRect(l, t, l, b, c);
    fillRect(r, t, r, b, c);
}

void PictureBox::filledBox(double x1, double y1, double x2, double y2, Color c) {
    fillRect(std::min(px(x1), px(x2)), std::min(px(y1), px(y2)), std::max(px(x1), px(x2)), std::max(px(y1), px(y2)), c);
}

void PictureBox::filledEllipse(double x, double y, double radius, Color c, double aspect) {
    QImage area = view();
    if (area.isNull() || !std::isfinite(x) || !std::isfinite(y)) return;
    if (std::abs(x) > 1e5 || std::abs(y) > 1e5) return;
    double rx = std::abs(radius), ry = std::abs(radius * aspect);
    QPainter p(&area);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(toQColor(c), 0));
    p.setBrush(toQColor(fillColor_));
    if (rx < 0.5 && ry < 0.5)
        p.drawPoint(px(x), px(y));
    else
        p.drawEllipse(QPointF(px(x), px(y)), rx, ry);
}

void PictureBox::pset(double x, double y, Color c) {
    int ix = px(x), iy = px(y);
    if (!bits_ || ix < 0 || iy < 0 || ix >= areaWidth_ || iy >= areaHeight_) return;
    ++drawings_;
    bits_[static_cast<size_t>(iy) * areaWidth_ + ix] = 0xFF000000u | (c & 0xFFFFFFu);
}

Color PictureBox::pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= areaWidth_ || y >= areaHeight_) return 0;
    return bits_[static_cast<size_t>(y) * areaWidth_ + x] & 0xFFFFFFu;
}

QImage PictureBox::peek() const {
    if (!bits_) return QImage();
    return QImage(reinterpret_cast<const uchar*>(bits_), areaWidth_, areaHeight_, areaWidth_ * 4, QImage::Format_RGB32);
}

QImage PictureBox::image() const { return peek().copy(); }

void forEachItem(const std::vector<MenuItem*>& items, const std::function<void(MenuItem&)>& fn) {
    for (MenuItem* item : items) {
        fn(*item);
        forEachItem(item->children, fn);
    }
}

MenuItem* findItem(const std::vector<MenuItem*>& items, const std::string& name) {
    MenuItem* found = nullptr;
    forEachItem(items, [&](MenuItem& item) {
        if (!found && item.name == name) found = &item;
    });
    return found;
}

}  // namespace forms
