# SPDX-License-Identifier: GPL-3.0-or-later
"""Shared helpers of the asset generators: paths, fonts, pixel-art grids,
glows, palette conversion and the checks every strip must pass."""

import os

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.dirname(HERE)
PIC = os.path.join(ASSETS, "program", "pic")
VOICE = os.path.join(ASSETS, "program", "vrnvoice")
SPRITES = os.path.join(ASSETS, "sprites")
ICON = os.path.join(ASSETS, "icon")

FONT_DIR = "/usr/share/fonts/opentype/ipafont-gothic"
FONT_GOTHIC = os.path.join(FONT_DIR, "ipag.ttf")
FONT_PGOTHIC = os.path.join(FONT_DIR, "ipagp.ttf")
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_COND = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# Lane geometry of the play picture: five lanes, 50 px wide, 75 px apart.
LANE_X = [25 + 75 * j for j in range(5)]
LANE_HALF = 25


def font(path, size):
    if not os.path.exists(path):
        raise SystemExit(f"font missing: {path} (apt-get install fonts-ipafont-gothic fonts-dejavu-core fonts-dejavu-extra)")
    return ImageFont.truetype(path, size)


def rng(seed):
    """Every generator draws from its own fixed seed so a rerun gives the same files."""
    return np.random.default_rng(seed)


# --- pixel art -------------------------------------------------------------

def parse_grid(rows, mirror=False):
    """Rows of palette letters; with mirror each row is its left half, mirrored
    onto the right (the middle column is not repeated for odd widths)."""
    out = []
    for r in rows:
        out.append(r + r[::-1] if mirror else r)
    width = max(len(r) for r in out)
    return [r.ljust(width, ".") for r in out]


def grid_put(grid, x, y, patch):
    """Writes a patch of letters into the grid; '.' in the patch is left alone,
    ' ' erases to transparent. Grows the grid to the right when needed."""
    grid = [list(r) for r in grid]
    for dy, prow in enumerate(patch):
        yy = y + dy
        if not 0 <= yy < len(grid):
            continue
        for dx, ch in enumerate(prow):
            xx = x + dx
            if ch == "." or xx < 0:
                continue
            while xx >= len(grid[yy]):
                for row in grid:
                    row.append(".")
            grid[yy][xx] = "." if ch == " " else ch
    return ["".join(r) for r in grid]


def grid_images(grid, palette, width=None):
    """Colour image and mask of a letter grid. Transparent cells ('.') are white
    in both; every other cell is black in the mask."""
    h = len(grid)
    w = width if width is not None else len(grid[0])
    img = Image.new("RGB", (w, h), WHITE)
    mask = Image.new("RGB", (w, h), WHITE)
    pi, pm = img.load(), mask.load()
    for y, row in enumerate(grid):
        for x, ch in enumerate(row[:w]):
            if ch == ".":
                continue
            if ch not in palette:
                raise ValueError(f"unknown palette letter {ch!r} at ({x}, {y})")
            pi[x, y] = palette[ch]
            pm[x, y] = BLACK
    return img, mask


# --- glow and light ----------------------------------------------------------

def glow_layer(size, draw_fn, radius, strength=1.0):
    """A blurred copy of what draw_fn draws, as float RGB for additive light."""
    layer = Image.new("RGB", size, BLACK)
    draw_fn(ImageDraw.Draw(layer))
    blurred = layer.filter(ImageFilter.GaussianBlur(radius))
    return np.asarray(blurred, dtype=np.float64) * strength


def add_light(base, *layers):
    """Adds float light layers to an RGB image, saturating at 255."""
    acc = np.asarray(base, dtype=np.float64).copy()
    for layer in layers:
        acc += layer
    return Image.fromarray(np.clip(acc, 0, 255).round().astype(np.uint8), "RGB")


def text_mask(size, xy, text, fnt, anchor="la", stroke=0):
    """Greyscale coverage of a text, optionally with a stroke around it."""
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).text(xy, text, font=fnt, fill=255, anchor=anchor,
                           stroke_width=stroke, stroke_fill=255)
    return m


def vgradient(size, stops):
    """Vertical gradient through (position 0..1, colour) stops, as RGB."""
    w, h = size
    ys = np.linspace(0.0, 1.0, h)
    pos = np.array([p for p, _ in stops])
    cols = np.array([c for _, c in stops], dtype=np.float64)
    out = np.zeros((h, 3))
    for ch in range(3):
        out[:, ch] = np.interp(ys, pos, cols[:, ch])
    arr = np.repeat(out[:, None, :], w, axis=1)
    return Image.fromarray(arr.round().astype(np.uint8), "RGB")


def composite(dst, colour_img, coverage):
    """Paints colour_img through a coverage mask (L image) onto dst, in place."""
    dst.paste(colour_img, (0, 0), coverage)


# --- palette images -----------------------------------------------------------

def to_palette(img, keep=(BLACK, WHITE), colours=256):
    """A palette ('P') copy of an RGB image that keeps the listed colours
    exactly (the masks rely on pure black and white). Other colours are
    quantised when there are too many."""
    rgb = img.convert("RGB")
    arr = np.asarray(rgb)
    flat = arr.reshape(-1, 3)
    uniq = np.unique(flat, axis=0)
    keep = [tuple(k) for k in keep]
    if len(uniq) <= colours:
        pal_cols = [tuple(int(v) for v in c) for c in uniq]
        for k in keep:
            if k not in pal_cols:
                pal_cols.append(k)
        pal_cols = pal_cols[:colours]
    else:
        others = rgb.quantize(colors=colours - len(keep), method=Image.Quantize.MEDIANCUT,
                              dither=Image.Dither.NONE)
        qp = others.getpalette()[: 3 * (colours - len(keep))]
        pal_cols = list(keep) + [tuple(qp[i:i + 3]) for i in range(0, len(qp), 3)]
    pal = np.array(pal_cols, dtype=np.int64)
    # Nearest palette colour per pixel; kept colours match themselves exactly.
    lut = {}
    idx = np.empty(len(flat), dtype=np.uint8)
    keys = flat[:, 0].astype(np.int64) << 16 | flat[:, 1].astype(np.int64) << 8 | flat[:, 2]
    for key in np.unique(keys):
        c = np.array([(key >> 16) & 255, (key >> 8) & 255, key & 255])
        lut[int(key)] = int(np.argmin(((pal - c) ** 2).sum(axis=1)))
    for key, i in lut.items():
        idx[keys == key] = i
    out = Image.frombytes("P", rgb.size, idx.tobytes())
    flat_pal = [v for c in pal_cols for v in c]
    out.putpalette(flat_pal + [0] * (768 - len(flat_pal)))
    return out


def save_jpeg(img, path):
    img.convert("RGB").save(path, "JPEG", quality=90, optimize=True, subsampling=0)


def save_gif(img, path):
    to_palette(img).save(path, "GIF", optimize=False)


# --- checks -------------------------------------------------------------------

def is_two_colour(img):
    arr = np.asarray(img.convert("RGB")).reshape(-1, 3)
    return bool(np.all(np.all(arr == 0, axis=1) | np.all(arr == 255, axis=1)))


def check_mask_rule(img, mask, what):
    """The masked-sprite rule: the mask is pure black and white, and the image
    is white wherever its mask is white."""
    assert img.size == mask.size, f"{what}: image {img.size} and mask {mask.size} differ"
    assert is_two_colour(mask), f"{what}: mask is not pure black and white"
    a = np.asarray(img.convert("RGB"))
    m = np.asarray(mask.convert("RGB"))[:, :, 0] == 255
    assert np.all(a[m] == 255), f"{what}: image not white where its mask is white"


def check_size(path, size):
    with Image.open(path) as im:
        assert im.size == tuple(size), f"{path}: {im.size}, want {size}"
