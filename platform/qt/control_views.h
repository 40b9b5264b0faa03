// SPDX-License-Identifier: GPL-3.0-or-later
// The widgets that show the controls of a form model, one class per kind of
// control (the picture box's, which does more, in picture_view). They keep no
// state of the game: they read the model at sync() and turn input into queued
// model callbacks.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

#include "forms/forms.h"

namespace qtfront {

// Queues a callback to run outside Qt's event dispatch. `source` names the
// control, so a flood of mouse moves over one label queues one call
// (coalesce = true).
using PostFn = std::function<void(const void* source, std::function<void()> action, bool coalesce)>;

// How large a form's controls show: `factor` device pixels for each pixel of
// the model, on a screen with `pixelRatio` device pixels to a logical one.
struct Zoom {
    int factor = 1;
    qreal pixelRatio = 1;
    // Logical pixels (and font points) for each pixel (point) of the model.
    qreal logical() const { return factor / pixelRatio; }
    bool operator==(const Zoom&) const = default;
};

// One control on screen. Geometry, visibility and the enabled flag are the
// form window's to mirror; a view mirrors what is particular to its kind.
class ControlView {
public:
    virtual ~ControlView() = default;
    virtual QWidget* widget() = 0;
    virtual forms::Control& control() = 0;
    virtual void syncContent() = 0;
    // Paints now, for the views whose drawing changes between events.
    virtual void paintNow() {}
    // Fonts and pictures follow the zoom; the geometry is the form window's.
    void setZoom(const Zoom& zoom) {
        if (zoom == zoom_) return;
        zoom_ = zoom;
        rezoom();
    }

protected:
    virtual void rezoom() {}
    Zoom zoom_;
};

// The largest side a client area or a control is given: a model asking for
// more is broken, and a window that large could not be shown.
inline constexpr int kMaxClientSide = 8192;

// Disabled by the model itself, not only by a disabled window around it.
inline bool explicitlyDisabled(const QWidget* w) { return w->testAttribute(Qt::WA_ForceDisabled); }

// A widget for `control`, a child of `parent` (owned by it); nullptr for a kind
// of control the front does not know.
ControlView* makeView(forms::Control& control, QWidget* parent, const PostFn& post);

}  // namespace qtfront
