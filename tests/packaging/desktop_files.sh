#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry, the AppStream metainfo, the icons and the manual page as
# installed: valid for the tools a desktop and a software centre use, named by
# the one application id, and telling the project's version.
#   desktop_files.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=${1:?usage: desktop_files.sh BUILD_DIR VERSION APP_ID}
version=${2:?}
id=${3:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"

# desktop-file-utils before 0.27 do not know SingleMainWindow (desktop entry
# 1.5) and call it an error; that line alone is forgiven there.
old_validator=$(dpkg --compare-versions "$(dpkg-query -W -f='${Version}' desktop-file-utils)" lt 0.27 && echo yes || true)
desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || true
if [ -n "$old_validator" ]; then
    grep -v 'key "SingleMainWindow" in group "Desktop Entry", but keys extending the format' "$work/desktop.log" >"$work/desktop.rest" || true
else
    cp "$work/desktop.log" "$work/desktop.rest"
fi
[ ! -s "$work/desktop.rest" ] || fail "desktop-file-validate: $(cat "$work/desktop.rest")"

appstreamcli validate --no-net "$metainfo" >"$work/metainfo.log" 2>&1 || fail "appstreamcli validate: $(cat "$work/metainfo.log")"

# One id: the entry's icon, the metainfo's id and its launchable.
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"
grep -qx "Exec=lanebeam" "$desktop" || fail "the desktop entry does not start lanebeam"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo does not launch $id.desktop"

# The version in the metainfo's newest release, the manual page and the launcher.
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -1)
[ "$release" = "$version" ] || fail "the metainfo's release is '$release', not $version"
zcat "$prefix/share/man/man6/lanebeam.6.gz" | grep -q "^\.TH LANEBEAM 6 .*\"lanebeam $version\"" || fail "the manual page is not of $version"

# Each icon is as big as its folder says, and square.
for size in 16 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -f "$png" ] || { fail "no ${size} px icon"; continue; }
    wh=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4, $7 * 256 + $8}')
    [ "$wh" = "$size $size" ] || fail "the ${size} px icon is $wh"
done
exit $failed
