#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A menu closed by Escape, by a click elsewhere or by a lone Alt gives the
# keyboard straight back to the game: play keys never open or work the menus.
. "$(dirname "$0")/lib.sh"
begin
start_game

press alt+o
expect_menu "Alt+O"
press Escape
expect_no_menu "after Escape"
shot escaped
# The bar keeps no highlighted title once its menu is closed.
hardly escaped 0 0 350 "$(bar_height)" "rgb(48,140,198)" || fail "設定(O) stays highlighted after Escape"

press space
expect_caption "*EASY GAME ||||*" 3
sleep 0.3
expect_no_menu "Space started the game and dropped a menu"
# V is a lane key and Ctrl+V the voice; M the wave shot and Alt+M ﾒﾆｭｰ; T the
# freeze and (T) back to the title.
for k in v m t; do press "$k"; expect_no_menu "after $k in play"; done

# A menu opened by a click and closed by a click on the picture.
bar=$(bar_height)
xdotool mousemove --window "$win" 88 $((bar / 2)) click 1
expect_menu "a click on 設定"
xdotool mousemove --window "$win" 175 $((bar + 250)) click 1
sleep 0.3
expect_no_menu "after a click on the picture"
for k in v m t; do press "$k"; expect_no_menu "after $k following a click elsewhere"; done

# A lone Alt, and F10, are keys a player may give to an action.
for k in alt F10 Alt_R; do press "$k" m t; expect_no_menu "after $k then M and T"; done

# Still playing (the pause label only shows in play), voice still on.
press F3
sleep 0.3
shot paused
mostly paused 20 $((bar + 274)) 20 20 "rgb(40,20,60)" || fail "F3 shows no pause label: the game is not playing"
press space
sleep 0.3
shot resumed
hardly resumed 20 $((bar + 274)) 20 20 "rgb(40,20,60)" || fail "Space did not end the pause"
quit
[ "$(ini_line 14 | awk '{print $2}')" = True ] || fail "the voice was switched off: $(ini_line 14)"
passed
