#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# make install into a prefix whose name has a space puts every file under it,
# and make uninstall removes exactly those files again: the player's settings
# and window files, written into the same folders, stay.
#   install_uninstall.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source=${1:?usage: install_uninstall.sh SOURCE_DIR BUILD_DIR}
build=${2:?usage: install_uninstall.sh SOURCE_DIR BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/with space/prefix"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$source/scripts/install-prefix" "$build" "$prefix" >/dev/null
manifest="$prefix/share/lanebeam/installed-files.txt"
[ -f "$manifest" ] || fail "no list of installed files at $manifest"

# Listed and present are the same set, and all of it lies under the prefix.
sort -u "$manifest" | sed '/^$/d' >"$work/listed"
find "$prefix" -type f | sort >"$work/present"
diff -u "$work/listed" "$work/present" || fail "the list of installed files is not what lies in the prefix"
outside=$(grep -v "^$prefix/" "$work/listed" || true)
[ -z "$outside" ] || fail "installed outside the prefix: $outside"
for f in bin/lanebeam share/lanebeam/pic/title.jpg share/lanebeam/readme.html; do
    grep -q "/$f\$" "$work/listed" || fail "$f is not installed"
done

# The player's files, where the game writes them when installed (the data
# folder) and where it writes them when its own folder is writable.
game_folder=$(dirname "$(grep '/lanebeam-game$' "$work/listed")")
player=("$prefix/share/lanebeam/vnbeam.ini" "$prefix/share/lanebeam/vnbeam.ini.bad"
        "$game_folder/vnbeam.ini" "$game_folder/vnbeam-window.txt")
for f in "${player[@]}"; do echo "player data" >"$f"; done

make -s -C "$source" uninstall PREFIX="$prefix" >/dev/null
printf '%s\n' "${player[@]}" | sort >"$work/kept-wanted"
find "$prefix" -type f | sort >"$work/kept"
diff -u "$work/kept-wanted" "$work/kept" || fail "uninstall did not leave exactly the player's files"
for f in "${player[@]}"; do
    [ "$(cat "$f")" = "player data" ] || fail "$f was changed"
done
[ ! -e "$prefix/share/lanebeam/pic" ] || fail "the emptied pic/ folder is left"

# A second uninstall has nothing to remove and says so.
if make -s -C "$source" uninstall PREFIX="$prefix" 2>"$work/err"; then
    fail "a second uninstall reported success"
fi
grep -q "nothing to remove" "$work/err" || fail "a second uninstall said: $(cat "$work/err")"
echo "installed $(wc -l <"$work/listed") files under a prefix with a space; uninstall kept the player's ${#player[@]}"
