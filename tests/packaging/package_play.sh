#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a player meets it: unpacked (dpkg-deb -x) into a root
# that is then made read-only, and started as an unprivileged user under Xvfb
# with the menu entry's command. The title shows, a game is played to a best
# score, which lands in that user's data folder, and Ctrl+C quits with 0 (the
# play_one_game scenario, run against the installed command).
#   package_play.sh PACKAGE_FOLDER SCENARIO_DIR OUT_DIR
set -euo pipefail
package_folder=${1:?usage: package_play.sh PACKAGE_FOLDER SCENARIO_DIR OUT_DIR}
scenarios=${2:?}
out=${3:?}
deb=$(ls "$package_folder"/lanebeam_*_amd64.deb)
work=$(mktemp -d)
chmod 755 "$work"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
root="$work/root"
home="$work/home"
mkdir -p "$home" "$work/out"

dpkg-deb -x "$deb" "$root"
desktop=$(ls "$root"/usr/share/applications/*.desktop)
command=$(sed -n 's/^Exec=//p' "$desktop")
[ "$command" = lanebeam ] || { echo "FAIL: the menu entry runs '$command'" >&2; exit 1; }
chmod -R a-w "$root"

# CI runs as root: the player is a user of their own, without a home of their
# own, so nothing of root's reaches the game.
as_player=()
if [ "$(id -u)" = 0 ]; then
    player=lanebeam-player
    id "$player" >/dev/null 2>&1 || useradd --no-create-home --shell /usr/sbin/nologin "$player"
    chown "$player:" "$home" "$work/out"
    as_player=(setpriv --reuid="$player" --regid="$player" --init-groups)
fi

status=0
"${as_player[@]}" env -i HOME="$home" LANG=C.UTF-8 PATH="$root/usr/games:/usr/bin:/bin" \
    SCENARIO_COMMAND="$command" SCENARIO_SETTINGS="$home/.local/share/lanebeam/vnbeam.ini" \
    SCENARIO_WM=openbox SCENARIO_OUT="$work/out" \
    "$scenarios/play_one_game.sh" || status=$?
rm -rf "$out"
mkdir -p "$out"
cp -r "$work/out/." "$out/"
[ "$status" = 0 ] || { echo "FAIL: the installed game did not play through (screenshots in $out)" >&2; exit 1; }
echo "played from a read-only unpacked package as $(stat -c %U "$home"); the best score is in \$HOME/.local/share/lanebeam"
