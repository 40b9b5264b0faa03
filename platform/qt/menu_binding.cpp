// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_binding.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>

namespace qtfront {

namespace {

// Menus nested deeper than this come from a broken model (a cycle), not a game.
constexpr int kMaxMenuDepth = 8;

// The menu bar never takes the keyboard for itself: a lone Alt does not enter
// it, and a menu closed by Escape leaves nothing highlighted behind. Otherwise
// the next play key (Space, V, M, T) would open or run a menu item, and a
// player may give Alt itself to an action. Alt+letter and the shortcuts still
// open the menus, and inside a dropped menu the keys work as usual.
class MenuBarStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

QMenuBar* makeMenuBar(QMainWindow* window) {
    auto* bar = new QMenuBar(window);
    // The bar stays in the window on every desktop, so the client area and
    // the shortcuts behave the same everywhere.
    bar->setNativeMenuBar(false);
    auto* barStyle = new MenuBarStyle;
    barStyle->setParent(bar);
    bar->setStyle(barStyle);
    return bar;
}

MenuBinding::MenuBinding(QMenuBar* bar, const std::vector<forms::MenuItem*>& items, PostFn post)
    : post_(std::move(post)) {
    build(bar, items, -1);
}

void MenuBinding::build(QWidget* host, const std::vector<forms::MenuItem*>& items, int parent) {
    int depth = 0;
    for (int p = parent; p >= 0; p = menus_[p].parent) ++depth;
    if (depth >= kMaxMenuDepth) return;
    for (forms::MenuItem* item : items) {
        if (!item) continue;
        const size_t index = menus_.size();
        if (!item->children.empty()) {
            auto* menu = new QMenu(host);
            host->addAction(menu->menuAction());
            menus_.push_back({item, menu->menuAction(), parent, {}, {}});
            build(menu, item->children, static_cast<int>(index));
            continue;
        }
        auto* action = new QAction(host);
        host->addAction(action);
        menus_.push_back({item, action, parent, {}, {}});
        QObject::connect(action, &QAction::triggered, action, [this, index] {
            post_(
                menus_[index].item,
                [this, index] {
                    if (actionable(index)) menus_[index].item->click();
                },
                false);
        });
    }
}

bool MenuBinding::actionable(size_t binding) const {
    // Read from the model at run time: a command queued before this one may have
    // disabled or hidden the item since.
    for (int i = static_cast<int>(binding); i >= 0; i = menus_[i].parent) {
        const forms::MenuItem& item = *menus_[i].item;
        if (!item.enabled || !item.visible) return false;
    }
    return true;
}

void MenuBinding::sync() {
    for (Binding& b : menus_) {
        const forms::MenuItem& item = *b.item;
        QAction* action = b.action;
        // Qt drops the shortcut of an invisible action, so a hidden menu's
        // shortcuts are hidden with its items.
        b.shown = item.visible && (b.parent < 0 || menus_[b.parent].shown);
        if (b.fresh || item.caption != b.caption) {
            b.caption = item.caption;
            action->setSeparator(item.isSeparator());
            // A separator with text is drawn as a section heading: "-" would show.
            action->setText(item.isSeparator() ? QString() : QString::fromStdString(item.caption));
        }
        if (b.fresh || item.shortcut != b.shortcut) {
            b.shortcut = item.shortcut;
            action->setShortcut(
                QKeySequence::fromString(QString::fromStdString(item.shortcut), QKeySequence::PortableText));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        // Qt reports a hidden action as disabled, so the flag is compared with
        // what was last set, not with the action.
        if (b.fresh || item.enabled != b.enabled) {
            b.enabled = item.enabled;
            action->setEnabled(item.enabled);
        }
        if (action->isVisible() != b.shown) action->setVisible(b.shown);
        // Only a checked item shows a check box, as on the desktop the game was
        // made for. Compared with the action itself: a click toggles it in Qt.
        if (action->isCheckable() != item.checked) action->setCheckable(item.checked);
        if (action->isChecked() != item.checked) action->setChecked(item.checked);
        b.fresh = false;
    }
}

QAction* MenuBinding::actionOf(const forms::MenuItem& item) const {
    for (const Binding& b : menus_)
        if (b.item == &item) return b.action;
    return nullptr;
}

}  // namespace qtfront
