#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# F1 hands readme.html to the desktop's opener and goes on at once; when the
# opener gives up (no browser), the とまどい box says so.
. "$(dirname "$0")/lib.sh"
begin
# Openers of our own, first on the PATH: one that stays open like a browser,
# one that fails like xdg-open with nothing to show HTML.
mkdir -p "$work/opener"
cat >"$work/opener/xdg-open" <<OPENER
#!/bin/sh
echo "\$1" >>"$work/opened"
[ -f "$work/no-browser" ] && { sleep 0.3; exit 3; }
sleep 5
OPENER
chmod +x "$work/opener/xdg-open"
export PATH="$work/opener:$PATH"
start_game

press F1
press F2
expect_caption "*EASY GAME ||||*" 2
grep -q "$game/readme.html" "$work/opened" 2>/dev/null || fail "the opener was not given readme.html"
gone "とまどい" 1 || fail "a box although the page opened"

# While that request is pending, F1 waits on it; once its opener has ended, F1
# is a new request.
press F1
[ "$(grep -c . "$work/opened")" = 1 ] || fail "a second opener while the first was pending"
sleep 5.2
touch "$work/no-browser"
press F5 F1
box=$(wait_window "とまどい" 5) || fail "no とまどい box when the opener failed"
focus "$box"
press Return
gone "とまどい" 3 || fail "the box did not close"

# F1 thirty times with no browser: one box, and none after it is closed.
focus "$win"
xdotool key --delay 40 --repeat 30 F1
box=$(wait_window "とまどい" 5) || fail "no とまどい box after F1 thirty times"
sleep 1
[ "$(xdotool search --onlyvisible --name "とまどい" | wc -l)" = 1 ] || fail "more than one とまどい box"
focus "$box"
press Return
gone "とまどい" 3 || fail "the box did not close"
sleep 1.5
! xdotool search --onlyvisible --name "とまどい" >/dev/null 2>&1 || fail "another とまどい box after the first was closed"
quit
passed
