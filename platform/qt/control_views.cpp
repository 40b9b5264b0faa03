#include "control_views.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qtfront {

namespace {

QColor toQColor(forms::Color c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

// Sets one palette role, or gives it back to the style for kNoColor.
void setRole(QWidget* w, QPalette::ColorRole role, forms::Color c) {
    QPalette pal = w->palette();
    if (c == forms::kNoColor) {
        const QPalette style = QApplication::palette(w);
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setBrush(g, role, style.brush(g, role));
    } else {
        pal.setColor(role, toQColor(c));
    }
    w->setPalette(pal);
}

// Text that reads on a background the model chose, whatever the desktop's
// theme would put there: black on a light colour, white on a dark one, and
// for a disabled control halfway to the background.
void setTextFor(QWidget* w, QPalette::ColorRole textRole, forms::Color back) {
    if (back == forms::kNoColor) {
        setRole(w, textRole, forms::kNoColor);
        return;
    }
    const QColor bg = toQColor(back);
    const bool light = 0.299 * bg.red() + 0.587 * bg.green() + 0.114 * bg.blue() >= 128;
    const QColor text = light ? QColor(Qt::black) : QColor(Qt::white);
    const QColor faded((text.red() + bg.red()) / 2, (text.green() + bg.green()) / 2, (text.blue() + bg.blue()) / 2);
    QPalette pal = w->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) pal.setColor(g, textRole, text);
    pal.setColor(QPalette::Disabled, textRole, faded);
    w->setPalette(pal);
}

QString fromModelText(const std::string& text) {
    // The game joins lines with CR LF, as the boxes it was written for expect.
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

bool samePoints(double a, double b) { return std::abs(a - b) < 1e-9; }

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

class LabelView final : public QLabel, public ControlView {
public:
    LabelView(forms::Label& label, QWidget* parent, PostFn post)
        : QLabel(parent), label_(label), post_(std::move(post)) {
        setTextFormat(Qt::PlainText);
        setWordWrap(true);
        setMouseTracking(true);
        setFocusPolicy(Qt::NoFocus);
    }
    QWidget* widget() override { return this; }
    forms::Control& control() override { return label_; }
    void syncContent() override {
        if (first_ || label_.caption != caption_) {
            caption_ = label_.caption;
            setText(QString::fromStdString(caption_));
        }
        if (first_ || label_.foreColor != fore_ || label_.backColor != back_) {
            fore_ = label_.foreColor;
            back_ = label_.backColor;
            setRole(this, QPalette::Window, back_);
            setAutoFillBackground(back_ != forms::kNoColor);
            // A label on its own background never takes the theme's text colour.
            if (fore_ == forms::kNoColor)
                setTextFor(this, QPalette::WindowText, back_);
            else
                setRole(this, QPalette::WindowText, fore_);
        }
        if (first_ || !samePoints(label_.fontPoints, points_) || label_.proportionalFont != proportional_) {
            points_ = label_.fontPoints;
            proportional_ = label_.proportionalFont;
            rezoom();
        }
        const Qt::Alignment align = label_.centred ? Qt::AlignHCenter | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignTop;
        if (alignment() != align) setAlignment(align);
        first_ = false;
    }

protected:
    void rezoom() override { setFont(controlFont(points_ * zoom_.logical(), !proportional_)); }
    void mouseMoveEvent(QMouseEvent* event) override {
        forms::Label* label = &label_;
        post_(
            label,
            [label] {
                if (label->enabled && label->visible && label->onMouseMove) label->onMouseMove();
            },
            true);
        QLabel::mouseMoveEvent(event);
    }

private:
    forms::Label& label_;
    PostFn post_;
    bool first_ = true;
    std::string caption_;
    forms::Color fore_ = forms::kNoColor, back_ = forms::kNoColor;
    double points_ = 0;
    bool proportional_ = true;
};

class TextView final : public QPlainTextEdit, public ControlView {
public:
    TextView(forms::TextBox& box, QWidget* parent) : QPlainTextEdit(parent), box_(box) {
        setReadOnly(true);
        // The play keys and Ctrl+C must keep reaching the game window.
        setFocusPolicy(Qt::NoFocus);
        verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
        horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
        setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    QWidget* widget() override { return this; }
    forms::Control& control() override { return box_; }
    void syncContent() override {
        if (first_ || box_.text != text_) {
            text_ = box_.text;
            setPlainText(fromModelText(text_));
        }
        if (first_ || !samePoints(box_.fontPoints, points_) || box_.fixedPitch != fixed_) {
            points_ = box_.fontPoints;
            fixed_ = box_.fixedPitch;
            rezoom();
        }
        first_ = false;
    }

protected:
    // The margin grows with the text, so the lines keep their room.
    void rezoom() override {
        setFont(controlFont(points_ * zoom_.logical(), fixed_));
        document()->setDocumentMargin(kTextMargin * zoom_.logical());
    }

private:
    static constexpr qreal kTextMargin = 4;  // Qt's own
    forms::TextBox& box_;
    bool first_ = true;
    std::string text_;
    double points_ = 0;
    bool fixed_ = false;
};

class ButtonView final : public QPushButton, public ControlView {
public:
    ButtonView(forms::Button& button, QWidget* parent, const PostFn& post) : QPushButton(parent), button_(button) {
        setFocusPolicy(Qt::NoFocus);
        setAutoDefault(false);
        forms::Button* b = &button_;
        QObject::connect(this, &QPushButton::clicked, this, [post, b] {
            post(
                b, [b] { b->click(); }, false);
        });
    }
    QWidget* widget() override { return this; }
    forms::Control& control() override { return button_; }

    void syncContent() override {
        if (first_ || button_.caption != caption_) {
            caption_ = button_.caption;
            setText(QString::fromStdString(caption_));
        }
        if (first_ || button_.backColor != back_) {
            back_ = button_.backColor;
            setRole(this, QPalette::Button, back_);
            setTextFor(this, QPalette::ButtonText, back_);
        }
        if (first_ || !samePoints(button_.fontPoints, points_)) {
            points_ = button_.fontPoints;
            rezoom();
        }
        first_ = false;
    }

    CaptionLayout layout() const {
        QStyleOptionButton option;
        initStyleOption(&option);
        return layoutCaption(text(), font(),
                             style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).size());
    }

protected:
    void rezoom() override { setFont(controlFont(points_ * zoom_.logical(), false)); }
    // A caption too long for its button goes onto a second line, as the
    // dialogs were laid out for, instead of being cut off.
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        painter.drawControl(QStyle::CE_PushButton, option);
        const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        const CaptionLayout caption = layout();
        painter.setFont(caption.font);
        style()->drawItemText(&painter, area, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                              caption.lines.join(QLatin1Char('\n')), QPalette::ButtonText);
    }

private:
    forms::Button& button_;
    bool first_ = true;
    std::string caption_;
    forms::Color back_ = forms::kNoColor;
    double points_ = 0;
};

class FrameView final : public QGroupBox, public ControlView {
public:
    FrameView(forms::Frame& frame, QWidget* parent) : QGroupBox(parent), frame_(frame) { setFocusPolicy(Qt::NoFocus); }
    QWidget* widget() override { return this; }
    forms::Control& control() override { return frame_; }
    void syncContent() override {
        if (first_ || frame_.caption != caption_) {
            caption_ = frame_.caption;
            setTitle(QString::fromStdString(caption_));
        }
        first_ = false;
    }

private:
    forms::Frame& frame_;
    bool first_ = true;
    std::string caption_;
};

class ImageView final : public QLabel, public ControlView {
public:
    ImageView(forms::ImageControl& image, QWidget* parent) : QLabel(parent), image_(image) {
        setScaledContents(true);
        setFocusPolicy(Qt::NoFocus);
    }
    QWidget* widget() override { return this; }
    forms::Control& control() override { return image_; }
    void syncContent() override {
        const qint64 key = image_.picture.isNull() ? 0 : image_.picture.cacheKey();
        if (first_ || key != key_) {
            key_ = key;
            if (image_.picture.isNull())
                clear();
            else
                setPixmap(QPixmap::fromImage(image_.picture));
        }
        first_ = false;
    }

private:
    forms::ImageControl& image_;
    bool first_ = true;
    qint64 key_ = 0;
};

}  // namespace

QFont controlFont(double points, bool fixedPitch) {
    QFont font(QString::fromLatin1(fixedPitch ? kFixedFamily : kProportionalFamily));
    font.setStyleHint(fixedPitch ? QFont::Monospace : QFont::SansSerif);
    font.setFixedPitch(fixedPitch);
    if (std::isfinite(points) && points > 0 && points < 2000) font.setPointSizeF(points);
    return font;
}

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

ControlView* makeView(forms::Control& control, QWidget* parent, const PostFn& post) {
    if (auto* c = dynamic_cast<forms::PictureBox*>(&control)) return new PictureView(*c, parent);
    if (auto* c = dynamic_cast<forms::Label*>(&control)) return new LabelView(*c, parent, post);
    if (auto* c = dynamic_cast<forms::TextBox*>(&control)) return new TextView(*c, parent);
    if (auto* c = dynamic_cast<forms::Button*>(&control)) return new ButtonView(*c, parent, post);
    if (auto* c = dynamic_cast<forms::Frame*>(&control)) return new FrameView(*c, parent);
    if (auto* c = dynamic_cast<forms::ImageControl*>(&control)) return new ImageView(*c, parent);
    return nullptr;
}

}  // namespace qtfront
