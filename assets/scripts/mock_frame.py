#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Composes a play frame the way the game draws it (background copy, masked
heroine, AND-ed enemies, additive hearts and explosions, gauges, masked
numbers) so the art can be judged together. Writes a PNG; not used by the build.

usage: mock_frame.py [out.png] [--banner] [--title]"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lbart import PIC, SPRITES, Image, LANE_X, np, rng  # noqa: E402

HERO_FRAME_X = [0, 18, 36, 55, 75, 93, 111, 130]


def load(path):
    return np.asarray(Image.open(path).convert("RGB"), dtype=np.int32)


def region(dst, x, y, w, h):
    """Clipped destination and source slices of a w × h blit at (x, y)."""
    H, W = dst.shape[:2]
    x0, y0, x1, y1 = max(0, x), max(0, y), min(W, x + w), min(H, y + h)
    if x0 >= x1 or y0 >= y1:
        return None
    return (slice(y0, y1), slice(x0, x1)), (slice(y0 - y, y1 - y), slice(x0 - x, x1 - x))


def srcerase(dst, src, x, y, sx, sy, w, h):
    r = region(dst, x, y, w, h)
    if r:
        d, s = r
        piece = src[sy:sy + h, sx:sx + w][s]
        dst[d] = piece & (~dst[d] & 255)


def masked(dst, src, x, y, ix, iy, mx, my, w, h):
    srcerase(dst, src, x, y, mx, my, w, h)
    srcerase(dst, src, x, y, ix, iy, w, h)


def additive(dst, src, x, y, sx, sy, w, h):
    r = region(dst, x, y, w, h)
    if r:
        d, s = r
        dst[d] = np.minimum(255, dst[d] + src[sy:sy + h, sx:sx + w][s])


def copy(dst, src, x, y, sx, sy, w, h):
    r = region(dst, x, y, w, h)
    if r:
        d, s = r
        dst[d] = src[sy:sy + h, sx:sx + w][s]


def box(dst, x1, y1, x2, y2, col, fill):
    if fill:
        dst[y1:y2 + 1, x1:x2 + 1] = col
    else:
        dst[y1, x1:x2 + 1] = col
        dst[y2, x1:x2 + 1] = col
        dst[y1:y2 + 1, x1] = col
        dst[y1:y2 + 1, x2] = col


def number(dst, num, text, x):
    for j, ch in enumerate(text):
        d = int(ch)
        masked(dst, num, x + 11 * j, 2, 11 * d, 0, 11 * d, 15, 11, 15)


def main():
    out = next((a for a in sys.argv[1:] if not a.startswith("--")), "/tmp/mock.png")
    gen = rng(3)
    bg = load(os.path.join(PIC, "bg.jpg"))
    num = load(os.path.join(PIC, "number.gif"))
    hero = load(os.path.join(SPRITES, "heroine.png"))
    teki = load(os.path.join(SPRITES, "enemy.png"))
    hrt = load(os.path.join(SPRITES, "heart.png"))
    exp = load(os.path.join(SPRITES, "explosion.png"))

    if "--title" in sys.argv:
        frame = load(os.path.join(PIC, "title.jpg")).copy()
        for _ in range(14):
            x, y = int(gen.uniform(0, 350)), int(gen.uniform(0, 350))
            srcerase(frame, teki, x, y, 0, 0, 32, 46)
            srcerase(frame, teki, x, y, 0, 0, 32, 46)
        Image.fromarray(frame.astype(np.uint8)).save(out)
        return

    frame = bg.copy()
    if "--banner" in sys.argv:
        lv = load(os.path.join(PIC, "levelup.gif"))
        copy(frame, lv, 16, 52, 0, 0, 314, 74)

    hero_lane, pose = 1, 3
    w = HERO_FRAME_X[pose + 1] - HERO_FRAME_X[pose]
    masked(frame, hero, LANE_X[hero_lane] - 9, 5, HERO_FRAME_X[pose], 0, HERO_FRAME_X[pose + 4], 0, w, 47)
    # A second heroine in the idle pose, to judge both at once.
    masked(frame, hero, LANE_X[3] - 9, 5, HERO_FRAME_X[1], 0, HERO_FRAME_X[5], 0, 18, 47)

    for lane, y, f in [(0, 300, 0), (1, 230, 1), (2, 150, 0), (2, 270, 1), (3, 110, 1),
                       (4, 200, 0), (4, 320, 1), (0, 70, 1)]:
        srcerase(frame, teki, LANE_X[lane] - 13, y, 33 * f, 0, 32, 46)
        srcerase(frame, teki, LANE_X[lane] - 13, y, 33 * f, 0, 32, 46)

    for lane, y in [(1, 60), (1, 150), (3, 190)]:
        additive(frame, hrt, LANE_X[lane] - 12 + int(gen.integers(0, 7)), y, 0, 0, 25, 22)
    for y in (40, 56, 72, 88, 104, 120):
        d = int(gen.integers(0, 9)) * (1 if gen.random() > 0.5 else -1)
        additive(frame, hrt, LANE_X[2] - 12 + d, y, 26, 0, 25, 22)
    for (px, py, age) in [(100, 205, 3), (250, 160, 8), (25, 250, 12)]:
        sx = math.floor((age % 8) * 52.5) + 8
        sy = math.floor((age // 8) * 52.5) + 8
        additive(frame, exp, px - 16, py - 16, sx, sy, 38, 38)

    gauge, freeze = 180, 120
    box(frame, 2, 24, 8, 326, (200, 200, 200), False)
    box(frame, 3, 25, 7, 325, (30, 30, 50), True)
    box(frame, 3, 25, 7, gauge + 24, (0, 240, 46) if (gauge // 25) % 2 else (0, 160, 23), True)
    for k in (5, 4, 3, 2, 1):
        if gauge >= 50 * k:
            c = (round(gen.random() * 140), round(gen.random() * 155 + 100), round(gen.random() * 140))
            box(frame, 3, 25, 7, 50 * k + 24, c, True)
    for y in (125, 225, 175, 275, 75):
        frame[y, 3:9] = (140, 140, 140)
    box(frame, 341, 24, 347, 326, (200, 200, 200), False)
    box(frame, 342, 25, 346, 325, (40, 23, 24), True)
    box(frame, 342, 25, 346, freeze + 25, (234, 12, 43), True)

    masked(frame, num, 30, 2, 111, 0, 111, 15, 49, 15)
    number(frame, num, "12340", 80)
    masked(frame, num, 264, 2, 162, 0, 162, 15, 25, 15)
    number(frame, num, "17", 291)

    img = Image.fromarray(frame.astype(np.uint8))
    img.save(out)
    base, ext = os.path.splitext(out)
    img.resize((700, 700), Image.NEAREST).save(base + "_2x" + ext)


if __name__ == "__main__":
    main()
