// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_placement.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace qtfront {

namespace {

// Frames nested deeper than this come from a broken model (a cycle), not a game.
constexpr int kMaxFrameDepth = 8;

}  // namespace

ControlPlacement::ControlPlacement(forms::Form& form, QWidget* client, PostFn post)
    : form_(form), client_(client), post_(std::move(post)) {}

ControlView* ControlPlacement::viewFor(forms::Control* control, int depth) {
    for (const Placed& p : views_)
        if (p.control == control) return p.view;
    QWidget* parent = client_;
    // A frame's controls are its children, placed relative to it.
    forms::Control* frame = control->parent;
    if (frame && frame != control && depth < kMaxFrameDepth &&
        std::find(form_.controls.begin(), form_.controls.end(), frame) != form_.controls.end()) {
        if (ControlView* v = viewFor(frame, depth + 1)) parent = v->widget();
    }
    ControlView* view = makeView(*control, parent, post_);
    if (view) {
        view->setZoom(zoom_);
        views_.push_back({control, view, parent, QRect(0, 0, -1, -1)});
        if (!control->accessibleName.empty())
            view->widget()->setAccessibleName(QString::fromStdString(control->accessibleName));
        focus_.adopt(view->widget(), form_.dialog);
    }
    return view;
}

void ControlPlacement::removeGone() {
    // A control taken out of the list loses its widget (and never is touched
    // again: it may be gone).
    for (auto it = views_.begin(); it != views_.end();) {
        if (std::find(form_.controls.begin(), form_.controls.end(), it->control) == form_.controls.end()) {
            QWidget* w = it->view->widget();
            it = views_.erase(it);
            // Children of a removed frame lose their parent widget with it.
            views_.erase(std::remove_if(views_.begin(), views_.end(),
                                        [w](const Placed& p) { return w->isAncestorOf(p.view->widget()); }),
                         views_.end());
            delete w;
            it = views_.begin();
        } else {
            ++it;
        }
    }
}

void ControlPlacement::sync() {
    for (forms::Control* c : form_.controls)
        if (c) viewFor(c);
    QWidget* const window = client_->window();
    QWidget* const focused = window->focusWidget();
    removeGone();
    for (Placed& p : views_) {
        forms::Control& c = *p.control;
        QRect g(c.left, c.top, std::clamp(c.width, 0, kMaxClientSide), std::clamp(c.height, 0, kMaxClientSide));
        // A control whose frame is not shown keeps the frame's offset.
        if (p.parent == client_) {
            int depth = 0;
            for (const forms::Control* f = c.parent; f && f != &c && depth < kMaxFrameDepth; f = f->parent, ++depth)
                g.translate(f->left, f->top);
        }
        if (!(zoom_ == Zoom{})) {
            const qreal s = zoom_.logical();
            const QPoint topLeft(static_cast<int>(std::lround(g.left() * s)),
                                 static_cast<int>(std::lround(g.top() * s)));
            g = QRect(topLeft, QPoint(static_cast<int>(std::lround((g.right() + 1) * s)) - 1,
                                      static_cast<int>(std::lround((g.bottom() + 1) * s)) - 1));
        }
        QWidget* w = p.view->widget();
        if (g != p.geometry) {
            w->setGeometry(g);
            p.geometry = g;
        }
        if (w->isHidden() == c.visible) w->setVisible(c.visible);
        if (explicitlyDisabled(w) == c.enabled) {
            if (!c.enabled) focus_.disabling(w, focused);
            w->setEnabled(c.enabled);
        }
        p.view->syncContent();
    }
    focus_.settle(window);
    if (focus_.orderDue()) {
        std::vector<QWidget*> controls;
        for (const Placed& p : views_) controls.push_back(p.view->widget());
        focus_.orderTabs(controls);
    }
}

void ControlPlacement::setZoom(const Zoom& zoom) {
    zoom_ = zoom;
    for (Placed& p : views_) {
        p.view->setZoom(zoom_);
        p.geometry = QRect(0, 0, -1, -1);
    }
    sync();
}

void ControlPlacement::paintNow() {
    for (const Placed& p : views_) p.view->paintNow();
}

QWidget* ControlPlacement::widgetOf(const forms::Control& control) const {
    for (const Placed& p : views_)
        if (p.control == &control) return p.view->widget();
    return nullptr;
}

}  // namespace qtfront
