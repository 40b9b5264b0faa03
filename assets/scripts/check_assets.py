#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the committed asset files against the sizes, layouts and mask rules
the game's drawing code relies on. Exits non-zero on the first mismatch."""

import math
import os
import sys
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lbart import ASSETS, ICON, PIC, SPRITES, VOICE, Image, check_mask_rule, is_two_colour, np  # noqa: E402

HERO_FRAME_X = [0, 18, 36, 55, 75, 93, 111, 130]


def rgb(path):
    with Image.open(path) as im:
        return im.convert("RGB")


def check_pictures():
    for name, size in (("bg.jpg", (350, 350)), ("title.jpg", (350, 350)), ("levelup.gif", (314, 74))):
        im = rgb(os.path.join(PIC, name))
        assert im.size == size, f"{name}: {im.size}, want {size}"
    ready = rgb(os.path.join(PIC, "ready.gif"))
    assert ready.height == 83 and ready.width <= 350, f"ready.gif: {ready.size}"
    for name in ("ready.gif", "levelup.gif", "number.gif"):
        with Image.open(os.path.join(PIC, name)) as im:
            assert im.format == "GIF" and im.mode == "P", f"{name}: {im.format} {im.mode}"
    num = rgb(os.path.join(PIC, "number.gif"))
    assert num.width >= 187 and num.height == 30, f"number.gif: {num.size}"
    check_mask_rule(num.crop((0, 0, num.width, 15)), num.crop((0, 15, num.width, 30)), "number.gif")
    mask = np.asarray(num.crop((0, 15, num.width, 30)))[:, :, 0]
    for what, x, w in [(f"digit {d}", 11 * d, 11) for d in range(10)] + [("score label", 111, 49),
                                                                     ("level label", 162, 25)]:
        assert (mask[:, x:x + w] == 0).sum() > 12, f"number.gif: {what} is empty"
    # The play field must stay mid-tone: black imps and additive pink both need room.
    bg = np.asarray(rgb(os.path.join(PIC, "bg.jpg")), dtype=np.float64)
    lanes = np.concatenate([bg[70:340, 25 + 75 * j - 20:25 + 75 * j + 20] for j in range(5)], axis=1)
    luma = (lanes @ np.array([0.299, 0.587, 0.114])).mean()
    assert 60 <= luma <= 150, f"bg.jpg lanes have mean luma {luma:.0f}"
    title = np.asarray(rgb(os.path.join(PIC, "title.jpg")), dtype=np.float64)
    tl = (title @ np.array([0.299, 0.587, 0.114])).mean()
    assert 60 <= tl <= 170, f"title.jpg has mean luma {tl:.0f}"


def check_sprites():
    hero = rgb(os.path.join(SPRITES, "heroine.png"))
    assert hero.size == (151, 48), f"heroine.png: {hero.size}"
    for f in range(4):
        w = HERO_FRAME_X[f + 1] - HERO_FRAME_X[f]
        img = hero.crop((HERO_FRAME_X[f], 0, HERO_FRAME_X[f] + w, 47))
        msk = hero.crop((HERO_FRAME_X[f + 4], 0, HERO_FRAME_X[f + 4] + w, 47))
        check_mask_rule(img, msk, f"heroine pose {f}")
        assert (np.asarray(msk)[:, :, 0] == 0).sum() > 200, f"heroine pose {f} is nearly empty"

    enemy = Image.open(os.path.join(SPRITES, "enemy.png"))
    assert enemy.size == (66, 47), f"enemy.png: {enemy.size}"
    assert is_two_colour(enemy), "enemy.png is not pure black and white"
    e = np.asarray(enemy.convert("L"))
    for f in range(2):
        frame = e[0:46, 33 * f:33 * f + 32]
        assert (frame == 0).sum() > 300, f"enemy frame {f} is nearly empty"
    assert not np.array_equal(e[0:46, 0:32], e[0:46, 33:65]), "enemy frames are identical"

    heart = np.asarray(rgb(os.path.join(SPRITES, "heart.png")))
    assert heart.shape[:2] == (23, 52), f"heart.png: {heart.shape}"
    for x in (0, 26):
        cell = heart[0:22, x:x + 25].astype(int)
        assert cell.max() > 100, "heart frame is dark"
        assert cell[0].max() < 8 and cell[21].max() < 8 and cell[:, 0].max() < 8 and cell[:, 24].max() < 8, \
            "heart glow reaches its cell edge"

    exp = np.asarray(rgb(os.path.join(SPRITES, "explosion.png")))
    assert exp.shape[:2] == (105, 422), f"explosion.png: {exp.shape}"
    for f in range(15):
        x = math.floor((f % 8) * 52.5) + 8
        y = math.floor((f // 8) * 52.5) + 8
        assert exp[y:y + 38, x:x + 38].max() > 20, f"explosion frame {f} is black"


def check_icon():
    with Image.open(os.path.join(ICON, "lanebeam.png")) as im:
        assert im.width >= 144 and im.height >= 144, f"lanebeam.png: {im.size}"


def check_sounds():
    for name in ("voice1", "voice2", "voice3", "voice4", "voice5", "se1"):
        path = os.path.join(VOICE, name + ".wav")
        with wave.open(path, "rb") as w:
            assert w.getnchannels() == 1 and w.getsampwidth() == 2, f"{name}: not 16-bit mono"
            assert w.getframerate() in (22050, 44100), f"{name}: {w.getframerate()} Hz"
            seconds = w.getnframes() / w.getframerate()
            assert 0.3 <= seconds <= 1.5, f"{name}: {seconds:.2f} s"
            x = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2")
            assert np.abs(x.astype(int)).max() < 0.9 * 32768, f"{name}: too loud"


def check_help():
    with open(os.path.join(ASSETS, "program", "readme.html"), encoding="utf-8") as f:
        page = f.read()
    assert '<meta charset="utf-8">' in page
    for word in ("V.BEAM一列一斉発射", "光の尾を纏ったV.BEAM", "敵の動きを止める", "GOLDEN FINGER",
                 "SPILITUAL FEVER", "SUDDEN MODE", "vnbeam.ini"):
        assert word in page, f"readme.html does not mention {word}"


def main():
    check_pictures()
    check_sprites()
    check_icon()
    check_sounds()
    check_help()
    print("assets: all checks passed")


if __name__ == "__main__":
    main()
