#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The player's data wherever the game runs: an ordinary user playing a
# root-owned read-only copy keeps the best score in their own data folder and
# sees it at the next start; a second start from one folder hands over to the
# first and writes nothing; SIGTERM during play and a lost display save as
# quitting does.
. "$(dirname "$0")/lib.sh"
begin

# The game window among same-named windows (the boxes carry the title too):
# the one whose inside is the play picture wide.
game_window() {
    local w
    for _ in $(seq 200); do
        for w in $(xdotool search --onlyvisible --name "ルル子の VORN BEAM" 2>/dev/null); do
            [ "$(xwininfo -id "$w" | awk '/Width:/ {print $2}')" = 350 ] && { echo "$w"; return 0; }
        done
        sleep 0.05
    done
    return 1
}
# --- an ordinary user, a root-owned read-only copy ---------------------------
if [ "$(id -u)" = 0 ]; then
    player=lanebeam-tester
    id -u "$player" >/dev/null 2>&1 || useradd --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$player"
    chmod 755 "$work"
    ro="$work/installed copy"
    cp -r "$game" "$ro"
    zero_scores "$ro/vnbeam.ini"  # the starting values a packager left beside the program
    chown -R root:root "$ro"
    chmod -R a-w,a+rX "$ro"
    home="$work/home"
    mkdir "$home"
    chown "$player" "$home"
    launch=(setpriv --reuid="$player" --regid="$(id -g "$player")" --clear-groups
            env -i PATH=/usr/bin:/bin HOME="$home" DISPLAY="$DISPLAY" LANG=C.UTF-8 "$ro/lanebeam")
    before=$(cd "$ro" && find . -type f -exec md5sum {} + | sort)
    start_game
    # The first start says where the files go, before the game window shows.
    [ "$(xwininfo -id "$win" | awk '/Width:/ {print $2}')" != 350 ] || fail "no word of where the data goes"
    shot told
    press Return
    win=$(game_window) || fail "the game window did not appear"
    focus "$win"
    press space
    expect_caption "*GAME ||||*" 3
    bot_until_named Reader
    data="$home/.local/share/lanebeam/vnbeam.ini"
    settings=$data
    quit
    [ "$(stat -c %U "$data")" = "$player" ] || fail "the file is not the player's"
    [ "$(ini_line 7 "$data")" = Reader ] || fail "the EASY name is '$(ini_line 7 "$data")'"
    [ "$(cd "$ro" && find . -type f -exec md5sum {} + | sort)" = "$before" ] || fail "the copy changed"
    # Again: no word this time, and the best score is there.
    start_game
    [ "$(xwininfo -id "$win" | awk '/Width:/ {print $2}')" = 350 ] || fail "told again"
    press F4
    sleep 0.5
    shot best_score_again
    quit
    [ "$(ini_line 7 "$data")" = Reader ] || fail "the name was lost at the second run"
    launch=()
    settings="$game/vnbeam.ini"
    say "a read-only copy keeps the best score in $data"
else
    say "not root: the ordinary-user case is skipped"
fi

# --- two starts from one folder ----------------------------------------------
zero_scores
start_game
first=$game_pid
first_win=$win
before=$(md5sum <"$game/vnbeam.ini")
"$game/lanebeam" >"$work/second.log" 2>&1 &
second=$!
for _ in $(seq 100); do kill -0 "$second" 2>/dev/null || break; sleep 0.05; done
kill -0 "$second" 2>/dev/null && fail "the second start is still running"
status=0
wait "$second" || status=$?
[ "$status" = 0 ] || fail "the second start ended with status $status"
[ "$(xdotool search --onlyvisible --name "ルル子の VORN BEAM" | wc -l)" = 1 ] || fail "two windows"
[ "$(xdotool getactivewindow)" = "$first_win" ] || [ "$wm" = none ] || fail "the first window was not raised"
[ "$(md5sum <"$game/vnbeam.ini")" = "$before" ] || fail "the second start wrote the settings"
game_pid=$first
win=$first_win
say "a second start hands over to the first"

# --- SIGTERM during play ------------------------------------------------------
focus "$win"
press space
expect_caption "*GAME ||||*" 3
[ "$(ini_line 14 | awk '{print $2}')" = True ] || fail "the voice is not on to start with"
xdotool key ctrl+v
sleep 0.3
kill -TERM "$game_pid"
ended_with 0 5 "SIGTERM"
[ "$(ini_line 14 | awk '{print $2}')" = False ] || fail "the voice check was not saved: $(ini_line 14)"
say "SIGTERM saves the settings"

# --- the display goes away -----------------------------------------------------
start_game
xdotool key ctrl+v
sleep 0.3
kill -9 "${pids[@]}"  # the X server and the window manager
unset DISPLAY
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$game_pid" 2>/dev/null && fail "the game outlived its display"
wait "$game_pid" || true
game_pid=
[ "$(ini_line 14 | awk '{print $2}')" = True ] || fail "the voice check was not saved when the display went: $(ini_line 14)"
say "a lost display saves the settings"
passed
