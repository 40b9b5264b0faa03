#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the metainfo's screenshots from the built game under Xvfb and openbox:
# the title and a moment of play, at twice the size (the window enlarged, the
# picture in whole 2 x 2 blocks), written beside this script.
#   SCENARIO_BIN=build/bin dist/screenshots/take.sh
here=$(cd "$(dirname "$0")" && pwd)
export SCENARIO_OUT=${SCENARIO_OUT:-$(mktemp -d)}
. "$here/../../tests/scenarios/lib.sh"
begin
start_game
bar=$(bar_height)
xdotool windowsize "$win" 700 $((700 + bar))
expect_size 700 $((700 + bar)) 3
sleep 1
shot title
press space
expect_caption "*EASY GAME ||||*" 3
for k in z space x space c space space v space b space c space; do press "$k"; done
sleep 0.2
shot play
cp "$out/title.png" "$out/play.png" "$here/"
quit
say "wrote title.png and play.png ($(identify -format '%wx%h' "$here/title.png"))"
passed
