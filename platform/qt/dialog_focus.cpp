// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_focus.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace qtfront {

namespace {

// Accessibility tools learn a dialog's role from this mark on its window.
constexpr const char* kDialogMark = "lanebeamDialog";

QAccessibleInterface* dialogAccessible(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (w && w->isWindow() && w->property(kDialogMark).toBool()) return new QAccessibleWidget(w, QAccessible::Dialog);
    return nullptr;
}

bool dialogFactoryInstalled = false;

// Reading order: row by row, then left to right, in the window's pixels.
bool readsBefore(const QWidget* a, const QWidget* b) {
    const QPoint pa = a->mapTo(a->window(), QPoint(0, 0)), pb = b->mapTo(b->window(), QPoint(0, 0));
    return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
}

}  // namespace

void markAsDialog(QWidget* window) {
    if (!dialogFactoryInstalled) {
        QAccessible::installFactory(dialogAccessible);
        dialogFactoryInstalled = true;
    }
    window->setProperty(kDialogMark, true);
}

void DialogFocus::adopt(QWidget* control, bool dialog) {
    // Only a dialog's buttons take the keyboard: in the game window a
    // focused button would eat the play keys.
    if (auto* button = qobject_cast<QPushButton*>(control); button && dialog) {
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAutoDefault(true);
        orderDue_ = true;
    }
}

void DialogFocus::disabling(QWidget* control, const QWidget* focused) {
    // Qt hands the focus of a disabled button on, and with every button
    // disabled (a key capture) drops it; it comes back once they return.
    if (control == focused) focusBeforeDisabled_ = control;
}

void DialogFocus::settle(QWidget* window) {
    if (focusBeforeDisabled_ && focusBeforeDisabled_->isEnabled() && focusBeforeDisabled_->isVisible()) {
        const QWidget* now = window->focusWidget();
        if (!now || !now->isEnabled()) focusBeforeDisabled_->setFocus(Qt::OtherFocusReason);
        focusBeforeDisabled_ = nullptr;
    }
}

void DialogFocus::orderTabs(const std::vector<QWidget*>& controls) {
    orderDue_ = false;
    std::vector<QWidget*> order;
    for (QWidget* w : controls)
        if (w->focusPolicy() & Qt::TabFocus) order.push_back(w);
    std::stable_sort(order.begin(), order.end(), readsBefore);
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace qtfront
