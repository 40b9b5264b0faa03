#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Broken program folders started as a player starts the game from the desktop:
# libwinplat.so missing, libpxmix.so cut short, a FIFO in place of a picture.
# Each shows a box within a few seconds and, once it is answered, ends with
# status 1 (not 127 from the system loader, not a signal, not a hang).
. "$(dirname "$0")/lib.sh"
begin

# The box: a dialog window with the game's title.
find_box() {
    local id
    for id in $(xdotool search --onlyvisible --name "ルル子の VORN BEAM" 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && { echo "$id"; return 0; }
    done
    return 1
}

broken() {  # NAME COMMAND: COMMAND breaks a fresh copy of the program folder
    local name=$1 dir="$work/$1" box=
    cp -r "$bin" "$dir"
    (cd "$dir" && eval "$2")
    "$dir/lanebeam" >"$work/game.log" 2>&1 &
    game_pid=$!
    for _ in $(seq 160); do
        box=$(find_box) && break
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.05
    done
    [ -n "$box" ] || fail "$name: no box within 8 s (the program $(kill -0 "$game_pid" 2>/dev/null && echo hangs || echo ended))"
    import -window "$box" "$out/$name.png"
    focus "$box"
    press Return
    ended_with 1 5 "$name: answering the box"
    say "$name: a box, then status 1"
}

broken no-winplat 'rm libwinplat.so'
broken cut-pxmix 'head -c 20000 libpxmix.so >cut && mv cut libpxmix.so'
broken fifo-picture 'rm pic/number.gif && mkfifo pic/number.gif'
passed
