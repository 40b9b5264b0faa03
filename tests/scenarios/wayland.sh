#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game on a Wayland desktop (weston), on Qt's Wayland platform: its window
# carries the desktop entry's app id, the title shows, Space starts a game, a
# lane key and fire play, F11 puts it on the whole screen and back, Ctrl+C
# quits with the settings written. Run with SCENARIO_WM=weston.
. "$(dirname "$0")/lib.sh"
[ "$wm" = weston ] || { say "needs SCENARIO_WM=weston"; exit 2; }
desktop=${SCENARIO_DESKTOP:?the built desktop entry}
begin
start_game
shot title
[ "$(wayland_app_id)" = "$(basename "$desktop" .desktop)" ] ||
    fail "the app id is '$(wayland_app_id)', the desktop entry $(basename "$desktop")"

press space
expect_caption "*EASY GAME ||||*" 3
press x space c space
shot play
[ "$(compare -metric AE "$out/title.png" "$out/play.png" null: 2>&1 || true)" != 0 ] || fail "play looks like the title"

# protocol_count REQUEST: how often the game has asked the compositor for it.
protocol_count() { grep -c "xdg_toplevel@[0-9]*\.$1(" "$work/game.log" || true; }
press F11
for _ in $(seq 40); do [ "$(protocol_count set_fullscreen)" -ge 1 ] && break; sleep 0.05; done
[ "$(protocol_count set_fullscreen)" -ge 1 ] || fail "F11 did not ask for the whole screen"
sleep 0.3
shot fullscreen
press F11
for _ in $(seq 40); do [ "$(protocol_count unset_fullscreen)" -ge 1 ] && break; sleep 0.05; done
[ "$(protocol_count unset_fullscreen)" -ge 1 ] || fail "the second F11 did not leave the whole screen"

quit
[ -s "$game/vnbeam-window.txt" ] || fail "no vnbeam-window.txt written"
say "app id $(wayland_app_id)"
passed
