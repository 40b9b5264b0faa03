// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_views.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <cmath>

#include "caption_layout.h"
#include "fonts.h"
#include "from_model.h"
#include "picture_view.h"

namespace qtfront {

namespace {

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

bool samePoints(double a, double b) { return std::abs(a - b) < 1e-9; }

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

ControlView* makeView(forms::Control& control, QWidget* parent, const PostFn& post) {
    if (auto* c = dynamic_cast<forms::PictureBox*>(&control)) return makePictureView(*c, parent);
    if (auto* c = dynamic_cast<forms::Label*>(&control)) return new LabelView(*c, parent, post);
    if (auto* c = dynamic_cast<forms::TextBox*>(&control)) return new TextView(*c, parent);
    if (auto* c = dynamic_cast<forms::Button*>(&control)) return new ButtonView(*c, parent, post);
    if (auto* c = dynamic_cast<forms::Frame*>(&control)) return new FrameView(*c, parent);
    if (auto* c = dynamic_cast<forms::ImageControl*>(&control)) return new ImageView(*c, parent);
    return nullptr;
}

}  // namespace qtfront
