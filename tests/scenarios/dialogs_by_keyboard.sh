#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The key dialog and the version dialog: Escape closes them (but the Escape
# that ends a capture only ends it), a captured key is kept by 設定完了, the
# version dialog's button closes at its second click, and under a window
# manager Alt+F4 closes the key dialog and gives the game window back.
. "$(dirname "$0")/lib.sh"
begin
start_game
keys=使用するキーの設定
version="ルル子のVORN BEAMのｳﾞｧｰｼﾞｮﾝ情報"

open_keys() {
    focus "$win"
    xdotool key ctrl+k
    dlg=$(wait_window "$keys" 5) || fail "Ctrl+K opened no key dialog"
    focus "$dlg"
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.2; }

open_keys
press Escape
gone "$keys" 3 || fail "Escape did not close the key dialog"

open_keys
click "$dlg" 54 150        # 1 左端
press Escape               # ends the capture only
sleep 0.3
wait_window "$keys" 1 >/dev/null || fail "the Escape that ended a capture closed the dialog"
click "$dlg" 54 150
press a
click "$dlg" 224 314       # 設定完了
gone "$keys" 3 || fail "設定完了 did not close the key dialog"

if [ "$wm" = openbox ]; then
    open_keys
    press alt+F4
    gone "$keys" 3 || fail "Alt+F4 did not close the key dialog"
fi
focus "$win"
press F2
expect_caption "*EASY GAME ||||*" 3    # the game window takes commands again
press F5

for closer in escape button; do
    focus "$win"
    press alt+h v
    box=$(wait_window "$version" 5) || fail "no version dialog"
    focus "$box"
    if [ "$closer" = escape ]; then
        press Escape
    else
        click "$box" 230 124
        wait_window "$version" 1 >/dev/null || fail "the first click closed the version dialog"
        click "$box" 230 124
    fi
    gone "$version" 3 || fail "the version dialog stayed open ($closer)"
done
quit
[ "$(ini_line 13 | awk '{print $1}')" = 65 ] || fail "the captured A is not the left lane key: $(ini_line 13)"
passed
