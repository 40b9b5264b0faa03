// SPDX-License-Identifier: GPL-3.0-or-later
// The top-level widget of a form's window: it routes the close box, the keys no
// control takes and the changes of size and state to the form window.
#pragma once

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QResizeEvent>

#include <functional>

#include "key_state.h"

namespace qtfront {

// The close box never closes a window by itself: the model decides, later,
// outside Qt's event dispatch. Base is QMainWindow or QWidget.
template <class Base>
class TopLevel final : public Base {
public:
    std::function<void()> onClose;
    std::function<void(int vk)> onKey;
    std::function<void()> onResize;  // a new size or window state

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (onClose) onClose();
    }
    void resizeEvent(QResizeEvent* event) override {
        Base::resizeEvent(event);
        if (onResize) onResize();
    }
    void changeEvent(QEvent* event) override {
        Base::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange && onResize) onResize();
    }
    // Reached by the keys no control takes, which in these windows is all of them.
    void keyPressEvent(QKeyEvent* event) override {
        if (onKey && !event->isAutoRepeat())
            if (const int vk =
                    virtualKeysOf(event->key(), event->modifiers(), event->nativeVirtualKey(), event->nativeScanCode())
                        .code)
                onKey(vk);
        Base::keyPressEvent(event);
    }
};

}  // namespace qtfront
