// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's menu bar as the player sees it: captions, access keys,
// shortcuts, check marks and the items hidden or disabled at the start.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "qt/form_window.h"
#include "qt_environment.h"

namespace {

// The bar as the player sees it, in one text: each action with its shortcut
// and marks ("box": a check box left empty), a menu's items in braces. Qt
// disables a hidden action, which is what keeps its shortcut quiet.
std::string describe(const QList<QAction*>& actions) {
    std::string out;
    for (QAction* a : actions) {
        out += (out.empty() ? "" : "; ") + (a->isSeparator() ? "-" : a->text().toStdString());
        if (!a->shortcut().isEmpty())
            out += " [" + a->shortcut().toString(QKeySequence::PortableText).toStdString() + "]";
        if (a->isCheckable() || a->isChecked()) out += a->isChecked() ? " checked" : " box";
        if (!a->isEnabled()) out += " disabled";
        if (!a->isVisible()) out += " hidden";
        if (a->menu()) out += " {" + describe(a->menu()->actions()) + "}";
    }
    return out;
}

TEST_F(QtGameWindow, MenuCaptionsAccessKeysShortcutsAndInitialStates) {
    EXPECT_EQ(
        describe(window->menuBar()->actions()),
        "ﾒﾆｭｰ(&M) {遊戯開始 (&S) [F2]; 一時停止 (&P) [F3]; -; ハイスコアの表示 (&H) [F4]; "
        "タイトル画面に戻る (&T) [F5]; -; 遊戯終了 (&Q) [Ctrl+C]}; "
        "設定(&O) {難易度 (&L) {SUPER EASY (&0); VERY EASY (&1); EASY (&2) checked; NORMAL (&3) disabled; "
        "EXPERT (&4) disabled; GOLDEN FINGER disabled hidden; SPILITUAL FEVER disabled hidden; "
        "SUDDEN MODE disabled hidden}; -; 描画にMMXを使用 (&M); キーの設定 (&K)... [Ctrl+K]; "
        "声がでてしまう (&V) [Ctrl+V] checked; ちょっち過激な表現 (&B) [Ctrl+B] checked; FPSの表示 (&F) [Ctrl+F]; -; "
        "設定・ハイスコアをリセット (&R)...}; "
        "ﾃﾞﾊﾞｯｸﾞ(&D) {コード入力 (&C)... [Ctrl+Z]; 画面キャプチャ [F9]}; "
        "ﾍﾙﾌﾟ(&H) {Webブラウザでﾍﾙﾌﾟﾌｧｲﾙを見る (&H)... [F1]; -; ヴァージョン情報 (&V)...}");
    // Ctrl+C quits from anywhere in the window.
    EXPECT_EQ(sv.actionOf(f.mnuQuit)->shortcutContext(), Qt::WindowShortcut);
}

}  // namespace
