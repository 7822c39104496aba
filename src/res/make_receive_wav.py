#!/usr/bin/env python3
"""Writes receive.wav, the arrival chime: two soft bell notes a major third apart.

Run it from this folder to make the file again; the output is the same every time.
"""
import math
import struct
import sys
import wave

RATE = 22050
LENGTH = 0.75  # seconds
PEAK = 0.45  # of full scale, so the chime does not startle

# (start in seconds, frequency in Hz, loudness)
NOTES = [(0.0, 880.0, 1.0), (0.13, 1108.73, 0.85)]
# A bell's partials: (frequency ratio, loudness, decay per second)
PARTIALS = [(1.0, 1.0, 6.0), (2.0, 0.35, 9.0), (2.76, 0.12, 14.0)]
ATTACK = 0.004  # seconds, so the notes start without a click


def sample(t):
    value = 0.0
    for start, frequency, loudness in NOTES:
        local = t - start
        if local < 0:
            continue
        envelope = min(1.0, local / ATTACK)
        for ratio, level, decay in PARTIALS:
            value += loudness * level * envelope * math.exp(-decay * local) * math.sin(
                2 * math.pi * frequency * ratio * local)
    return value


def main(path):
    count = int(RATE * LENGTH)
    values = [sample(i / RATE) for i in range(count)]
    # Fade the tail out over the last 50 ms.
    fade = int(RATE * 0.05)
    for i in range(fade):
        values[count - fade + i] *= 1.0 - i / fade
    scale = PEAK / max(abs(v) for v in values)
    frames = b"".join(struct.pack("<h", int(round(v * scale * 32767))) for v in values)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "receive.wav")
