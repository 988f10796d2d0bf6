#!/usr/bin/env python3
"""Wraps PNG images in a Windows icon file, one entry each, for the program's resources:
    png-to-ico.py OUT.ico IN.png [IN.png ...]"""
import struct
import sys


def entry_size(png):
    width, height = struct.unpack(">II", png[16:24])
    # A dimension of 256 is written as 0.
    return width % 256, height % 256


def main(out, images):
    pngs = [open(path, "rb").read() for path in images]
    offset = 6 + 16 * len(pngs)
    header = struct.pack("<HHH", 0, 1, len(pngs))
    entries = b""
    for png in pngs:
        width, height = entry_size(png)
        entries += struct.pack("<BBBBHHII", width, height, 0, 0, 1, 32, len(png), offset)
        offset += len(png)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(pngs))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
