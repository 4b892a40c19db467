#!/usr/bin/env python3
"""Writes the graph files in this folder byte by byte, independently of the program's own writer,
so that the tests compare the program against a second encoder. Run it from anywhere; it only
rewrites the files listed at the bottom."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def i32(v):
    return struct.pack("<i", v)


def u32(v):
    return struct.pack("<I", v)


def f64(v):
    return struct.pack("<d", v)


def text(s):
    b = s.encode("cp1252")
    n = len(b)
    if n < 255:
        prefix = bytes([n])
    elif n < 0xFFFE:
        prefix = b"\xff" + struct.pack("<H", n)
    else:
        prefix = b"\xff\xff\xff" + struct.pack("<I", n)
    return prefix + b


def scaling(x=(-5, 5, 1), y=(-5, 5, 1), auto=1, label=1, terms=1, grid=1, px=1.0, py=1.0):
    return b"".join([f64(v) for v in x + y]) + i32(auto) + i32(label) + i32(terms) + i32(grid) \
        + f64(px) + f64(py)


def function(term, comment="", family=0, rng=(0, 0, 0), color=0):
    return text(term) + text(comment) + i32(family) + b"".join(f64(v) for v in rng) + u32(color)


def point(x, y, label="", textpos=0, comment="", color=0, kind=0, position=0.0):
    return i32(kind) + f64(x) + f64(y) + text(label) + i32(textpos) + f64(position) + text(comment) \
        + u32(color)


def vline(position, comment="", color=0):
    return point(0, 0, "", 0, comment, color, kind=1, position=position)


def records(items):
    return i32(len(items) - 1) + b"".join(items)


def rgb(r, g, b):
    return r | g << 8 | b << 16


NEW = scaling() + records([]) + records([])

# A graph that uses every field: families, umlauts and line breaks in comments, both kinds of
# object, the dot grid and its own print size. Every value is already what the setters keep, so
# the program writes it back byte for byte.
SAMPLE = scaling(x=(-4, 6, 1), y=(-3, 8, 0.5), auto=0, label=1, terms=1, grid=2, px=1.5, py=0.5) + records([
    function("x^2", "Normalparabel", color=rgb(255, 0, 0)),
    function("sin(k*x)", "Schar für k von 1 bis 3 – Größe ändert sich", family=1, rng=(1, 3, 1),
             color=rgb(0, 0, 255)),
    function("0.5*x^3-2*x", "Zeile eins\r\nZeile zwei: Nullstellen bei ±2", color=rgb(0, 128, 0)),
]) + records([
    point(1, 1, "P", 2, "Schnittpunkt", rgb(0, 128, 0)),
    point(-1.1547, 1.5396, "Hochpunkt", 6),
    vline(2.5, "Gerade x=2,5", rgb(128, 0, 128)),
])

# Values the setters change on reading: upper-case and empty terms, reversed ranges, a step not
# smaller than its range, negative print sizes, and an object count of -5 that means none.
UNNORMALISED = scaling(x=(5, -5, 20), y=(3, -1, 1), px=-2.0, py=-0.5) + i32(1) + \
    function("SIN(X)*K", "", 1, (4, -4, 2)) + function("", "leer", 0, (0, 1, 1)) + i32(-5) + \
    b"anything after the last object is ignored"

# A function count of -5 means no functions; the objects follow at once.
NEGATIVE_COUNT = scaling() + i32(-5) + records([vline(1.0)])

FILES = {
    "new.zel": NEW,
    "sample.zel": SAMPLE,
    "unnormalised.zel": UNNORMALISED,
    "negative-count.zel": NEGATIVE_COUNT,
    # stops inside the last object record: cannot be opened
    "truncated.zel": SAMPLE[:-10],
}

if __name__ == "__main__":
    for name, data in FILES.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
