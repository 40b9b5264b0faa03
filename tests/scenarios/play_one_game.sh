#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One game as a person plays it: Space, moving and firing, an enemy getting
# through, a name for the best score, the result caption, Ctrl+C; then what
# the game wrote to vnbeam.ini.
. "$(dirname "$0")/lib.sh"
begin
zero_scores
start_game
shot title
press space
expect_caption "*EASY GAME ||||*" 3

bot_until_named Tester
quit

# Line 6 is the EASY score, line 7 its name, line 12 the checksum.
[ "$(ini_line 7)" = Tester ] || fail "the name on line 7 is '$(ini_line 7)'"
s=()
for l in 2 4 6 8 10; do s+=("$(ini_line "$l" | tr -d ' ')"); done
[ "${s[2]}" -gt 0 ] 2>/dev/null || fail "the EASY score is '${s[2]}'"
stage=$(ini_line 14 | awk '{print $1}')
sum=$((s[3] / 10 + s[2] / 100 + stage + s[4] / 15 + s[0] / 100 + s[1] / 23))
[ "$(ini_line 12 | tr -d ' ')" = "$sum" ] || fail "checksum $(ini_line 12), expected $sum"
say "score ${s[2]}0 by Tester, checksum $sum"
passed
