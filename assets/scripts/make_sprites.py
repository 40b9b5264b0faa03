#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the four sprite strips compiled into the program: the heroine (four
poses and their masks), the climbing imp (two one-bit frames), the heart shot
(shot and trail piece) and the sixteen-frame explosion ring."""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lbart import (BLACK, SPRITES, WHITE, Image, ImageDraw, check_mask_rule,  # noqa: E402
                   grid_images, grid_put, is_two_colour, np, parse_grid, rng)

# --- heroine -------------------------------------------------------------------

HERO_FRAME_X = [0, 18, 36, 55, 75, 93, 111, 130]
HERO_H = 47

HERO_PAL = {
    "k": (44, 22, 56),      # outline
    "H": (242, 112, 184), "h": (196, 62, 142), "l": (255, 196, 226),   # hair
    "S": (255, 226, 204), "s": (236, 180, 160),                        # skin
    "E": (76, 44, 150), "w": (255, 255, 255),                          # eyes
    "m": (206, 74, 104),                                               # mouth
    "R": (255, 66, 96), "r": (190, 30, 70),                            # ribbons
    "D": (98, 84, 214), "d": (60, 48, 152),                            # dress
    "F": (248, 244, 255), "f": (198, 192, 232),                        # frills, stockings
    "G": (255, 214, 64), "g": (206, 142, 34), "Y": (255, 255, 210),    # gold wand
    "B": (130, 52, 96), "b": (84, 30, 62),                             # boots
    "y": (255, 176, 224), "P": (255, 92, 170),                         # beam sparks
}

# Left half of the standing heroine, mirrored to 18 columns: she faces the
# player, looking down the lanes at what climbs toward her.
HERO_LEFT = [
    "......kkk",
    "....kkHHH",
    "...kHHHHH",
    "..kHHHHHH",
    ".kkHHHHHH",
    "kRRkHHHHH",
    "kRrkHHHhH",
    "khhkHhSHh",
    "kHHkhSSSS",
    "kHHkSkkSS",
    "kHhkSEESS",
    "kHhkSEwSS",
    "khhksSSSS",
    ".kHhkSSSm",
    ".kHhkkSSS",
    ".kHhk.kSS",
    ".khHkFFFF",
    ".khHkFfRR",
    "..kHkDkRR",
    "..khkDDDR",
    "..kkSkDDD",
    "...kSkDDD",
    "...kSkDDD",
    "...kSkDDD",
    "...kSkFFF",
    "...kSkDDD",
    "..ksSkDDD",
    "..kkkDDDD",
    "..kDDdDDd",
    ".kDDDdDDd",
    ".kDDDdDDd",
    "kDDDDdDDd",
    "kFFFFFFFF",
    "kfFfFfFfF",
    ".kkkkkkkk",
    "....kFFk.",
    "....kFFk.",
    "....kFFk.",
    "....kFfk.",
    "....kFFk.",
    "....kFFk.",
    "...kBBBk.",
    "...kBBBk.",
    "..kBBbBk.",
    "..kBBBBk.",
    "..kkkkkk.",
    ".........",
]

WAND_HEART = ["kk.kk", "kYkGk", "kGGgk", ".kgk.", "..k.."]
NO_ARM = ["  "] * 6 + ["   "]          # clears her resting right arm (viewer's right)


def hero_base():
    g = parse_grid(HERO_LEFT, mirror=True)
    return grid_put(g, 4, 2, ["ll", "l", ".l"])     # light falls from the left


def hero_idle():
    g = hero_base()
    g = grid_put(g, 13, 15, WAND_HEART)
    g = grid_put(g, 15, 20, ["k", "G", "G", "G", "g", "k"])
    return grid_put(g, 13, 25, ["kkk", "SSk", "skk"])


def hero_raise():
    """Pose 0: the wand goes up over her head."""
    g = grid_put(hero_base(), 13, 20, NO_ARM)
    g = grid_put(g, 12, 9, [
        "..kGk", ".kSSk", ".kSSk", ".kSk.", "kSSk.", "kSSk.",
        "kSk..", "kSk..", "kDk..", "kDDk.", "kDDk.", "kkk..",
    ])
    g = grid_put(g, 13, 0, WAND_HEART)
    g = grid_put(g, 14, 5, ["kGk", "kGk", "kGk", "kgk"])
    return grid_put(g, 12, 0, ["Y"])


def hero_fire():
    """Pose 3: wand thrust down the lane, the beam leaving it in a flash."""
    g = grid_put(hero_base(), 13, 20, NO_ARM)
    g = grid_put(g, 12, 17, [
        ".kk..", "kDDk.", "kDDDk", ".kDDk", "..kSk", "..kSSk",
        "...kSk", "...kSk", "...kSSk", "....kSk", "....kGk", "....kGk",
    ])
    g = grid_put(g, 13, 28, [
        "...y.y.",
        "..yPkPy",
        ".yPYYYP",
        "yPYYYYY",
        ".yPYYYP",
        "..yPYPy",
        "y..yYy.",
        "....y..",
        "..y.y.y",
        "....y..",
    ])
    g = grid_put(g, 5, 9, ["kkSSkk", "EESSEE", "kkSSkk"])   # eyes squeezed shut
    return grid_put(g, 7, 12, ["SmmS", "SmmS"])             # and a shout


def hero_recoil():
    """Pose 2: the arm swings back, sparks trailing off the wand."""
    g = grid_put(hero_base(), 13, 20, NO_ARM)
    g = grid_put(g, 12, 19, [
        "kDk..", "kDDk.", "kDDk.", ".kSk.", ".kSSk",
        "..kSk", "..kSk", "..kSSk", "...kGk", "...kGk",
    ])
    g = grid_put(g, 14, 29, WAND_HEART)
    g = grid_put(g, 16, 34, ["..y", ".P.", "y.y"])
    g = grid_put(g, 18, 28, ["y"])
    return grid_put(g, 10, 9, ["kk", "SS", "kk"])           # a wink


def make_heroine():
    poses = [hero_raise(), hero_idle(), hero_recoil(), hero_fire()]
    strip = Image.new("RGB", (151, 48), WHITE)
    for f, grid in enumerate(poses):
        w = HERO_FRAME_X[f + 1] - HERO_FRAME_X[f]
        assert len(grid) == HERO_H, f"pose {f}: {len(grid)} rows"
        for row in grid:
            assert set(row[w:]) <= {"."}, f"pose {f} spills past its {w} columns"
        img, mask = grid_images(grid, HERO_PAL, w)
        check_mask_rule(img, mask, f"heroine pose {f}")
        strip.paste(img, (HERO_FRAME_X[f], 0))
        strip.paste(mask, (HERO_FRAME_X[f + 4], 0))
    return strip


# --- enemy ---------------------------------------------------------------------

SS = 8  # supersampling of the one-bit shapes


def _p(x, y):
    return (x * SS, y * SS)


def _limb(d, pts, w0, w1):
    n = len(pts) - 1
    for i in range(n):
        w = w0 + (w1 - w0) * i / max(1, n - 1)
        d.line([_p(*pts[i]), _p(*pts[i + 1])], fill=0, width=int(w * SS))
        r = w * SS / 2
        for q in (pts[i], pts[i + 1]):
            d.ellipse([q[0] * SS - r, q[1] * SS - r, q[0] * SS + r, q[1] * SS + r], fill=0)


def _claws(d, hand, ang, spread=0.55, length=3.2, base=0.55):
    for k in (-1, 0, 1):
        a = ang + k * spread
        tip = (hand[0] + math.cos(a) * length, hand[1] + math.sin(a) * length)
        d.polygon([_p(hand[0] + math.cos(a + 1.57) * base, hand[1] + math.sin(a + 1.57) * base),
                   _p(*tip),
                   _p(hand[0] + math.cos(a - 1.57) * base, hand[1] + math.sin(a - 1.57) * base)],
                  fill=0)


def enemy_frame(phase):
    """A horned imp climbing hand over hand; phase 1 swaps the reaching arm,
    the stepping leg and the swing of the tail."""
    im = Image.new("L", (32 * SS, 46 * SS), 255)
    d = ImageDraw.Draw(im)
    cx = 13          # drawn at laneX - 13: the body stands on the lane centre
    bob = 0.0 if phase == 0 else 1.0
    side = 1 if phase == 0 else -1

    if phase == 0:
        tail = [(18, 33), (24, 37), (28.5, 34), (29, 28), (27, 24)]
    else:
        tail = [(18, 33), (24, 35), (29, 37), (30.5, 32), (29.5, 27)]
    _limb(d, tail, 2.4, 1.2)
    tx, ty = tail[-1]
    d.polygon([_p(tx - 2.2, ty + 0.5), _p(tx + 0.3, ty - 3.2), _p(tx + 2.2, ty + 0.8), _p(tx, ty + 0.2)],
              fill=0)

    d.ellipse([_p(cx - 6, 20 + bob), _p(cx + 6, 36.5 + bob)], fill=0)
    d.polygon([_p(cx - 3, 17 + bob), _p(cx + 3, 17 + bob), _p(cx + 4.5, 22 + bob), _p(cx - 4.5, 22 + bob)],
              fill=0)
    hy = 12.5 + bob
    d.ellipse([_p(cx - 6.8, hy - 6), _p(cx + 6.8, hy + 5.5)], fill=0)
    d.polygon([_p(cx - 4, hy + 4), _p(cx + 4, hy + 4), _p(cx, hy + 7.5)], fill=0)
    for s in (-1, 1):
        b = cx + s * 4.5
        d.polygon([_p(b - 2.2 * s, hy - 4), _p(b + s * 1.2, hy - 12 + (0.6 if s == 1 else 0)),
                   _p(b + s * 2.6, hy - 2.5)], fill=0)

    reach = [(cx - 5 * side, 22 + bob), (cx - 11 * side, 18.5), (cx - 10 * side, 9)]
    pull = [(cx + 5 * side, 22 + bob), (cx + 11.5 * side, 26), (cx + 11 * side, 33)]
    _limb(d, reach, 2.8, 2.1)
    _claws(d, reach[-1], -math.pi / 2)
    _limb(d, pull, 2.8, 2.1)
    _claws(d, pull[-1], math.pi / 2)

    stretched = [(cx - 3.5 * side, 34 + bob), (cx - 9 * side, 37.5), (cx - 8.5 * side, 43)]
    tucked = [(cx + 3.5 * side, 34 + bob), (cx + 6 * side, 39.5), (cx + 5 * side, 42)]
    for leg in (stretched, tucked):
        _limb(d, leg, 3.0, 2.4)
        fx, fy = leg[-1]
        d.polygon([_p(fx - 2, fy - 0.5), _p(fx + 2, fy - 0.5), _p(fx + 2.6, fy + 2.2), _p(fx - 2.6, fy + 2.2)],
                  fill=0)

    # Eyes and grin are white: the ground shows through them.
    ey = hy - 0.6
    for s in (-1, 1):
        d.polygon([_p(cx + 5.6 * s, ey - 2.2), _p(cx + 1.0 * s, ey - 0.2), _p(cx + 1.3 * s, ey + 1.5),
                   _p(cx + 4.6 * s, ey + 1.5), _p(cx + 5.6 * s, ey)], fill=255)
    my = hy + 2.9
    d.polygon([_p(cx - 4.2, my - 0.6), _p(cx + 4.2, my - 0.6), _p(cx + 3, my + 1.7), _p(cx - 3, my + 1.7)],
              fill=255)

    small = im.resize((32, 46), Image.BOX).point(lambda v: 0 if v < 128 else 255)
    px = small.load()
    top = next(y for y in range(int(hy) + 1, 46) if px[cx, y] == 255)
    px[cx - 3, top] = 0      # two fangs hanging from the upper lip
    px[cx + 2, top] = 0
    return small


def make_enemy():
    strip = Image.new("L", (66, 47), 255)
    for f in range(2):
        frame = enemy_frame(f)
        assert (np.asarray(frame) == 0).sum() > 300, "enemy frame too thin to read"
        strip.paste(frame, (33 * f, 0))
    strip = strip.convert("1", dither=Image.Dither.NONE)
    assert is_two_colour(strip)
    return strip


# --- heart ---------------------------------------------------------------------

def heart_coverage(w, h, cx, cy, size, ss=6):
    """Coverage (0..1) of the classic heart curve (x² + y² − 1)³ ≤ x² y³."""
    ys, xs = np.mgrid[0:h * ss, 0:w * ss]
    x = ((xs + 0.5) / ss - cx) / size
    y = -((ys + 0.5) / ss - cy) / size
    inside = (x * x + y * y - 1) ** 3 - x * x * y ** 3 <= 0
    return inside.reshape(h, ss, w, ss).mean(axis=(1, 3))


def blur(a, radius):
    img = Image.fromarray(np.clip(a * 255, 0, 255).astype(np.uint8), "L")
    from PIL import ImageFilter
    return np.asarray(img.filter(ImageFilter.GaussianBlur(radius)), dtype=np.float64) / 255


def heart_frame(size, bright, w=25, h=22):
    cx, cy = w / 2, h / 2 + 0.3 * size
    body = heart_coverage(w, h, cx, cy, size)
    core = heart_coverage(w, h, cx - 0.12 * size, cy - 0.25 * size, size * 0.45)
    shine = heart_coverage(w, h, cx - 0.45 * size, cy - 0.55 * size, size * 0.2)
    halo = blur(body, 2.2)
    rgb = np.zeros((h, w, 3))
    rgb += halo[..., None] * np.array([150, 20, 90])
    rgb += body[..., None] * np.array([200, 46, 130])
    rgb += core[..., None] * np.array([55, 70, 60])
    rgb += shine[..., None] * np.array([80, 110, 70])
    rgb *= bright
    ys, xs = np.mgrid[0:h, 0:w]
    border = np.minimum.reduce([xs, w - 1 - xs, ys, h - 1 - ys]).astype(np.float64)
    rgb *= np.clip(border / 3.0, 0, 1)[..., None]     # the glow dies before the cell edge
    return Image.fromarray(np.clip(rgb, 0, 255).round().astype(np.uint8), "RGB")


def make_heart():
    strip = Image.new("RGB", (52, 23), BLACK)
    strip.paste(heart_frame(8.2, 1.0), (0, 0))
    strip.paste(heart_frame(6.0, 0.62), (26, 0))
    a = np.asarray(strip)
    # Additive sprites: the cell borders must add nothing.
    assert a[0, :].max() < 8 and a[21, :].max() < 8 and a[:, 0].max() < 8
    return strip


# --- explosion -----------------------------------------------------------------

def explosion_cell(f, gen, cell=38):
    """Age f of 16: a flash, then a ring that widens and fades, shedding sparks."""
    t = f / 15.0
    c = (cell - 1) / 2.0
    ys, xs = np.mgrid[0:cell, 0:cell]
    r = np.hypot(xs - c, ys - c)
    radius = 2.5 + 14.5 * (1 - (1 - t) ** 1.7)
    width = 3.6 * (1 - t) + 1.0
    fade = (1 - t) ** 0.75
    ring = np.exp(-((r - radius) / width) ** 2)
    flash = np.exp(-(r / (6.0 * (1 - t) + 1.5)) ** 2) * max(0.0, 1 - 2.6 * t)
    inner = np.exp(-(r / (radius + 0.1)) ** 4) * 0.28 * fade * (r < radius)
    rgb = np.zeros((cell, cell, 3))
    hot = np.array([255, 200, 235])
    pink = np.array([255, 70, 170])
    deep = np.array([170, 30, 150])
    ring_col = hot * (1 - t) ** 3 + pink * (1 - (1 - t) ** 3) * (1 - t) + deep * t
    rgb += ring[..., None] * ring_col * fade
    rgb += flash[..., None] * np.array([255, 235, 250])
    rgb += inner[..., None] * pink
    # Sparks ride just outside the ring on fixed spokes, twinkling out.
    for k in range(12):
        ang = 2 * math.pi * k / 12 + gen[k, 0] * 0.4
        dist = radius * (1.08 + 0.25 * gen[k, 1])
        if dist > c - 1.5 or f == 0:
            continue
        sx, sy = c + math.cos(ang) * dist, c + math.sin(ang) * dist
        s = np.exp(-(((xs - sx) ** 2 + (ys - sy) ** 2) / 0.9)) * fade * (0.6 + 0.4 * gen[k, 2])
        rgb += s[..., None] * np.array([255, 190, 230])
    edge = np.clip((c + 0.5 - r) / 1.5, 0, 1)   # nothing reaches the cell border
    rgb *= edge[..., None]
    return Image.fromarray(np.clip(rgb, 0, 255).round().astype(np.uint8), "RGB")


def explosion_origin(f):
    return math.floor((f % 8) * 52.5) + 8, math.floor((f // 8) * 52.5) + 8


def make_explosion():
    gen = rng(7).random((12, 3))
    sheet = Image.new("RGB", (422, 105), BLACK)
    for f in range(16):
        sheet.paste(explosion_cell(f, gen), explosion_origin(f))
    xs = sorted({explosion_origin(f)[0] for f in range(16)})
    assert xs == [8, 60, 113, 165, 218, 270, 323, 375], xs
    assert explosion_origin(9) == (60, 60)
    return sheet


def main():
    os.makedirs(SPRITES, exist_ok=True)
    out = {
        "heroine.png": make_heroine(),
        "enemy.png": make_enemy(),
        "heart.png": make_heart(),
        "explosion.png": make_explosion(),
    }
    sizes = {"heroine.png": (151, 48), "enemy.png": (66, 47), "heart.png": (52, 23),
             "explosion.png": (422, 105)}
    for name, img in out.items():
        assert img.size == sizes[name], f"{name}: {img.size}"
        img.save(os.path.join(SPRITES, name), optimize=True)
        print("wrote", os.path.join("sprites", name), img.size)


if __name__ == "__main__":
    main()
