#include "control_views.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <cmath>

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

QString fromModelText(const std::string& text) {
    // The game joins lines with CR LF, as the boxes it was written for expect.
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

bool samePoints(double a, double b) { return std::abs(a - b) < 1e-9; }

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
            update();
        }
    }
    void paintNow() override {
        refreshSeen_ = box_.refreshCount();
        if (!isVisible()) return;
        // The title scene repaints a hundred times a second a picture that
        // changes only with a stamp: a picture nothing drew on since it was
        // shown is not sent again (telling costs no look at its pixels).
        const forms::PictureBox::Version version = box_.version();
        if (version == shown_) return;
        shown_ = version;
        repaint();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        // Whole pixels stay whole on a high-density screen: no smoothing.
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        const QImage area = box_.peek();
        if (area.width() < width() || area.height() < height())
            p.fillRect(rect(), toQColor(box_.backColor));
        // A drawing area larger than the box is cut off, never squeezed.
        if (!area.isNull()) p.drawImage(QPoint(0, 0), area);
    }

private:
    forms::PictureBox& box_;
    unsigned refreshSeen_ = 0;
    forms::PictureBox::Version shown_;  // the drawing the last paintNow put on the screen
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
        if (first_ || label_.foreColor != fore_) {
            fore_ = label_.foreColor;
            setRole(this, QPalette::WindowText, fore_);
        }
        if (first_ || label_.backColor != back_) {
            back_ = label_.backColor;
            setRole(this, QPalette::Window, back_);
            setAutoFillBackground(back_ != forms::kNoColor);
        }
        if (first_ || !samePoints(label_.fontPoints, points_) || label_.proportionalFont != proportional_) {
            points_ = label_.fontPoints;
            proportional_ = label_.proportionalFont;
            setFont(controlFont(points_, !proportional_));
        }
        const Qt::Alignment align =
            label_.centred ? Qt::AlignHCenter | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignTop;
        if (alignment() != align) setAlignment(align);
        first_ = false;
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override {
        forms::Label* label = &label_;
        post_(label, [label] {
            if (label->enabled && label->visible && label->onMouseMove) label->onMouseMove();
        }, true);
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
            setFont(controlFont(points_, fixed_));
        }
        first_ = false;
    }

private:
    forms::TextBox& box_;
    bool first_ = true;
    std::string text_;
    double points_ = 0;
    bool fixed_ = false;
};

class ButtonView final : public QPushButton, public ControlView {
public:
    ButtonView(forms::Button& button, QWidget* parent, const PostFn& post)
        : QPushButton(parent), button_(button) {
        setFocusPolicy(Qt::NoFocus);
        setAutoDefault(false);
        forms::Button* b = &button_;
        QObject::connect(this, &QPushButton::clicked, this,
                         [post, b] { post(b, [b] { b->click(); }, false); });
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
        }
        if (first_ || !samePoints(button_.fontPoints, points_)) {
            points_ = button_.fontPoints;
            setFont(controlFont(points_, false));
        }
        first_ = false;
    }

    CaptionLayout layout() const {
        QStyleOptionButton option;
        initStyleOption(&option);
        return layoutCaption(text(), font(), style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).size());
    }

protected:
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
    FrameView(forms::Frame& frame, QWidget* parent) : QGroupBox(parent), frame_(frame) {
        setFocusPolicy(Qt::NoFocus);
    }
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
    if (std::isfinite(points) && points > 0 && points < 200) font.setPointSizeF(points);
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
