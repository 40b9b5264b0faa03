#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program folder's name need not be UTF-8: a Latin-1 byte ("caf\xe9") or
# code page 932 bytes (what unpacking a Windows archive leaves) and the game
# still finds its pictures, plays, and writes its settings and window files.
. "$(dirname "$0")/lib.sh"
begin
for name in $'caf\xe9' $'\x83\x8b\x83\x8b\x8eq'; do  # "café" in Latin-1, "ルル子" in code page 932
    mv "$game" "$work/$name"
    game="$work/$name"
    settings="$game/vnbeam.ini"
    start_game
    press space
    expect_caption "*EASY GAME ||||*" 3
    shot "playing-$(printf %s "$name" | od -An -tx1 | tr -d ' \n')"
    press F5
    quit
    [ -f "$game/vnbeam-window.txt" ] || fail "no vnbeam-window.txt written"
    say "started from $(printf %q "$name")"
done
passed
