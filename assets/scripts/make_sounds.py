#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Synthesises the six sounds of vrnvoice/: a short spoken line by espeak-ng
(our own words), brightened with sox, layered over a synth effect that fits
the moment. se1 is pure synthesis: a blade swish and its ring."""

import os
import shutil
import subprocess
import sys
import tempfile
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lbart import VOICE, np, rng  # noqa: E402

RATE = 22050
PEAK = 0.6          # about -4.4 dBFS: clear but never harsh


def need(tool):
    if shutil.which(tool) is None:
        raise SystemExit(f"{tool} missing (apt-get install --no-install-recommends sox espeak-ng)")


def read_wav(path):
    with wave.open(path, "rb") as w:
        assert w.getsampwidth() == 2 and w.getnchannels() == 1
        data = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2")
        return data.astype(np.float64) / 32768.0


def write_wav(path, x):
    x = np.clip(x, -1, 1)
    pcm = (x * 32767).round().astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())


def speak(text, pitch=72, speed=165, shift=250, variant="f4"):
    """A line spoken by espeak-ng, resampled, pitched up a little for a girl's
    voice, and trimmed of the silence around it."""
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "raw.wav")
        out = os.path.join(tmp, "out.wav")
        subprocess.run(["espeak-ng", "-v", f"ja+{variant}", "-p", str(pitch), "-s", str(speed),
                        "-a", "100", "-w", raw, text], check=True)
        subprocess.run(["sox", "-G", "-D", raw, "-r", str(RATE), "-b", "16", out,
                        "pitch", str(shift), "highpass", "180", "treble", "+3",
                        "silence", "1", "0.01", "1%", "reverse", "silence", "1", "0.01", "1%", "reverse"],
                       check=True)
        x = read_wav(out)
    # The trim cuts mid-waveform: short fades keep the cut from clicking.
    x[:int(0.006 * RATE)] *= np.linspace(0, 1, int(0.006 * RATE))
    x[-int(0.03 * RATE):] *= np.linspace(1, 0, int(0.03 * RATE))
    return x / max(1e-9, np.abs(x).max())


def t_axis(seconds):
    return np.arange(int(seconds * RATE)) / RATE


def env(n, attack=0.005, release=0.1, curve=1.0):
    t = np.arange(n) / RATE
    dur = n / RATE
    a = np.clip(t / max(attack, 1e-6), 0, 1)
    r = np.clip((dur - t) / max(release, 1e-6), 0, 1) ** curve
    return a * r


def bell(freq, seconds, decay=6.0, partials=((1, 1.0), (2.01, 0.35), (3.02, 0.15)), attack=0.004):
    t = t_axis(seconds)
    x = sum(a * np.sin(2 * np.pi * freq * p * t) for p, a in partials)
    return x * np.exp(-decay * t) * env(len(t), attack, 0.05)


def chirp(f0, f1, seconds, shape="sine", curve=1.0):
    t = t_axis(seconds)
    u = t / seconds
    f = f0 + (f1 - f0) * u ** curve
    phase = 2 * np.pi * np.cumsum(f) / RATE
    if shape == "square":
        # Band-limited: only the odd harmonics that stay below the Nyquist limit.
        x = np.zeros_like(phase)
        for k in (1, 3, 5, 7):
            x += np.where(f * k < RATE / 2 * 0.9, np.sin(k * phase) / k, 0.0)
        return x
    return np.sin(phase)


def place(track, x, at):
    """Mixes x into track starting at time at (s), growing the track if needed."""
    i = int(at * RATE)
    if i + len(x) > len(track):
        track = np.concatenate([track, np.zeros(i + len(x) - len(track))])
    track[i:i + len(x)] += x
    return track


def bandpass_noise(n, centre, q, gen):
    """White noise through a resonant two-pole band-pass whose centre may move."""
    noise = gen.standard_normal(n)
    centre = np.broadcast_to(np.asarray(centre, dtype=np.float64), (n,))
    y = np.zeros(n)
    y1 = y2 = 0.0
    for i in range(n):
        w0 = 2 * np.pi * centre[i] / RATE
        r = np.exp(-w0 / (2 * q))
        b1 = 2 * r * np.cos(w0)
        b2 = -r * r
        v = (1 - r) * noise[i] + b1 * y1 + b2 * y2
        y2, y1 = y1, v
        y[i] = v
    return y / max(1e-9, np.abs(y).max())


def finish(x, tail=0.04):
    """Fades the very end, removes any offset and scales to the common peak."""
    x = x - x.mean()
    n = int(tail * RATE)
    x[-n:] *= np.linspace(1, 0, n)
    x[:32] *= np.linspace(0, 1, 32)
    return x / max(1e-9, np.abs(x).max()) * PEAK


# --- the six sounds ------------------------------------------------------------

def voice1():
    """Game start: "いくよっ！" over a rising sparkle arpeggio."""
    track = np.zeros(int(0.2 * RATE))
    for k, f in enumerate([784, 988, 1175, 1568, 1976]):
        track = place(track, bell(f, 0.5, decay=7) * 0.32, 0.06 * k)
    track = place(track, speak("いくよっ！", pitch=75, speed=170) * 0.8, 0.18)
    return finish(track)


def voice2():
    """Freeze: "とまれっ！" with an icy, glassy shimmer sliding down."""
    gen = rng(2)
    track = np.zeros(int(0.2 * RATE))
    n = int(1.0 * RATE)
    t = np.arange(n) / RATE
    shimmer = np.zeros(n)
    for f in (2637, 3136, 3951, 4699):
        glide = f * (1 - 0.18 * t)
        shimmer += np.sin(2 * np.pi * np.cumsum(glide) / RATE + gen.uniform(0, 6.28))
    shimmer *= (0.6 + 0.4 * np.sin(2 * np.pi * 17 * t)) * np.exp(-2.6 * t) * env(n, 0.01, 0.2)
    track = place(track, shimmer * 0.12, 0.0)
    crack = bandpass_noise(int(0.08 * RATE), 5200, 3.0, gen) * env(int(0.08 * RATE), 0.001, 0.07) * 0.3
    track = place(track, crack, 0.0)
    track = place(track, speak("とまれっ！", pitch=68, speed=175) * 0.8, 0.12)
    return finish(track)


def voice3():
    """Volley: "いっせいはっしゃ！" with five quick beams, one for each lane."""
    track = np.zeros(int(0.1 * RATE))
    for k in range(5):
        z = chirp(2400 - 120 * k, 500, 0.16, "square", curve=0.5) * env(int(0.16 * RATE), 0.002, 0.12)
        track = place(track, z * 0.16, 0.055 * k)
    track = place(track, speak("いっせいはっしゃ！", pitch=74, speed=210) * 0.8, 0.05)
    return finish(track)


def voice4():
    """Wave shots: "ブイビーム！" riding a rising whoosh with a glittering tail."""
    gen = rng(4)
    n = int(1.15 * RATE)
    t = np.arange(n) / RATE
    centre = 400 + 3200 * np.clip(t / 0.55, 0, 1) ** 1.5
    whoosh = bandpass_noise(n, centre, 4.0, gen) * env(n, 0.2, 0.5, curve=1.5) * 0.22
    hum = chirp(220, 880, 1.15, curve=0.7) * env(n, 0.05, 0.6) * 0.12
    track = whoosh + hum
    for k in range(7):
        track = place(track, bell(2093 * 2 ** (k / 12 * 2), 0.25, decay=12) * 0.09, 0.5 + 0.06 * k)
    track = place(track, speak("ブイビーム！", pitch=76, speed=160) * 0.8, 0.1)
    return finish(track)


def voice5():
    """Game over: "きゃあっ…" and a sinking minor line."""
    track = np.zeros(int(0.2 * RATE))
    for k, f in enumerate([659, 587, 494, 330]):
        note = bell(f, 0.55, decay=4.5, partials=((1, 1.0), (2, 0.2), (3, 0.1)), attack=0.012)
        track = place(track, note * 0.3, 0.32 + 0.2 * k)
    track = place(track, speak("きゃあっ…", pitch=85, speed=130, shift=300) * 0.85, 0.0)
    return finish(track)


def se1():
    """Slash: a sharp swish of air, then a thin blade ring."""
    gen = rng(9)
    n = int(0.22 * RATE)
    t = np.arange(n) / RATE
    centre = 900 + 6500 * (t / t[-1]) ** 2
    swish = bandpass_noise(n, centre, 2.5, gen)
    swish *= np.sin(np.pi * np.clip(t / t[-1], 0, 1)) ** 2.5
    track = swish * 0.75
    m = int(0.6 * RATE)
    tr = np.arange(m) / RATE
    ring = sum(a * np.sin(2 * np.pi * f * tr + gen.uniform(0, 6.28))
               for f, a in ((3100, 1.0), (4630, 0.6), (6270, 0.35), (7950, 0.2)))
    ring *= np.exp(-7 * tr) * env(m, 0.002, 0.1) * 0.22
    track = place(track, ring, 0.15)
    return finish(track, tail=0.03)


SOUNDS = {"voice1": voice1, "voice2": voice2, "voice3": voice3,
          "voice4": voice4, "voice5": voice5, "se1": se1}


def main():
    need("espeak-ng")
    need("sox")
    os.makedirs(VOICE, exist_ok=True)
    for name, make in SOUNDS.items():
        x = make()
        seconds = len(x) / RATE
        assert 0.3 <= seconds <= 1.5, f"{name}: {seconds:.2f} s"
        assert np.abs(x).max() <= PEAK + 1e-6
        path = os.path.join(VOICE, name + ".wav")
        write_wav(path, x)
        rms = np.sqrt(np.mean(x ** 2))
        print(f"wrote program/vrnvoice/{name}.wav  {seconds:.2f} s  rms {20 * np.log10(rms):.1f} dBFS")


if __name__ == "__main__":
    main()
