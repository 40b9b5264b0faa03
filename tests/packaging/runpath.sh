#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The library search path of every ELF file of the program folder and of an
# install: an empty or relative entry would make the system loader look in the
# folder the player starts from, where a planted library would be loaded. The
# shipped files carry exactly what they need.
#   runpath.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: runpath.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# The RPATH and RUNPATH entries of FILE, one a line ("" for an empty entry).
entries() {
    readelf -d "$1" | sed -n 's/.*(\(RPATH\|RUNPATH\)).*\[\(.*\)\]$/\2/p' | tr ':' '\n'
}
is_elf() { [ "$(head -c 4 "$1" | od -An -c | tr -d ' ')" = '177ELF' ]; }

# Every entry absolute or from $ORIGIN, in every ELF file under FOLDER.
check_folder() {
    local f e n=0
    while IFS= read -r -d '' f; do
        is_elf "$f" || continue
        n=$((n + 1))
        [ -n "$(readelf -d "$f" | grep -E '\((RPATH|RUNPATH)\)')" ] || continue
        while IFS= read -r e; do
            case $e in
            /* | '$ORIGIN' | '$ORIGIN'/*) ;;
            *) echo "FAIL: $f has the search path entry '$e'"; failed=1 ;;
            esac
        done < <(entries "$f")
    done < <(find "$1" -type f -print0)
    [ "$n" -gt 0 ] || { echo "FAIL: no ELF file in $1"; failed=1; }
    echo "$1: $n ELF files looked at"
}

# Exactly the path a shipped file needs: $ORIGIN where it loads libwinplat.so
# from beside itself, nothing elsewhere.
expect() {  # FILE WANTED
    local got
    got=$(entries "$1" | paste -sd:)
    [ "$got" = "$2" ] || { echo "FAIL: $1 has the search path '$got', not '$2'"; failed=1; }
}

cmake --install "$build" --prefix "$work/pre fix" >/dev/null
for folder in "$build/bin" "$build/tests" "$work/pre fix"; do
    [ -d "$folder" ] && check_folder "$folder"
done
lib=$(dirname "$(find "$work/pre fix" -name lanebeam-game)")
for dir in "$build/bin" "$lib"; do
    expect "$dir/lanebeam-game" '$ORIGIN'
    expect "$dir/libpxmix.so" '$ORIGIN'
    expect "$dir/libwinplat.so" ''
done
expect "$build/bin/lanebeam" ''
expect "$(find "$work/pre fix" -path '*/bin/lanebeam')" ''
exit $failed
