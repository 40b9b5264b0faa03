#!/usr/bin/env bash
# Plays one game in a real window under Xvfb as a person would: title, Space,
# moving and firing, an enemy getting through, a name for the best score, Ctrl+C.
# Then checks what the game wrote to vnbeam.ini. Fails loudly at the first step
# that does not happen.
#   play_e2e.sh PROGRAM_FOLDER OUTPUT_FOLDER
set -euo pipefail
unset QT_QPA_PLATFORM  # a real window, not the offscreen platform of the unit tests

src=${1:?program folder}
out=${2:?output folder}
mkdir -p "$out"
work=$(mktemp -d)
trap 'kill "${game_pid:-0}" "${xvfb_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

fail() { echo "e2e: FAILED: $*" >&2; import -window root "$out/failure.png" 2>/dev/null || true; exit 1; }
step() { echo "e2e: $*"; }

# A fresh program folder: no settings file from earlier runs.
cp -r "$src" "$work/game"
rm -f "$work/game/vnbeam.ini" "$work/game/vnbeam.ini.bad"

display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done 2>/dev/null || true
sleep 0.5

"$work/game/lanebeam" >"$out/game.log" 2>&1 &
game_pid=$!

wait_window() {  # name-pattern seconds
  local id
  for _ in $(seq $(( $2 * 10 ))); do
    id=$(xdotool search --name "$1" 2>/dev/null | tail -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    kill -0 "$game_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
press() { xdotool keydown "$1"; sleep 0.06; xdotool keyup "$1"; }

win=$(wait_window "ルル子の VORN BEAM" 10) || fail "the game window did not appear"
step "title window $win"
sleep 1
import -window root "$out/title.png"
xdotool windowfocus "$win" 2>/dev/null || true
sleep 0.2

press space
sleep 1.5
title=$(xdotool getwindowname "$win")
case "$title" in *"GAME ||||"*) step "game started: $title" ;; *) fail "Space did not start a game (caption: $title)" ;; esac

# Fire along every lane for a while: a bot that sweeps left to right.
lanes=(z x c v b)
for round in $(seq 12); do
  # An enemy may get through early; then the name box has the keyboard.
  xdotool search --name "ハイスコア" >/dev/null 2>&1 && break
  for k in "${lanes[@]}"; do
    press "$k"; sleep 0.05; press space; sleep 0.08
  done
  [ "$round" -eq 6 ] && import -window root "$out/play.png"
done
step "played; waiting for an enemy to get through"

# Stand still in the middle and let the enemies come.
box=$(wait_window "ハイスコア" 90) || fail "no best-score box: the game did not end with a score"
step "best-score box $box"
xdotool windowfocus "$box" 2>/dev/null || true
sleep 0.3
xdotool key ctrl+a  # replace whatever the bot typed into the box
xdotool type --delay 30 "Tester"
press Return
sleep 1

win=$(wait_window "ルル子の VORN BEAM" 5) || fail "the window is gone after the name"
caption=$(xdotool getwindowname "$win")
case "$caption" in *"[Score:"*) step "result caption: $caption" ;; *) fail "no result caption ($caption)" ;; esac
xdotool windowfocus "$win" 2>/dev/null || true
sleep 0.3
xdotool key ctrl+c
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "Ctrl+C did not end the program"
wait "$game_pid" || fail "the program ended with a failure status"
step "quit"

ini="$work/game/vnbeam.ini"
[ -f "$ini" ] || fail "no vnbeam.ini written"
cp "$ini" "$out/vnbeam.ini"
# Line 6 is the EASY score, line 7 its name, line 12 the checksum.
score=$(sed -n 6p "$ini" | tr -d ' \r')
name=$(sed -n 7p "$ini" | tr -d '\r')
sum=$(sed -n 12p "$ini" | tr -d ' \r')
[ "$name" = "Tester" ] || fail "the name on line 7 is '$name'"
[ "$score" -gt 0 ] 2>/dev/null || fail "the EASY score is '$score'"
s=()
for l in 2 4 6 8 10; do s+=("$(sed -n ${l}p "$ini" | tr -d ' \r')"); done
stage=$(sed -n 14p "$ini" | awk '{print $1}')
expect=$(( s[3] / 10 + s[2] / 100 + stage + s[4] / 15 + s[0] / 100 + s[1] / 23 ))
[ "$sum" = "$expect" ] || fail "checksum $sum, expected $expect"
step "vnbeam.ini: score $score by $name, checksum $sum"
echo "e2e: passed"
