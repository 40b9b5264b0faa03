#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates every asset file from its script, then checks the results.
# The sprites come first: the title picture reuses the heroine strip.
set -euo pipefail
cd "$(dirname "$0")"
PY=/usr/bin/python3
if ! "$PY" -c 'import PIL, numpy' 2>/dev/null; then
  echo "make_all: needs Debian's python3-pil and python3-numpy (apt-get install -y --no-install-recommends python3-pil python3-numpy)" >&2
  exit 1
fi
"$PY" make_sprites.py
"$PY" make_pictures.py
"$PY" make_icons.py
"$PY" make_sounds.py
"$PY" check_assets.py
