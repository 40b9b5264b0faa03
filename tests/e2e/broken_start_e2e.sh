#!/usr/bin/env bash
# Starts the real program from broken program folders, as a player would from
# the desktop: libwinplat.so missing, libpxmix.so cut short, a FIFO in place of
# a picture. Each must show a message box within a few seconds and, once it is
# answered, end with status 1 (not 127 from the system loader, not a signal,
# not a hang).
#   broken_start_e2e.sh PROGRAM_FOLDER OUTPUT_FOLDER
set -euo pipefail
unset QT_QPA_PLATFORM

src=${1:?program folder}
out=${2:?output folder}
mkdir -p "$out"
work=$(mktemp -d)
cleanup() {
  if [ -n "${game_pid:-}" ]; then kill -9 "$game_pid" 2>/dev/null || true; fi
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "broken-start: FAILED: $*" >&2; import -window root "$out/failure.png" 2>/dev/null || true; exit 1; }

n=$(( 90 + RANDOM % 100 ))
while [ -e "/tmp/.X$n-lock" ]; do n=$(( 90 + RANDOM % 100 )); done
display=:$n
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The message box: a dialog window with the game's title (the game window may
# be there too).
find_box() {
  local id
  for id in $(xdotool search --name "ルル子の VORN BEAM" 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && { echo "$id"; return 0; }
  done
  return 1
}

run_case() {  # name, then a command that breaks the folder "$dir"
  local name=$1 dir="$work/$1" box status
  shift
  cp -r "$src" "$dir"
  rm -f "$dir/vnbeam.ini"
  ( cd "$dir" && eval "$*" )
  "$dir/lanebeam" >"$out/$name.log" 2>&1 &
  game_pid=$!
  box=
  for _ in $(seq 80); do
    box=$(find_box) && break
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$box" ] || fail "$name: no message box within 8 s (the program $(kill -0 "$game_pid" 2>/dev/null && echo hangs || echo ended))"
  sleep 0.3
  import -window root "$out/$name.png"
  xdotool windowfocus "$box" 2>/dev/null || true
  xdotool key Return
  for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "$name: still running 5 s after the box was answered"
  status=0
  wait "$game_pid" || status=$?
  game_pid=
  [ "$status" -eq 1 ] || fail "$name: exit status $status, expected 1"
  echo "broken-start: $name: box shown, exit status 1"
}

run_case no-winplat 'rm libwinplat.so'
run_case cut-pxmix 'head -c 20000 libpxmix.so > cut && mv cut libpxmix.so'
run_case fifo-picture 'rm pic/number.gif && mkfifo pic/number.gif'
echo "broken-start: passed"
