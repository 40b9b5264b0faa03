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
ended_with 0 5 "destroying its window"
[ -f "$game/vnbeam.ini" ] || fail "no vnbeam.ini written"
passed
