#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Any keyboard layout: with the X layout switched to Russian, Greek, French and
# German, the default lane keys Z and B (pressed where each layout has them)
# still move the heroine to the leftmost and the rightmost lane.
. "$(dirname "$0")/lib.sh"
begin
start_game
press space
expect_caption "*EASY GAME ||||*" 3
sleep 0.8
bar=$(bar_height)

# The heroine's place at the top of lane J (0-4) in a screenshot.
lane_box() { echo $((16 + 75 * $1)) $((bar + 5)) 34 48; }

# layout, X key code of Z, X key code of B on it
for row in "ru 52 56" "gr 52 56" "fr 25 56" "de 29 56"; do
    set -- $row
    setxkbmap -layout "$1" || fail "setxkbmap $1"
    sleep 0.3
    focus "$win"
    press_code "$2"
    sleep 0.3
    shot "$1-left"
    press_code "$3"
    sleep 0.3
    shot "$1-right"
    for lane in 0 4; do
        moved=$(changed "$1-left" "$1-right" $(lane_box $lane))
        [ "${moved:-0}" -gt 200 ] 2>/dev/null || fail "$1: the heroine did not move in or out of lane $((lane + 1)) ($moved pixels)"
    done
    say "$1: Z and B move the heroine"
done
setxkbmap -layout us
quit
passed
