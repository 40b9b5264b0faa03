# SPDX-License-Identifier: GPL-3.0-or-later
"""The desktop icons of the hicolor theme, as pixel art that stays crisp at every
size: the window icon's design (a heart under a falling beam on a violet tile)
drawn pixel by pixel at 16, 24 and 32 px, each size then taken from the base it
divides by a whole factor and enlarged nearest-neighbour."""

import os

import numpy as np
from PIL import Image

from lbart import ICON

OUT = os.path.join(ICON, "hicolor")
# Size -> the pixel-art base it is enlarged from (a whole factor).
SIZES = {16: 16, 24: 24, 32: 32, 48: 24, 64: 32, 128: 32, 256: 32}

OUTLINE = (60, 10, 50)
FRAME = (235, 190, 230)
HEART = [(255, 150, 205), (255, 70, 155), (205, 25, 115)]  # top, middle, bottom band
SHINE = (255, 240, 250)
BEAM = (250, 215, 250)
SPARK = (255, 255, 255)


def heart_mask(n, cx, cy, size, ss=8):
    """Pixels at least half inside the heart curve (x² + y² − 1)³ ≤ x² y³."""
    ys, xs = np.mgrid[0:n * ss, 0:n * ss]
    x = ((xs + 0.5) / ss - cx) / size
    y = -((ys + 0.5) / ss - cy) / size
    inside = (x * x + y * y - 1) ** 3 - x * x * y ** 3 <= 0
    return inside.reshape(n, ss, n, ss).mean(axis=(1, 3)) >= 0.5


def tile_mask(n, radius):
    """A square with rounded corners filling the whole base."""
    ys, xs = np.mgrid[0:n, 0:n] + 0.5
    qx = np.maximum(np.abs(xs - n / 2) - (n / 2 - radius), 0)
    qy = np.maximum(np.abs(ys - n / 2) - (n / 2 - radius), 0)
    return np.hypot(qx, qy) <= radius


def grow(mask):
    out = mask.copy()
    out[1:, :] |= mask[:-1, :]
    out[:-1, :] |= mask[1:, :]
    out[:, 1:] |= mask[:, :-1]
    out[:, :-1] |= mask[:, 1:]
    return out


def draw_base(n):
    rgba = np.zeros((n, n, 4), dtype=np.uint8)
    tile = tile_mask(n, n * 0.22)
    # The violet night in four flat bands, lighter toward the bottom.
    bands = [(70, 40, 130), (100, 45, 140), (135, 55, 150), (165, 60, 150)]
    for y in range(n):
        rgba[y, :, :3] = bands[min(3, y * 4 // n)]
    rgba[..., 3] = np.where(tile, 255, 0)
    frame = tile & ~tile_mask_inset(n, tile)
    rgba[frame, :3] = FRAME

    # The beam falls down the middle from the top edge to the heart.
    width = max(1, n // 16)
    x0 = n // 2 - width // 2 - (0 if width % 2 else 0)
    beam = np.zeros((n, n), dtype=bool)
    beam[1:n // 2, x0:x0 + width + (n >= 24)] = True
    rgba[beam & tile & ~frame, :3] = BEAM

    size = n * 0.245
    heart = heart_mask(n, n / 2, n * 0.56, size)
    edge = grow(heart) & ~heart & tile
    rgba[edge, :3] = OUTLINE
    ys = np.mgrid[0:n, 0:n][0]
    top, bottom = ys[heart].min(), ys[heart].max()
    for i, colour in enumerate(HEART):
        band = heart & (ys >= top + (bottom - top + 1) * i // 3)
        rgba[band, :3] = colour
    # A highlight on the upper left lobe.
    shine = heart_mask(n, n / 2 - size * 0.45, n * 0.56 - size * 0.5, size * 0.28) & heart
    if not shine.any():
        cols = np.where(heart[top + 1])[0]
        shine[top + 1, cols.min() + 1] = True
    rgba[shine, :3] = SHINE

    # A sparkle in the top right corner: a plus of arm length n / 16.
    arm = max(1, n // 16)
    sx, sy = n - 2 - n // 8 - arm, n // 8 + arm + 1
    rgba[sy, sx - arm:sx + arm + 1, :3] = SPARK
    rgba[sy - arm:sy + arm + 1, sx, :3] = SPARK
    return Image.fromarray(rgba, "RGBA")


def tile_mask_inset(n, tile):
    """The tile less its outer ring of pixels."""
    inner = tile.copy()
    inner[1:, :] &= tile[:-1, :]
    inner[:-1, :] &= tile[1:, :]
    inner[:, 1:] &= tile[:, :-1]
    inner[:, :-1] &= tile[:, 1:]
    inner[0, :] = inner[-1, :] = False
    inner[:, 0] = inner[:, -1] = False
    return inner


def main():
    os.makedirs(OUT, exist_ok=True)
    bases = {n: draw_base(n) for n in sorted(set(SIZES.values()))}
    for size, base in SIZES.items():
        assert size % base == 0, f"{size} is no whole multiple of {base}"
        icon = bases[base].resize((size, size), Image.NEAREST)
        path = os.path.join(OUT, f"{size}x{size}.png")
        icon.save(path, optimize=True)
        print("wrote", os.path.relpath(path, os.path.dirname(ICON)), icon.size, f"from {base} px")


if __name__ == "__main__":
    main()
