#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# lanebeam --version and --help answer on the terminal and exit 0 before
# anything else: no display, no window, even without the game beside them.
#   version.sh BUILD_BIN VERSION
set -euo pipefail
bin=${1:?usage: version.sh BUILD_BIN VERSION}
version=${2:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

# A lone launcher: it must not look for the game to answer.
cp "$bin/lanebeam" "$work/lanebeam"
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=none-such

out=$("$work/lanebeam" --version) || fail "--version exited with $?"
[ "$out" = "lanebeam $version" ] || fail "--version printed '$out'"
out=$("$work/lanebeam" --help) || fail "--help exited with $?"
case $out in "Usage: lanebeam "*) ;; *) fail "--help printed '$out'" ;; esac
exit $failed
