#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Another program destroys the game's window (xdotool windowclose is
# XDestroyWindow): the game takes it as the window closed, writes its
# settings and ends, instead of running on with no window.
. "$(dirname "$0")/lib.sh"
begin
start_game
press space
expect_caption "*EASY GAME ||||*" 3
xdotool windowclose "$win"
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$game_pid" 2>/dev/null && fail "the game runs on without its window"
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" = 0 ] || fail "the program ended with status $status"
[ -f "$game/vnbeam.ini" ] || fail "no vnbeam.ini written"
passed
