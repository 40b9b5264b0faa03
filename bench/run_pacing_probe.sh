#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the pacing probe in a real X server (Xvfb): with the sleeping wait at the
# plain size and with the picture three times as large, then with a spinning
# wait, so each cost is a ratio measured in one run.
#   run_pacing_probe.sh BUILD_DIR [SECONDS]
# PROBE_DISPLAY (":77") picks the display instead of a random free-looking one.
set -euo pipefail
build=${1:?build dir}
seconds=${2:-60}
unset QT_QPA_PLATFORM
display=${PROBE_DISPLAY:-:$(( 200 + RANDOM % 100 ))}
Xvfb "$display" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
"$build/bench/pacing_probe" --seconds "$seconds" 2>/dev/null
"$build/bench/pacing_probe" --seconds "$seconds" --zoom 3 2>/dev/null
"$build/bench/pacing_probe" --seconds "$seconds" --spin 2>/dev/null
