#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Paints the pictures read from the program folder (play background, title,
READY and LEVEL UP banners, the digit strip) and the window icon."""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lbart import (BLACK, FONT_BOLD, FONT_COND, FONT_PGOTHIC, ICON, LANE_HALF, LANE_X, PIC,  # noqa: E402
                   SPRITES, WHITE, Image, ImageDraw, ImageFilter, check_mask_rule, font,
                   is_two_colour, np, rng, save_gif, save_jpeg, text_mask, vgradient)


SIZE = 350


def arr(img):
    return np.asarray(img.convert("RGB"), dtype=np.float64)


def img_of(a):
    return Image.fromarray(np.clip(a, 0, 255).round().astype(np.uint8), "RGB")


def blur_l(m, radius):
    return np.asarray(m.filter(ImageFilter.GaussianBlur(radius)), dtype=np.float64) / 255


def fancy_text(canvas, xy, text, fnt, stops, outline=(40, 12, 48), stroke=2,
               glow=None, glow_radius=4.0, glow_strength=1.0, anchor="mm", shadow=0):
    """Text with a gradient fill, an outline and an optional glow, painted onto
    an RGB float array in place. Returns the bounding box of the outline."""
    h, w = canvas.shape[:2]
    size = (w, h)
    outer = text_mask(size, xy, text, fnt, anchor, stroke)
    inner = text_mask(size, xy, text, fnt, anchor, 0)
    bbox = outer.getbbox()
    if glow is not None:
        g = blur_l(outer, glow_radius) * glow_strength
        canvas += g[..., None] * np.array(glow, dtype=np.float64)
    if shadow:
        sh = np.zeros((h, w))
        o = np.asarray(outer, dtype=np.float64) / 255
        sh[shadow:, shadow:] = o[:-shadow, :-shadow]
        canvas *= (1 - 0.55 * sh)[..., None]
    o = np.asarray(outer, dtype=np.float64)[..., None] / 255
    canvas[:] = canvas * (1 - o) + np.array(outline, dtype=np.float64) * o
    top, bottom = bbox[1], bbox[3]
    grad = np.asarray(vgradient((w, max(1, bottom - top)), stops), dtype=np.float64)
    fill = np.zeros_like(canvas)
    fill[top:bottom] = grad
    i = np.asarray(inner, dtype=np.float64)[..., None] / 255
    canvas[:] = canvas * (1 - i) + fill * i
    return bbox


def stars(canvas, gen, count, region, bright=(200, 200, 255), size=(0.6, 1.4)):
    """Soft points of light scattered over a region, added to the canvas."""
    x0, y0, x1, y1 = region
    h, w = canvas.shape[:2]
    ys, xs = np.mgrid[0:h, 0:w]
    for _ in range(count):
        sx = gen.uniform(x0, x1)
        sy = gen.uniform(y0, y1)
        s = gen.uniform(*size)
        k = gen.uniform(0.35, 1.0)
        r = int(4 * s) + 2
        ya, yb = max(0, int(sy) - r), min(h, int(sy) + r + 1)
        xa, xb = max(0, int(sx) - r), min(w, int(sx) + r + 1)
        d2 = (xs[ya:yb, xa:xb] - sx) ** 2 + (ys[ya:yb, xa:xb] - sy) ** 2
        canvas[ya:yb, xa:xb] += (np.exp(-d2 / (2 * s * s)) * k)[..., None] * np.array(bright)


def heart_field(w, h, cx, cy, size):
    """Signed inside test of the heart curve on a pixel grid (True inside)."""
    ys, xs = np.mgrid[0:h, 0:w]
    x = (xs + 0.5 - cx) / size
    y = -(ys + 0.5 - cy) / size
    return (x * x + y * y - 1) ** 3 - x * x * y ** 3 <= 0


def heart_cov(w, h, cx, cy, size, ss=4):
    big = heart_field(w * ss, h * ss, cx * ss, cy * ss, size * ss)
    return big.reshape(h, ss, w, ss).mean(axis=(1, 3))


# --- play background ---------------------------------------------------------------

def make_bg():
    """Five stone bridges over a starry void; the heroine's balcony at the top,
    a violet mist at the bottom where the imps crawl out."""
    gen = rng(11)
    h = w = SIZE
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float64)
    yn = ys / (h - 1)

    # The void between the lanes.
    void = np.zeros((h, w, 3))
    void += np.array([26, 22, 48]) * (1 - yn[..., None]) + np.array([54, 34, 78]) * yn[..., None]
    stars(void, gen, 90, (0, 0, w, h), bright=(170, 170, 230), size=(0.45, 1.0))

    # Lane bridges: stone slabs with joints every 25 px, lit along the middle.
    lane = np.zeros((h, w), dtype=bool)
    dx = np.full((h, w), 99.0)
    for cx in LANE_X:
        d = np.abs(xs + 0.5 - cx)
        dx = np.minimum(dx, d)
        lane |= d <= LANE_HALF
    stone_top = np.array([92, 88, 128])
    stone_bot = np.array([118, 104, 150])
    stone = stone_top * (1 - yn[..., None]) + stone_bot * yn[..., None]
    stone *= (1.06 - 0.16 * (dx / LANE_HALF) ** 2)[..., None]
    grain = np.asarray(Image.fromarray((gen.random((h // 2, w // 2)) * 255).astype(np.uint8))
                       .resize((w, h), Image.BILINEAR), dtype=np.float64) / 255
    stone *= (0.94 + 0.1 * grain)[..., None]
    # Each slab a touch lighter or darker than its neighbours.
    slab_shade = gen.uniform(-7, 7, size=(h // 25 + 1, 5))
    lane_idx = np.clip(((xs + 12.5) // 75).astype(int), 0, 4)
    stone += slab_shade[(ys // 25).astype(int), lane_idx][..., None]
    joint = ((ys.astype(int) + 12) % 25 == 0)
    stone[joint] *= 0.78
    stone[((ys.astype(int) + 11) % 25 == 0)] *= 1.08

    field = np.where(lane[..., None], stone, void)

    # Thin rails of light along both lane edges.
    for cx in LANE_X:
        for ex in (cx - LANE_HALF, cx + LANE_HALF - 1):
            if 0 <= ex < w:
                field[:, ex] = field[:, ex] * 0.55 + np.array([150, 200, 235]) * 0.45
        for ex in (cx - LANE_HALF - 1, cx + LANE_HALF):
            if 0 <= ex < w:
                field[:, ex] *= 0.6

    # The balcony: a warmer stone terrace the heroine walks along.
    yi, xi = ys.astype(int), xs.astype(int)
    terrace = ys < 56
    tcol = np.array([106, 80, 116]) * (0.9 + 0.14 * grain[..., None])
    row = yi // 11
    grout = (yi % 11 == 0) | ((xi + 9 * (row % 2)) % 18 == 0)
    tcol[grout] *= 0.8
    tcol[(yi % 11 == 1)] *= 1.07
    field = np.where(terrace[..., None], tcol, field)
    # Balustrade along its front edge: rail, balusters, rail, then its shadow.
    stone_hi = np.array([222, 182, 214])
    stone_mid = np.array([170, 126, 170])
    field[54:56] = np.array([58, 34, 66])
    field[56:58] = stone_hi
    field[58:59] = stone_mid
    gaps = field[59:65] * 0.45
    balusters = np.zeros((6, w, 3)) + stone_mid
    balusters[:, ::1] *= (1.0 + 0.25 * np.cos((np.arange(w) % 6) / 6 * 2 * np.pi))[None, :, None]
    solid = (np.arange(w) % 6) < 3
    field[59:65] = np.where(solid[None, :, None], balusters, gaps)
    field[65:67] = stone_hi * 0.92
    field[67:68] = np.array([70, 40, 78])
    field[68:72] *= np.linspace(0.6, 0.9, 4)[:, None, None]
    # Light pools where she stands in each lane.
    for cx in LANE_X:
        d2 = ((xs - cx) / 22) ** 2 + ((ys - 34) / 16) ** 2
        field += (np.exp(-d2) * 28)[..., None] * np.array([1.0, 0.7, 0.9])

    # Status strip: darker under the numbers so they read.
    strip = np.clip(1 - ys / 21, 0, 1) ** 1.5
    field *= (1 - 0.55 * strip)[..., None]

    # Violet mist rising from the bottom.
    mist = np.clip((ys - 250) / 100, 0, 1) ** 1.6
    wobble = 0.75 + 0.25 * np.sin(xs / 23 + 1.3) * np.sin(xs / 9)
    field += (mist * wobble * 60)[..., None] * np.array([1.2, 0.45, 1.3])

    # Gentle vignette toward the sides.
    vign = 1 - 0.12 * ((xs - w / 2) / (w / 2)) ** 2
    field *= vign[..., None]
    return img_of(field)


# --- title ----------------------------------------------------------------------

def load_heroine_pose(f, scale):
    """A pose of the heroine strip, scaled up, with its mask as alpha."""
    fx = [0, 18, 36, 55, 75, 93, 111, 130]
    strip = Image.open(os.path.join(SPRITES, "heroine.png")).convert("RGB")
    wd = fx[f + 1] - fx[f]
    img = strip.crop((fx[f], 0, fx[f] + wd, 47))
    mask = strip.crop((fx[f + 4], 0, fx[f + 4] + wd, 47)).convert("L").point(lambda v: 255 - v)
    size = (wd * scale, 47 * scale)
    return img.resize(size, Image.NEAREST), mask.resize(size, Image.NEAREST)


def make_title():
    gen = rng(23)
    h = w = SIZE
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float64)
    cx, cy = 175.0, 120.0
    # A mid-tone dusk: the imps stamped over it must still show black.
    canvas = np.asarray(vgradient((w, h), [(0, (78, 58, 128)), (0.45, (150, 86, 160)),
                                           (1, (96, 60, 120))]), dtype=np.float64).copy()
    ang = np.arctan2(ys - cy, xs - cx)
    rad = np.hypot(xs - cx, ys - cy)
    rays = (np.sin(ang * 14) > 0.25).astype(np.float64)
    rays *= np.clip(1 - rad / 330, 0, 1) * np.clip(rad / 40, 0, 1)
    canvas += (rays * 22)[..., None] * np.array([1.0, 0.8, 1.0])
    canvas += (np.exp(-(rad / 120) ** 2) * 40)[..., None] * np.array([1.0, 0.75, 0.9])
    stars(canvas, gen, 40, (0, 0, w, 230), bright=(255, 230, 255), size=(0.5, 1.2))

    # Faint hearts floating up behind everything.
    for _ in range(14):
        hx, hy = gen.uniform(10, 340), gen.uniform(150, 345)
        s = gen.uniform(5, 13)
        cov = heart_cov(w, h, hx, hy, s)
        canvas += (cov * gen.uniform(18, 40))[..., None] * np.array([1.0, 0.35, 0.7])

    # Lanes fading into the distance along the floor.
    floor = np.clip((ys - 245) / 105, 0, 1)
    for lx in LANE_X:
        band = np.exp(-((xs - lx) / 18) ** 2) * floor * 30
        canvas += band[..., None] * np.array([0.7, 0.8, 1.2])

    f_small = font(FONT_PGOTHIC, 34)
    f_big = font(FONT_BOLD, 54)
    fancy_text(canvas, (175, 62), "ルル子の", f_small,
               [(0, (255, 255, 255)), (1, (255, 200, 230))], stroke=3,
               glow=(255, 120, 200), glow_radius=5, glow_strength=1.2)
    fancy_text(canvas, (175, 118), "VORN", f_big,
               [(0, (255, 250, 255)), (0.45, (255, 150, 210)), (1, (220, 40, 140))],
               stroke=4, glow=(255, 90, 190), glow_radius=7, glow_strength=1.6, shadow=3)
    fancy_text(canvas, (175, 172), "BEAM", f_big,
               [(0, (255, 250, 255)), (0.45, (255, 150, 210)), (1, (220, 40, 140))],
               stroke=4, glow=(255, 90, 190), glow_radius=7, glow_strength=1.6, shadow=3)

    # The heroine on the right, hearts streaming from her wand.
    pose, pmask = load_heroine_pose(3, 3)
    at = (262, 196)
    full = Image.new("L", (w, h), 0)
    full.paste(pmask, at)
    halo = blur_l(full, 10)
    canvas += (halo * 90)[..., None] * np.array([1.0, 0.75, 1.0])
    img = img_of(canvas)
    img.paste(pose, at, pmask)
    canvas = arr(img)
    for hx, hy, s in [(298, 331, 6.0), (322, 342, 4.0), (276, 343, 3.5)]:
        cov = heart_cov(w, h, hx, hy, s)
        glow = blur_l(Image.fromarray((cov * 255).astype(np.uint8)), 3)
        canvas += (glow * 160)[..., None] * np.array([1.0, 0.3, 0.7])
        canvas += (cov * 200)[..., None] * np.array([1.0, 0.35, 0.7])

    f_press = font(FONT_BOLD, 17)
    f_jp = font(FONT_PGOTHIC, 15)
    fancy_text(canvas, (130, 226), "PRESS SPACE", f_press,
               [(0, (255, 255, 255)), (1, (255, 230, 160))], stroke=2,
               glow=(255, 200, 120), glow_radius=4, glow_strength=0.9)
    fancy_text(canvas, (130, 250), "スペースキーでスタート", f_jp,
               [(0, (255, 255, 255)), (1, (230, 230, 255))], stroke=2)
    f_hint = font(FONT_PGOTHIC, 12)
    fancy_text(canvas, (112, 336), "F1 ヘルプ  ·  F2 遊戯開始", f_hint,
               [(0, (240, 225, 255)), (1, (210, 190, 240))], stroke=2, outline=(48, 22, 64))
    return img_of(canvas)


# --- banners --------------------------------------------------------------------------

def make_ready():
    """READY over a black band: the band is black too, so the edges vanish."""
    w, h = 300, 83
    canvas = np.zeros((h, w, 3))
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float64)
    # A beam of light across the middle, brightest in the centre.
    beam = np.exp(-((ys - 38) / 7) ** 2) * np.exp(-((xs - w / 2) / 120) ** 2)
    canvas += (beam * 70)[..., None] * np.array([1.0, 0.35, 0.8])
    f_big = font(FONT_BOLD, 50)
    fancy_text(canvas, (150, 36), "READY", f_big,
               [(0, (255, 255, 255)), (0.5, (255, 170, 220)), (1, (240, 60, 160))],
               stroke=3, outline=(70, 10, 60), glow=(255, 60, 170), glow_radius=6, glow_strength=1.5)
    f_jp = font(FONT_PGOTHIC, 14)
    fancy_text(canvas, (150, 72), "― 準備はいい？ ―", f_jp,
               [(0, (255, 240, 250)), (1, (255, 200, 230))], stroke=0, outline=(0, 0, 0))
    fade = np.clip(np.minimum(xs, w - 1 - xs) / 6, 0, 1)      # no hard edge at the band
    canvas *= fade[..., None]
    return img_of(canvas)


def make_levelup():
    """An opaque plaque with a gold frame; it covers the field for 1.5 s."""
    w, h = 314, 74
    gen = rng(5)
    canvas = np.asarray(vgradient((w, h), [(0, (66, 24, 92)), (0.5, (120, 40, 130)),
                                           (1, (52, 18, 74))]), dtype=np.float64).copy()
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float64)
    shine = np.exp(-((xs - 157) / 110) ** 2) * np.exp(-((ys - 30) / 20) ** 2)
    canvas += (shine * 50)[..., None] * np.array([1.0, 0.6, 1.0])
    stars(canvas, gen, 26, (8, 6, w - 8, h - 6), bright=(255, 220, 255), size=(0.5, 1.1))
    img = img_of(canvas)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w - 1, h - 1], outline=(30, 8, 30))
    d.rectangle([1, 1, w - 2, h - 2], outline=(255, 214, 90))
    d.rectangle([2, 2, w - 3, h - 3], outline=(180, 110, 30))
    d.rectangle([5, 5, w - 6, h - 6], outline=(255, 200, 120))
    for (x, y) in [(5, 5), (w - 6, 5), (5, h - 6), (w - 6, h - 6)]:
        d.polygon([(x - 4, y), (x, y - 4), (x + 4, y), (x, y + 4)], fill=(255, 240, 170))
    canvas = arr(img)
    f_big = font(FONT_BOLD, 40)
    fancy_text(canvas, (157, 35), "LEVEL UP!", f_big,
               [(0, (255, 255, 230)), (0.5, (255, 214, 80)), (1, (230, 120, 30))],
               stroke=3, outline=(60, 16, 20), glow=(255, 170, 80), glow_radius=5, glow_strength=1.1)
    for hx in (24, 290):
        cov = heart_cov(w, h, hx, 38, 7)
        canvas = canvas * (1 - cov[..., None]) + cov[..., None] * np.array([255, 90, 170])
        canvas += (blur_l(Image.fromarray((cov * 255).astype(np.uint8)), 3) * 120)[..., None] \
            * np.array([1.0, 0.35, 0.7])
    return img_of(canvas)


# --- digit strip ----------------------------------------------------------------------

DIGIT_W = 11
ROW_H = 15


def _piece(text, fnt, width, stops, outline=(44, 14, 40), y_off=0):
    """One masked piece: colour image and mask, 15 px high, outline 1 px."""
    size = (width, ROW_H)
    inner = text_mask(size, (width / 2, ROW_H / 2 + y_off), text, fnt, "mm", 0)
    cover = np.asarray(inner, dtype=np.float64) / 255
    solid = Image.fromarray(((cover > 0.25) * 255).astype(np.uint8)).filter(ImageFilter.MaxFilter(3))
    m = np.asarray(solid) > 0
    grad = np.asarray(vgradient(size, stops), dtype=np.float64)
    col = grad * cover[..., None] + np.array(outline) * (1 - cover[..., None])
    image = np.where(m[..., None], col, 255.0)
    mask = np.where(m[..., None], 0.0, 255.0) * np.ones(3)
    return img_of(image), img_of(mask)


def make_number():
    w = 187
    strip = Image.new("RGB", (w, 2 * ROW_H), WHITE)
    digits = [(0, (255, 255, 236)), (0.45, (255, 222, 110)), (1, (255, 138, 48))]
    labels = [(0, (255, 236, 248)), (0.5, (255, 150, 206)), (1, (236, 70, 150))]
    f_digit = font(FONT_BOLD, 14)
    for dgt in range(10):
        img, mask = _piece(str(dgt), f_digit, DIGIT_W, digits)
        check_mask_rule(img, mask, f"digit {dgt}")
        strip.paste(img, (DIGIT_W * dgt, 0))
        strip.paste(mask, (DIGIT_W * dgt, ROW_H))
    for text, x, width, fnt in (("SCORE", 111, 49, font(FONT_COND, 12)),
                                ("Lv", 162, 25, font(FONT_BOLD, 13))):
        img, mask = _piece(text, fnt, width, labels)
        check_mask_rule(img, mask, text)
        # The outline must not spill past the piece's columns.
        m = np.asarray(mask)[:, :, 0]
        assert m[:, 0].min() == 255 and m[:, -1].min() == 255, f"{text} touches its edges"
        strip.paste(img, (x, 0))
        strip.paste(mask, (x, ROW_H))
    check_mask_rule(strip.crop((0, 0, w, ROW_H)), strip.crop((0, ROW_H, w, 2 * ROW_H)), "digit strip")
    return strip


# --- icon -----------------------------------------------------------------------------

def make_icon(size=144):
    ss = 3
    n = size * ss
    ys, xs = np.mgrid[0:n, 0:n].astype(np.float64)
    c = n / 2
    # Rounded square with a violet-night gradient.
    r = n * 0.2
    qx = np.maximum(np.abs(xs + 0.5 - c) - (c - r - 2 * ss), 0)
    qy = np.maximum(np.abs(ys + 0.5 - c) - (c - r - 2 * ss), 0)
    inside = np.hypot(qx, qy) <= r
    canvas = np.asarray(vgradient((n, n), [(0, (70, 40, 130)), (1, (170, 60, 150))]),
                        dtype=np.float64).copy()
    rad = np.hypot(xs - c, ys - c * 0.95)
    canvas += (np.exp(-(rad / (n * 0.38)) ** 2) * 70)[..., None] * np.array([1.0, 0.6, 0.9])
    # A beam falling from the top, through the heart.
    beam = np.exp(-((xs - c) / (n * 0.05)) ** 2) * np.clip(1 - ys / n, 0, 1)
    canvas += (beam * 120)[..., None] * np.array([1.0, 0.85, 1.0])
    hc = heart_field(n, n, c, c * 1.08, n * 0.26).astype(np.float64)
    hl = heart_field(n, n, c - n * 0.07, c * 0.93, n * 0.09).astype(np.float64)
    glow = blur_l(Image.fromarray((hc * 255).astype(np.uint8)), n * 0.04)
    canvas += (glow * 150)[..., None] * np.array([1.0, 0.3, 0.7])
    out_edge = np.asarray(Image.fromarray((hc * 255).astype(np.uint8)).filter(
        ImageFilter.MaxFilter(2 * ss + 1)), dtype=np.float64) / 255
    canvas = canvas * (1 - out_edge[..., None]) + out_edge[..., None] * np.array([60, 10, 50])
    heart_col = np.asarray(vgradient((n, n), [(0, (255, 160, 210)), (0.7, (255, 60, 150)),
                                              (1, (200, 20, 110))]), dtype=np.float64)
    canvas = canvas * (1 - hc[..., None]) + heart_col * hc[..., None]
    canvas = canvas * (1 - hl[..., None] * 0.8) + np.array([255, 240, 250]) * hl[..., None] * 0.8
    # Sparkles.
    for (sx, sy, s) in [(0.78, 0.22, 0.07), (0.22, 0.74, 0.05), (0.8, 0.8, 0.04)]:
        px, py, sz = sx * n, sy * n, s * n
        star = (np.exp(-((xs - px) / (sz * 0.12)) ** 2) * np.exp(-((ys - py) / sz) ** 2)
                + np.exp(-((ys - py) / (sz * 0.12)) ** 2) * np.exp(-((xs - px) / sz) ** 2))
        canvas += (np.clip(star, 0, 1) * 255)[..., None]
    rgba = np.zeros((n, n, 4))
    rgba[..., :3] = np.clip(canvas, 0, 255)
    rgba[..., 3] = inside * 255
    # Frame line.
    edge = inside & ~(np.hypot(np.maximum(np.abs(xs + 0.5 - c) - (c - r - 5 * ss), 0),
                               np.maximum(np.abs(ys + 0.5 - c) - (c - r - 5 * ss), 0)) <= r - 3 * ss)
    rgba[edge, :3] = rgba[edge, :3] * 0.4 + np.array([255, 220, 240]) * 0.6
    big = Image.fromarray(rgba.round().astype(np.uint8), "RGBA")
    return big.resize((size, size), Image.LANCZOS)


def main():
    os.makedirs(PIC, exist_ok=True)
    os.makedirs(ICON, exist_ok=True)
    bg = make_bg()
    title = make_title()
    ready = make_ready()
    levelup = make_levelup()
    number = make_number()
    icon = make_icon()

    assert bg.size == (350, 350) and title.size == (350, 350)
    assert ready.size[1] == 83 and ready.size[0] <= 350
    assert levelup.size == (314, 74)
    assert number.size[0] >= 187 and number.size[1] == 30
    assert is_two_colour(number.crop((0, 15, number.width, 30)))
    assert icon.size[0] >= 144

    save_jpeg(bg, os.path.join(PIC, "bg.jpg"))
    save_jpeg(title, os.path.join(PIC, "title.jpg"))
    save_gif(ready, os.path.join(PIC, "ready.gif"))
    save_gif(levelup, os.path.join(PIC, "levelup.gif"))
    save_gif(number, os.path.join(PIC, "number.gif"))
    icon.save(os.path.join(ICON, "lanebeam.png"), optimize=True)

    # The GIF palette must have kept the masks exact.
    with Image.open(os.path.join(PIC, "number.gif")) as g:
        g = g.convert("RGB")
        check_mask_rule(g.crop((0, 0, g.width, 15)), g.crop((0, 15, g.width, 30)), "number.gif")
    for name in ("bg.jpg", "title.jpg", "ready.gif", "levelup.gif", "number.gif"):
        with Image.open(os.path.join(PIC, name)) as im:
            print("wrote", os.path.join("program", "pic", name), im.size)
    print("wrote", os.path.join("icon", "lanebeam.png"), icon.size)


if __name__ == "__main__":
    main()
