#!/usr/bin/env python3
"""Checks the reference codeplugs against the memory layout, with no code of the program.

Run from this folder: python3 check_by_layout.py. It prints what a reader checks by hand
(checksum bytes, mirror, receive frequencies) and fails loudly on any mismatch. With
--make-band2 it first derives uhf_band2_five_channel.ppg from the VHF reference.
"""
import sys

HEADER = b"2012 Voice Pager File 0100~3BFF 0x3FFF VER:01.00"
IF_HZ = 45_100_000
STEPS = [2500, 3125, 5000, 6250]
BANDS = {0: (143, 174), 1: (143, 174), 2: (406, 430), 3: (450, 486), 4: (476, 512)}
# (start, length byte) of each block; the checksum is the byte after the data.
BLOCKS = [(0x0100, 0x5E), (0x0200, 0x5E), (0x0280, 0x3E)] + [
    (0x0300 + 160 * i, 0x9E) for i in range(5)]


def load(name):
    data = open(name, "rb").read()
    assert len(data) == 48 + 0x4000 and data[:48] == HEADER, name
    return bytearray(data[48:])


def block_sum(img, start, length):
    return sum(img[start:start + length + 1]) & 0xFF


def receive_hz(img, channel, band):
    b = 0x0300 + 160 * channel
    w = img[b + 2] | img[b + 3] << 8
    lo = (w * 128 + img[b + 4]) * STEPS[img[b + 5] & 3]
    return lo - IF_HZ if band < 2 else lo + IF_HZ


def check(name):
    img = load(name)
    band, count = img[0x0102], img[0x010D]
    for start, length in BLOCKS:
        assert img[start] == length, (name, hex(start))
        end = start + length + 1
        assert img[end] == block_sum(img, start, length), (name, hex(end))
        print(f"{name}: checksum at 0x{end:04X} = 0x{img[end]:02X}")
    assert img[0x3D5F] == img[0x025F]
    assert img[0x3C00:0x3D7F] == img[0x0100:0x027F], name
    low, high = BANDS[band]
    for ch in range(count):
        hz = receive_hz(img, ch, band)
        assert (low - 1) * 1e6 <= hz <= (high + 1) * 1e6, (name, ch, hz)
        print(f"{name}: band {band} F{ch + 1} {hz / 1e6:.6f} MHz")


def make_band2():
    img = load("vhf_band1_five_channel.ppg")
    img[0x0102] = 2
    img[0x011A:0x012A] = b"TV6UHF5CH406" + b"\xff" * 4
    # 415.000, 420.0125, 406.00625, 429.99375 and 418.50 MHz, low-side injection on
    # the 6.25 kHz grid (step code 3); the other bits of byte B + 5 are kept.
    for ch, hz in enumerate([415_000_000, 420_012_500, 406_006_250, 429_993_750, 418_500_000]):
        k, rest = divmod(hz - IF_HZ, 6250)
        assert rest == 0
        b = 0x0300 + 160 * ch
        img[b + 2], img[b + 3], img[b + 4] = (k // 128) & 0xFF, (k // 128) >> 8, k % 128
        img[b + 5] = (img[b + 5] & 0xFC) | 3
    for start, length in BLOCKS:
        img[start + length + 1] = block_sum(img, start, length)
    img[0x3D5F] = img[0x025F]
    img[0x3C00:0x3D7F] = img[0x0100:0x027F]
    open("uhf_band2_five_channel.ppg", "wb").write(HEADER + bytes(img))


if __name__ == "__main__":
    if "--make-band2" in sys.argv:
        make_band2()
    for n in ["vhf_band1_five_channel.ppg", "uhf_band2_five_channel.ppg",
              "uhf_band3_single_channel.ppg"]:
        check(n)
