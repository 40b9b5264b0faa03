#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A valid WAV the sound layer cannot take (5 Hz) as voice1.wav: the game
# starts play without a sound, named once on stderr, and does not crash. With
# pulseaudio installed the scenario runs a null-sink server of its own, so the
# sound really reaches the sound layer; without it, it proves no crash.
. "$(dirname "$0")/lib.sh"
begin
if command -v pulseaudio >/dev/null; then
    export XDG_RUNTIME_DIR="$work/run" HOME="$work"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --load=module-null-sink \
        --load=module-native-protocol-unix >"$work/pulse.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/pulse/native" ] && break; sleep 0.05; done
    [ -S "$XDG_RUNTIME_DIR/pulse/native" ] || fail "pulseaudio did not start"
    say "with a sound server"
fi
python3 - "$game/vrnvoice/voice1.wav" <<'PY'
import struct, sys
data = bytes(40)
fmt = struct.pack("<HHIIHH", 1, 1, 5, 10, 2, 16)
body = b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", len(data)) + data
open(sys.argv[1], "wb").write(b"RIFF" + struct.pack("<I", len(body)) + body)
PY
start_game
for round in 1 2; do
    press space
    expect_caption "*EASY GAME ||||*" 3
    sleep 1
    kill -0 "$game_pid" 2>/dev/null || fail "the game died playing a 5-Hz sound"
    press F5
    sleep 0.5
done
[ "$(grep -c 'voice1.wav' "$work/game.log")" = 1 ] || fail "the refused sound is not named once: $(cat "$work/game.log")"
quit
passed
