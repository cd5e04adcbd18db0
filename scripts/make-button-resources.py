#!/usr/bin/env python3
"""Writes the Help button's picture and pointer and the button sounds, all drawn here.

    forms/pictures/help.png          12 x 18 question mark; black is the button's transparent colour
    forms/pictures/help_pointer.png  32 x 32 pointing hand; the fingertip is the centre, where the
                                     pointer's hot spot lies
    resources/click.wav              a short click
    resources/over.wav               a soft blip

Only the standard library: run it from anywhere, the outputs are committed.
"""
import math
import os
import struct
import wave
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

QUESTION = [
    "............",
    "...oooooo...",
    "..o######o..",
    ".o###oo###o.",
    ".o##o..o##o.",
    "..oo...o##o.",
    "......o###o.",
    ".....o###o..",
    "....o###o...",
    "....o##o....",
    "....o##o....",
    ".....oo.....",
    "............",
    ".....oo.....",
    "....o##o....",
    "....o##o....",
    ".....oo.....",
    "............",
]

HAND = [
    "....oo.........",
    "...o##o........",
    "...o##o........",
    "...o##o........",
    "...o##o........",
    "...o##ooo......",
    "...o##o##ooo...",
    "...o##o##o##oo.",
    ".oooo#o##o##o#o",
    "o##oo#########o",
    "o###o#########o",
    ".o###########o.",
    "..o##########o.",
    "..o#########o..",
    "...o########o..",
    "...o#######o...",
    "....ooooooo....",
]


def png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a)."""
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


def question_mark():
    colours = {".": (0, 0, 0, 255), "o": (16, 48, 128, 255), "#": (52, 110, 220, 255)}
    return [[colours[c] for c in row] for row in QUESTION]


def pointing_hand():
    size = 32
    image = [[(0, 0, 0, 0)] * size for _ in range(size)]
    colours = {"o": (0, 0, 0, 255), "#": (255, 255, 255, 255)}
    left, top = 16 - 4, 16  # the fingertip's top left pixel sits on the centre
    for y, row in enumerate(HAND):
        for x, c in enumerate(row):
            if c in colours and 0 <= left + x < size and 0 <= top + y < size:
                image[top + y][left + x] = colours[c]
    return image


def tone(path, milliseconds, frequency, decay, noise):
    rate = 22050
    count = rate * milliseconds // 1000
    seed = 12345
    frames = bytearray()
    for i in range(count):
        t = i / rate
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        hiss = (seed / 0x7FFFFFFF) * 2 - 1
        value = math.sin(2 * math.pi * frequency * t) * (1 - noise) + hiss * noise
        value *= math.exp(-t * decay) * 0.6
        frames += struct.pack("<h", int(max(-1.0, min(1.0, value)) * 32767))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def main():
    png(os.path.join(ROOT, "forms/pictures/help.png"), 12, 18, question_mark())
    png(os.path.join(ROOT, "forms/pictures/help_pointer.png"), 32, 32, pointing_hand())
    os.makedirs(os.path.join(ROOT, "resources"), exist_ok=True)
    tone(os.path.join(ROOT, "resources/click.wav"), 35, 1800, 160, 0.35)
    tone(os.path.join(ROOT, "resources/over.wav"), 70, 880, 60, 0.0)


if __name__ == "__main__":
    main()
