# SPDX-License-Identifier: GPL-3.0-or-later
# The shared helper of the real-window scenarios: a fresh program folder, an X
# server (Xvfb) with or without a window manager, the game started in it, and
# the few things a player does and sees. Each scenario sources this file and
# calls `begin`; every helper fails the scenario loudly at its first missed
# step, with a screenshot and the game's output kept in the output folder.
#
# Environment: SCENARIO_WM=openbox (default), none, or weston (a Wayland
# compositor shown in the X server, the game on its Wayland platform);
# SCENARIO_OUT, where the screenshots and logs go; SCENARIO_BIN, the built
# program folder, copied fresh for each run. For an installed game instead:
# SCENARIO_COMMAND, what its menu entry runs, and SCENARIO_SETTINGS, where it
# writes vnbeam.ini.
set -euo pipefail
unset QT_QPA_PLATFORM  # a real window, not the offscreen platform of the unit tests

scenario=$(basename "$0" .sh)
bin=${SCENARIO_BIN:-}
command=${SCENARIO_COMMAND:-}
[ -n "$bin$command" ] || { echo "$scenario: set SCENARIO_BIN or SCENARIO_COMMAND" >&2; exit 2; }
wm=${SCENARIO_WM:-openbox}
out=${SCENARIO_OUT:-/tmp/lanebeam-scenarios}/$scenario.$wm
mkdir -p "$out"
rm -f "$out"/*.png
work=$(mktemp -d)
game="$work/game"
settings=${SCENARIO_SETTINGS:-$game/vnbeam.ini}
game_pid=
pids=()
launch=()  # the command start_game runs; the program folder's lanebeam when empty
[ -n "$command" ] && launch=("$command")

cleanup() {
    if [ -n "$game_pid" ]; then kill -9 "$game_pid" 2>/dev/null || true; fi
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
# A step that fails without a word of its own still says where.
trap 'echo "$scenario[$wm]: FAILED at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR

say() { echo "$scenario[$wm]: $*"; }
fail() {
    echo "$scenario[$wm]: FAILED: $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "$out/failure.png" 2>/dev/null
    [ -f "$work/game.log" ] && cp "$work/game.log" "$out/game.log"
    [ -f "$work/weston.log" ] && cp "$work/weston.log" "$out/weston.log"
    exit 1
}

# begin [SCREEN]: a fresh program folder (no settings file) and a new X server.
begin() {
    local screen=${1:-1024x768}
    [ -n "$bin" ] && cp -r "$bin" "$game"
    rm -f "$settings" "$settings".bad*
    # Xvfb picks a free display and writes its number once it accepts clients.
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=:$(head -1 "$work/display")
    if [ "$wm" = openbox ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        pids+=($!)
        # Openbox loses a window mapped while it starts up: it is ready once a
        # window of ours shows.
        local probe ready=
        for _ in $(seq 20); do
            xmessage -name wmprobe -timeout 5 probe >/dev/null 2>&1 &
            probe=$!
            for _ in $(seq 10); do
                xdotool search --onlyvisible --classname wmprobe >/dev/null 2>&1 && ready=yes && break
                sleep 0.05
            done
            kill "$probe" 2>/dev/null || true  # it may have given up by itself
            [ -n "$ready" ] && break
        done
        [ -n "$ready" ] || fail "openbox did not start"
    fi
    if [ "$wm" = weston ]; then
        # Weston's X11 back end: its output is a window of the X server, which
        # takes xdotool's keys and the screenshots as for any X program.
        export XDG_RUNTIME_DIR="$work/runtime"
        mkdir -m 700 "$XDG_RUNTIME_DIR"
        weston --backend=x11-backend.so --width="${screen%x*}" --height="${screen#*x}" --socket=lanebeam \
            --idle-time=0 --log="$work/weston.log" >/dev/null 2>&1 &
        pids+=($!)
        for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/lanebeam" ] && break; sleep 0.05; done
        [ -S "$XDG_RUNTIME_DIR/lanebeam" ] || fail "weston did not start"
        # A window mapped before the desktop shell is up never gets the
        # keyboard: the shell is ready once its panel and background show.
        local ready=
        for _ in $(seq 100); do
            import -window root -crop 1x1+0+$((${screen#*x} / 2)) "$work/shell.png" 2>/dev/null &&
                [ "$(convert "$work/shell.png" -format '%[fx:int(255*maxima)]' info: 2>/dev/null)" != 0 ] && ready=yes && break
            sleep 0.1
        done
        [ -n "$ready" ] || fail "weston's desktop shell did not start"
        # The X focus stays on weston's window from here on: moving it again
        # would take the keyboard from the game inside (see focus).
        xdotool windowfocus --sync "$(xdotool search --class weston | head -1)" 2>/dev/null || true
        sleep 0.3
        export WAYLAND_DISPLAY=lanebeam QT_QPA_PLATFORM=wayland
        # The protocol log is how a scenario reads the window's title and app id.
        export WAYLAND_DEBUG=client
    fi
}

# start_game [KEY_HELD]: starts the game (optionally with a key held down, as
# Shift for the debug menu) and waits for its window; sets $win.
start_game() {
    [ -n "${1:-}" ] && xdotool keydown "$1"
    "${launch[@]:-$game/lanebeam}" >"$work/game.log" 2>&1 &
    game_pid=$!
    win=$(wait_window "ルル子の VORN BEAM" 10) || fail "the game window did not appear"
    sleep 0.3
    [ -n "${1:-}" ] && xdotool keyup "$1"
    focus "$win"
}

# wait_window NAME SECONDS: the newest visible window whose name matches.
# On Wayland, the compositor's window once the game has set that title.
wait_window() {
    local id
    if [ "$wm" = weston ]; then
        for _ in $(seq $(($2 * 20))); do
            if [ "$(wayland_title)" = "$1" ]; then xdotool search --class weston | head -1; return 0; fi
            [ -n "$game_pid" ] && ! kill -0 "$game_pid" 2>/dev/null && return 1
            sleep 0.05
        done
        return 1
    fi
    for _ in $(seq $(($2 * 20))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        [ -n "$game_pid" ] && ! kill -0 "$game_pid" 2>/dev/null && return 1
        sleep 0.05
    done
    return 1
}
# gone NAME SECONDS: true once no visible window has that name.
gone() {
    for _ in $(seq $(($2 * 20))); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    return 1
}
focus() {
    # On weston the compositor gives its windows the keyboard itself.
    [ "$wm" = weston ] && return 0
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null || true
    sleep 0.1
}

# press KEY...: each key down and up again, as a finger taps it.
press() {
    for k in "$@"; do xdotool keydown "$k"; sleep 0.05; xdotool keyup "$k"; sleep 0.08; done
}
# press_code CODE...: the same by X key code, the key's place whatever the layout.
press_code() {
    for k in "$@"; do xdotool keydown "$k"; sleep 0.05; xdotool keyup "$k"; sleep 0.08; done
}
# The newest title and app id the game gave its Wayland window.
wayland_title() { sed -n 's/.*xdg_toplevel@[0-9]*\.set_title("\(.*\)")$/\1/p' "$work/game.log" | tail -1; }
wayland_app_id() { sed -n 's/.*xdg_toplevel@[0-9]*\.set_app_id("\(.*\)")$/\1/p' "$work/game.log" | tail -1; }
caption() { if [ "$wm" = weston ]; then wayland_title; else xdotool getwindowname "$win"; fi; }
expect_caption() {  # PATTERN SECONDS
    for _ in $(seq $(($2 * 20))); do
        case "$(caption)" in $1) return 0 ;; esac
        sleep 0.05
    done
    fail "the caption is '$(caption)', not $1"
}

# popups: how many drop-down menus are open (mapped windows of the game that
# the window manager does not manage).
popups() {
    local n=0 w
    for w in $(xdotool search --onlyvisible --classname lanebeam 2>/dev/null); do
        xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && n=$((n + 1))
    done
    echo "$n"
}
expect_no_menu() { [ "$(popups)" = 0 ] || fail "a menu is open: $*"; }
expect_menu() {  # WHAT: a menu opens within two seconds
    for _ in $(seq 40); do [ "$(popups)" = 1 ] && return 0; sleep 0.05; done
    fail "no menu opened: $*"
}

# shot NAME: a screenshot of the game window's inside (menu bar and picture).
shot() { import -window "$win" "$out/$1.png" || fail "no screenshot of the window"; }
# The height of the menu bar: the window's inside less the play picture.
bar_height() { echo $(($(xwininfo -id "$win" | awk '/Height:/ {print $2}') - 350)); }
# The window's inside, "WIDTH HEIGHT"; expect_size W H SECONDS waits for it.
inside() { xwininfo -id "$win" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}'; }
expect_size() {
    for _ in $(seq $(($3 * 20))); do [ "$(inside)" = "$1 $2" ] && return 0; sleep 0.05; done
    fail "the window is $(inside), not $1 $2"
}
# whole_blocks NAME X Y SIDE K: the square of a screenshot is made of uniform
# K x K blocks starting at its corner (a blurred or shifted picture is not).
whole_blocks() {
    convert "$out/$1.png" -crop "$4x$4+$2+$3" +repage "$work/square.png"
    convert "$work/square.png" -sample "$(($4 / $5))x$(($4 / $5))!" -sample "$4x$4!" "$work/blocks.png"
    [ "$(compare -metric AE "$work/square.png" "$work/blocks.png" null: 2>&1)" = 0 ]
}
# mean_rgb NAME X Y W H: the mean colour of a part of a screenshot, "r g b" 0-255.
mean_rgb() {
    convert "$out/$1.png" -crop "$4x$5+$2+$3" +repage -resize 1x1\! -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# quit: Ctrl+C ends the program with status 0 and a written settings file.
quit() {
    focus "$win"
    xdotool key ctrl+c
    ended_with 0 5 "Ctrl+C"
    [ -f "$settings" ] || fail "no vnbeam.ini written at $settings"
}
# ended_with STATUS SECONDS WHAT: the game ends, after WHAT, within SECONDS and
# with STATUS.
ended_with() {
    for _ in $(seq $(($2 * 20))); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$game_pid" 2>/dev/null && fail "$3 did not end the program"
    local status=0
    wait "$game_pid" || status=$?
    game_pid=
    [ "$status" = "$1" ] || fail "$3: the program ended with status $status, not $1"
}
# bot_until_named NAME: in play, a bot sweeps the lanes left to right, firing
# in each (a screenshot "play" midway), until an enemy gets through and the
# best-score box asks for a name; NAME replaces whatever the bot typed there.
bot_until_named() {
    local round box
    for round in $(seq 12); do
        # An enemy may get through early; then the name box has the keyboard.
        xdotool search --onlyvisible --name "ハイスコア" >/dev/null 2>&1 && break
        for k in z x c v b; do press "$k" space; done
        [ "$round" -eq 6 ] && shot play
    done
    # Standing still, the enemies come through.
    box=$(wait_window "ハイスコア" 90) || fail "no best-score box: the game did not end with a score"
    focus "$box"
    xdotool key ctrl+a
    xdotool type --delay 30 "$1"
    press Return
    gone "ハイスコア" 3 || fail "the name box stayed open"
    expect_caption "*[Score:*" 5
}
# ini_line N [FILE]: line N of the settings file, without the CR.
ini_line() { sed -n "${1}p" "${2:-$settings}" | tr -d '\r'; }
# zero_scores [FILE]: a settings file whose best scores are all 0, so the first
# game with any score asks for a name (a fresh start has the reset table).
zero_scores() {
    local to=${1:-$settings}
    mkdir -p "$(dirname "$to")"
    cp "$(dirname "${BASH_SOURCE[0]}")/../../fuzz/corpus/settings/fresh.ini" "$to"
}

# changed A B X Y W H: how many pixels of a part differ between two screenshots.
changed() {
    compare -metric AE -fuzz 10% "$out/$1.png[${5}x${6}+${3}+${4}]" "$out/$2.png[${5}x${6}+${3}+${4}]" null: 2>&1 |
        cut -d' ' -f1 || true
}

passed() { say "passed"; }
# share NAME X Y W H COLOUR: the share (0-1) of a part of a screenshot that is
# within a few percent of COLOUR.
share() {
    convert "$out/$1.png" -crop "$4x$5+$2+$3" +repage \( +clone -fill "$6" -colorize 100 \) \
        -compose difference -composite -colorspace gray -threshold 10% -negate -format '%[fx:mean]' info:
}
# A part of the picture is mostly COLOUR (share above a half).
mostly() { awk -v s="$(share "$@")" 'BEGIN { exit !(s > 0.5) }'; }
# ... or hardly any of it (less than a twentieth).
hardly() { awk -v s="$(share "$@")" 'BEGIN { exit !(s < 0.05) }'; }
