// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of a form on screen: a view for each control of the model,
// made when the control appears and dropped when it leaves, placed at its
// pixel position (inside its frame, if any) and enlarged with the zoom.
#pragma once

#include <QRect>

#include <vector>

#include "control_views.h"
#include "dialog_focus.h"
#include "forms/forms.h"

class QWidget;

namespace qtfront {

class ControlPlacement {
public:
    // The views are children of `client`; `post` queues their input.
    ControlPlacement(forms::Form& form, QWidget* client, PostFn post);
    ControlPlacement(const ControlPlacement&) = delete;
    ControlPlacement& operator=(const ControlPlacement&) = delete;

    // Brings every view up to the model: made, removed, placed, shown, enabled.
    void sync();
    // Every control and its font at a new zoom.
    void setZoom(const Zoom& zoom);
    void paintNow();
    QWidget* widgetOf(const forms::Control& control) const;

private:
    struct Placed {
        forms::Control* control;
        ControlView* view;
        QWidget* parent;
        QRect geometry;
    };

    ControlView* viewFor(forms::Control* control, int depth = 0);
    void removeGone();

    forms::Form& form_;
    QWidget* client_;
    PostFn post_;
    Zoom zoom_;
    std::vector<Placed> views_;
    DialogFocus focus_;
};

}  // namespace qtfront
