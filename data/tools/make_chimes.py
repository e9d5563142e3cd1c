#!/usr/bin/env python3
"""Writes data/sunrise.wav and data/sunset.wav, Dawnhelm's default alarm sounds.

Both are soft bell chimes, 16-bit PCM mono at 44.1 kHz, made here from sine
partials so the program ships no recorded sound: sunrise climbs a bright
major arpeggio, sunset descends a lower, warmer one and rings longer.
Only the Python standard library is used, and the output is the same on
every run.

Run from anywhere: python3 data/tools/make_chimes.py
"""
import math
import struct
import wave
from pathlib import Path

RATE = 44100

# A struck bell: partials slightly off the harmonic series, the higher ones
# fading faster. (ratio to the fundamental, relative level, decay per second)
BELL = [(1.0, 1.00, 1.6), (2.0, 0.50, 2.4), (3.01, 0.25, 3.4), (4.17, 0.12, 4.8),
        (5.43, 0.06, 6.5)]


def note_frequency(semitones_from_a4):
    return 440.0 * 2.0 ** (semitones_from_a4 / 12.0)


def chime(notes, seconds):
    """notes: (start time in s, semitones from A4, level); returns float samples."""
    total = int(seconds * RATE)
    out = [0.0] * total
    attack = int(0.006 * RATE)  # a short ramp keeps the strike free of clicks
    for start, semitone, level in notes:
        f0 = note_frequency(semitone)
        first = int(start * RATE)
        for ratio, weight, decay in BELL:
            f = f0 * ratio
            if f > RATE / 2.5:
                continue
            step = 2.0 * math.pi * f / RATE
            fall = math.exp(-decay / RATE)
            amplitude = level * weight
            for i in range(first, total):
                n = i - first
                ramp = n / attack if n < attack else 1.0
                out[i] += amplitude * ramp * math.sin(step * n)
                amplitude *= fall
                if amplitude < 1e-5:
                    break
    # Fade the last 0.4 s to silence and scale the peak to -3 dBFS.
    fade = int(0.4 * RATE)
    for i in range(total - fade, total):
        out[i] *= (total - i) / fade
    peak = max(abs(v) for v in out) or 1.0
    gain = 10 ** (-3 / 20) / peak
    return [v * gain for v in out]


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, round(v * 32767))))
                      for v in samples)
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    data = Path(__file__).resolve().parent.parent
    # Sunrise: C5 E5 G5 C6, quick and bright, the last note sustained.
    sunrise = [(0.00, 3, 0.8), (0.22, 7, 0.75), (0.44, 10, 0.75), (0.66, 15, 0.9)]
    # Sunset: G4 E4 C4 and a low G3 under the last, slower and warmer.
    sunset = [(0.00, -2, 0.8), (0.35, -5, 0.8), (0.70, -9, 0.9), (0.70, -14, 0.5)]
    for name, notes, seconds in (("sunrise.wav", sunrise, 3.0), ("sunset.wav", sunset, 3.5)):
        path = data / name
        write_wav(path, chime(notes, seconds))
        print(f"wrote {path}")


if __name__ == "__main__":
    main()
