// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#include "document_opener.h"
#include "fonts.h"
#include "form_window.h"
#include "from_model.h"
#include "gamepad.h"
#include "key_state.h"
#include "sound_player.h"
#include "wingdi.h"

namespace qtfront {

namespace {

// A wait never sleeps longer than this in one turn, whatever deadline it was
// given, so a deadline computed from a broken tick cannot freeze the window.
constexpr int32_t kLongestSleepMs = 100;
constexpr auto kShortSleep = std::chrono::microseconds(200);
constexpr double kDialogPoints = 9;  // the dialogs' own size, as forms::Button has it

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case platform::kMbCritical: return QMessageBox::Critical;
    case 32: return QMessageBox::Question;
    case platform::kMbExclamation: return QMessageBox::Warning;
    case platform::kMbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

QtServices::QtServices()
    : keys_(std::make_unique<KeyState>()),
      pads_(std::make_unique<Gamepads>()),
      sound_(std::make_unique<SoundPlayer>()),
      opener_(std::make_unique<DocumentOpener>()) {
    // One font for the menus, the boxes and the dialogs, whatever the
    // desktop's theme gives: the dialogs' buttons are laid out for it.
    QApplication::setFont(controlFont(kDialogPoints, false));
}

QtServices::~QtServices() {
    // Every sound stopped and released first, while the application and the
    // sound server's connection still stand.
    sound_.reset();
    queue_.clear();
    windows_.clear();
}

int16_t QtServices::GetKeyState(int vk) { return keys_->isDown(vk) ? static_cast<int16_t>(0xFF80) : 0; }

void QtServices::releaseKeys() { keys_->clear(); }

void QtServices::DoEvents() {
    keys_->beginEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // With no exec() running, nothing else deletes what Qt scheduled with deleteLater().
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    pollPads();
    if (opener_->watching())
        opener_->poll([this](std::function<void()> failed) { post(nullptr, nullptr, std::move(failed), false); });
    runQueue();
    syncAll();
}

FormWindow* QtServices::padTarget() const {
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) return nullptr;
    for (const auto& w : windows_) {
        const forms::Form& form = w->form();
        if (form.padKeys && form.visible && form.enabled && w->window()->isActiveWindow()) return w.get();
    }
    return nullptr;
}

void QtServices::pollPads() {
    FormWindow* target = padTarget();
    pads_->poll([&](const PadChange& change) {
        if (!change.down) {
            keys_->padRelease(change.id);
            return;
        }
        if (!target) return;
        forms::Form* form = &target->form();
        const forms::PadKeys k = form->padKeys();
        int code = 0;
        switch (change.control) {
        case PadControl::Left: code = k.left; break;
        case PadControl::Right: code = k.right; break;
        case PadControl::South: code = k.south; break;
        case PadControl::West: code = k.west; break;
        case PadControl::North: code = k.north; break;
        case PadControl::East: code = k.east; break;
        case PadControl::Start: code = k.start; break;
        }
        if (change.control == PadControl::Start && code == 0) {
            post(
                form, &form->onPadStart,
                [form] {
                    if (form->enabled && form->onPadStart) form->onPadStart();
                },
                true);
            return;
        }
        keys_->padPress(change.id, code);
    });
    // A dialog or a box must not see what the pad held before it opened.
    if (!target) keys_->padReleaseAll();
}

void QtServices::post(const forms::Form* form, const void* source, std::function<void()> action, bool coalesce) {
    if (coalesce) {
        for (const Queued& q : queue_)
            if (q.coalesce && q.form == form && q.source == source) return;
    }
    queue_.push_back({form, source, coalesce, std::move(action)});
}

void QtServices::runQueue() {
    // Taken off the queue before it runs: the callback may unload its form (which
    // drops that form's other callbacks), run DoEvents again, or end the program.
    while (!queue_.empty()) {
        Queued next = std::move(queue_.front());
        queue_.pop_front();
        next.action();
    }
}

void QtServices::syncAll() {
    for (const auto& w : windows_) w->sync();
}

void QtServices::idle(int32_t deadline) {
    // One sleep to the millisecond after the deadline: the waits that call this
    // without DoEvents read keys that only change when events are processed, so
    // nothing is missed, and each wait wakes the processor once.
    const int64_t micros = lbMicrosUntilTick(static_cast<int32_t>(static_cast<uint32_t>(deadline) + 1u));
    if (micros > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(std::min<int64_t>(micros, kLongestSleepMs * 1000)));
    else
        std::this_thread::sleep_for(kShortSleep);
}

void QtServices::repaint() {
    syncAll();
    for (const auto& w : windows_) w->paintPicturesNow();
}

void QtServices::sndPlaySoundA(const std::string& path, uint32_t) { sound_->play(path); }

bool QtServices::shellOpen(const std::string& file, const std::string& folder, std::function<void()> failed) {
    if (file.empty()) return false;
    // The path stays the system's bytes: a folder name that is not UTF-8 would
    // not survive a trip through QString.
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(
        folder.empty() ? std::filesystem::path(file) : std::filesystem::path(folder) / file, error);
    if (error || !std::filesystem::exists(path, error)) return false;
    return opener_->open(path.string(), std::move(failed));
}

void QtServices::setClipboardImage(const QImage& image) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(image);
}

QWidget* QtServices::boxParent() const {
    QWidget* active = QApplication::activeWindow();
    for (const auto& w : windows_)
        if (w->window() == active) return active;
    for (const auto& w : windows_)
        if (w->window()->isVisible()) return w->window();
    return nullptr;
}

void QtServices::afterModal(QWidget* previouslyActive) {
    // Keys pressed to answer the box are not play keys, and their releases may
    // have gone to a window that no longer exists.
    keys_->clear();
    pads_->discard();
    // Without a window manager nobody gives the keyboard back to the game.
    if (previouslyActive && previouslyActive->isVisible()) previouslyActive->activateWindow();
}

void QtServices::requestEnd() {
    ending_ = true;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal) break;
    }
    for (const auto& w : windows_) {
        forms::Form* form = &w->form();
        if (!form->onUnload) continue;
        post(
            form, &ending_, [form] { form->onUnload(); }, true);
        return;
    }
    post(
        nullptr, &ending_, [this] { endProgram(0); }, true);
}

void QtServices::raiseWindows() {
    for (const auto& w : windows_) {
        QWidget* window = w->window();
        if (!window->isVisible()) continue;
        if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->raise();
        window->activateWindow();
    }
}

void QtServices::msgBox(const std::string& text, const std::string& title, int style) {
    // A run that is ending answers nobody: the player is gone or the display is.
    if (ending_) return;
    // The loop stands still while the box is open: what the windows show now
    // is what the player sees behind it.
    repaint();
    QPointer<QWidget> active = QApplication::activeWindow();
    {
        QMessageBox box(iconOf(style), QString::fromStdString(title), fromModelText(text), QMessageBox::Ok,
                        boxParent());
        box.exec();
    }
    afterModal(active);
}

std::string QtServices::inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    if (ending_) return std::string();
    repaint();
    QPointer<QWidget> active = QApplication::activeWindow();
    bool accepted = false;
    QString value;
    {
        QInputDialog dialog(boxParent());
        dialog.setInputMode(QInputDialog::TextInput);
        dialog.setWindowTitle(QString::fromStdString(title));
        dialog.setLabelText(fromModelText(prompt));
        dialog.setTextValue(QString::fromStdString(defaultText));
        accepted = dialog.exec() == QDialog::Accepted;
        value = dialog.textValue();
    }
    afterModal(active);
    return accepted ? value.toStdString() : std::string();
}

FormWindow* QtServices::find(const forms::Form& form) const {
    for (const auto& w : windows_)
        if (&w->form() == &form) return w.get();
    return nullptr;
}

void QtServices::showForm(forms::Form& form) {
    FormWindow* window = find(form);
    if (!window) {
        forms::Form* f = &form;
        windows_.push_back(std::make_unique<FormWindow>(
            form,
            [this, f](const void* source, std::function<void()> action, bool coalesce) {
                post(f, source, std::move(action), coalesce);
            },
            [this, f] { unloadForm(*f); }, form.scalable ? windowSizeFile_ : std::string()));
        window = windows_.back().get();
    }
    const QWidget* over = nullptr;
    for (const auto& w : windows_)
        if (w.get() != window && w->window()->isVisible()) {
            over = w->window();
            break;
        }
    window->show(over);
}

void QtServices::unloadForm(forms::Form& form) {
    std::erase_if(queue_, [&form](const Queued& q) { return q.form == &form; });
    auto it = std::find_if(windows_.begin(), windows_.end(), [&form](const auto& w) { return &w->form() == &form; });
    if (it != windows_.end()) {
        const bool hadKeyboard = (*it)->window()->isActiveWindow();
        std::unique_ptr<FormWindow> gone = std::move(*it);
        windows_.erase(it);
        gone.reset();
        // The keyboard goes back to a window of the game, even where no window
        // manager would hand it on.
        if (hadKeyboard)
            for (const auto& w : windows_)
                if (w->window()->isVisible()) {
                    w->window()->activateWindow();
                    break;
                }
    }
    form.visible = false;
}

void QtServices::endProgram(int status) { throw platform::ProgramEnd{status}; }

QWidget* QtServices::windowOf(const forms::Form& form) const {
    FormWindow* w = find(form);
    return w ? w->window() : nullptr;
}

QWidget* QtServices::widgetOf(const forms::Control& control) const {
    for (const auto& w : windows_)
        if (QWidget* widget = w->widgetOf(control)) return widget;
    return nullptr;
}

QAction* QtServices::actionOf(const forms::MenuItem& item) const {
    for (const auto& w : windows_)
        if (QAction* action = w->actionOf(item)) return action;
    return nullptr;
}

}  // namespace qtfront
