#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# lintian finds no error in the Debian package; its warnings are shown.
#   package_lintian.sh PACKAGE_FOLDER
set -euo pipefail
deb=$(ls "${1:?usage: package_lintian.sh PACKAGE_FOLDER}"/lanebeam_*_amd64.deb)
report=$(lintian --info "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$report" ] || echo "$report"
! grep -q '^E:' <<<"$report"
