#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A large screen: the window enlarged shows the picture in whole 3 x 3 blocks
# with the best-score box three times as large over it, F11 fills the screen
# and gives the window back, the next start comes back at the enlarged size,
# and on a screen of two device pixels to one the blocks are whole too. At
# 150 % the window opens at twice the picture in device pixels, and a size
# saved on a larger screen comes back whole on this one.
. "$(dirname "$0")/lib.sh"
begin 1920x1200
start_game
bar=$(bar_height)

# The picture's place at 3 x in a window of W x H: centred under the menu bar.
at3() { x0=$((($1 - 1050) / 2)); y0=$((bar + ($2 - bar - 1050) / 2)); }
crisp() {  # NAME: whole blocks, a picture and not a black square, black around it
    whole_blocks "$1" "$x0" "$y0" 1050 3 || fail "$1: the picture is not in whole 3 x 3 blocks"
    ! mostly "$1" "$x0" "$y0" 1050 1050 "rgb(0,0,0)" || fail "$1: no picture"
    mostly "$1" 0 "$y0" "$x0" 1050 "rgb(0,0,0)" || fail "$1: the margin is not black"
}

xdotool windowsize "$win" 1100 1100
expect_size 1100 1100 3
sleep 0.5
at3 1100 1100
shot enlarged
crisp enlarged

# The best-score box at three times its place and size, closed by its button.
press F4
sleep 0.3
shot scores
mostly scores $((x0 + 600)) $((y0 + 420)) 300 300 "rgb(255,255,255)" || fail "F4 shows no enlarged best-score box"
xdotool mousemove --window "$win" $((x0 + 322 * 3)) $((y0 + 254 * 3)) click 1
sleep 0.3
shot closed
hardly closed $((x0 + 600)) $((y0 + 420)) 300 300 "rgb(255,255,255)" || fail "閉 did not close the box"

focus "$win"
press F11
expect_size 1920 1200 3
sleep 0.5
at3 1920 1200
shot fullscreen
crisp fullscreen
press alt+m
expect_menu "the menu bar in full screen"
press Escape
press F11
expect_size 1100 1100 3
quit
# The size has a file of its own; vnbeam.ini is written as it always was.
grep -qx "size 1100 1100" "$game/vnbeam-window.txt" || fail "no size in vnbeam-window.txt"

start_game
expect_size 1100 1100 3
quit

# Saved on a larger screen: 2400 x 1350 comes back at the largest whole
# factor that fits (3 x here), wholly on the screen.
printf 'size 2400 1350\nmaximized 0\nfullscreen 0\n' >"$game/vnbeam-window.txt"
start_game
expect_size 1050 $((1050 + bar)) 3
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1920 ] && [ $((Y + HEIGHT)) -le 1200 ] ||
    fail "the window at $X,$Y ${WIDTH}x$HEIGHT is not wholly on the screen"
quit

# Device pixels: twice the logical ones, the plain window shows 2 x 2 blocks.
rm "$game/vnbeam-window.txt"
QT_SCALE_FACTOR=2 start_game
bar=$(($(inside | cut -d' ' -f2) - 700))
shot density
whole_blocks density 0 "$bar" 700 2 || fail "the picture is not in whole 2 x 2 blocks at two device pixels to one"
quit

# At 150 % the plain window shows the picture at 700 device pixels, no margin.
rm "$game/vnbeam-window.txt"
QT_SCALE_FACTOR=1.5 start_game
inside_now=$(inside)
bar=$(($(echo "$inside_now" | cut -d' ' -f2) - 700))
[ "$(echo "$inside_now" | cut -d' ' -f1)" -le 702 ] || fail "at 150 % the window is $inside_now: margins beside the picture"
shot scaled150
# The menu bar's height in device pixels may be odd, so the blocks are not
# checked here; the picture reaches both sides, with no black beside it.
! mostly scaled150 0 $((bar + 100)) 8 500 "rgb(0,0,0)" || fail "a black margin on the left at 150 %"
! mostly scaled150 692 $((bar + 100)) 8 500 "rgb(0,0,0)" || fail "a black margin on the right at 150 %"
quit
passed
