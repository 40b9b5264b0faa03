#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Ctrl+C ends the program, with the settings written, from the title, from
# play and with the best-score box open.
. "$(dirname "$0")/lib.sh"
begin
for where in title play box; do
    start_game
    case $where in
    play) press space; expect_caption "*EASY GAME ||||*" 3 ;;
    box) press F4; sleep 0.3; shot scores
         mostly scores 100 $(($(bar_height) + 140)) 100 60 "rgb(255,255,255)" || fail "F4 shows no best-score box" ;;
    esac
    quit
    say "quit from the $where"
done
passed
