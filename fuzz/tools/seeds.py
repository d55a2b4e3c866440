#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/:
small valid files of every variant the readers take, and the bad inputs the
tests use. Run from the repository root; the files are committed, so this is
only needed to change them."""
import os, struct, shutil

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = os.path.join(ROOT, "fuzz", "corpus")

def put(target, name, data):
    d = os.path.join(OUT, target)
    os.makedirs(d, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(d, name), "wb") as f:
        f.write(data)

def read(path):
    with open(os.path.join(ROOT, path), "rb") as f:
        return f.read()

# PNM: every magic, plain and binary, comments, a P4 width off a byte.
pnm = {
    "p1.pbm": "P1\n3 2\n1 0 1\n0 1 0\n",
    "p1-packed.pbm": "P1 5 1 01101",
    "p2.pgm": "P2\n# grey\n3 1\n255\n0 128 255\n",
    "p3.ppm": "P3\n2 1\n255\n1 2 3 255 0 8\n",
    "p4.pbm": b"P4\n12 2\n\x55\x5f\xaa\xf0",
    "p5.pgm": b"P5\n# c\n2 2\n255\n\x00\x7f\x80\xff",
    "p6.ppm": b"P6\n2 1\n255\n\x01\x02\x03\xff\x00\x80",
    "p6-comment.ppm": b"P6 #x\n1 1 #y\n255\n\x10\x20\x30",
}
bad_pnm = {
    "bad-magic": "P7\n1 1\n255\n\x01\x02\x03", "bad-empty": "", "bad-letter": "P6\nx 1\n255\n\x01\x02\x03",
    "bad-twomagic": "P5 1 1 P5 255 \x01", "bad-wide": "P5 16385 16384 255 \x01",
    "bad-maxval": "P5 1 1 65535 \x01\x02", "bad-short": "P6\n2 2\n255\n\x01\x02\x03\x04",
    "bad-big": "P6\n4096 4096\n255\n\x01\x02\x03", "bad-overflow": "P5 4294967296 4294967296 255\n\x01",
    "bad-sample": "P3 1 1 255 1 2 256",
}
for t in ("img_pnm", "img_load", "bytemap_pnm", "bytemap_load"):
    for n, d in {**pnm, **bad_pnm}.items():
        put(t, n, d)
    for f in sorted(os.listdir(os.path.join(ROOT, "tests/data/bytemap"))):
        put(t, f, read("tests/data/bytemap/" + f))
    put(t, "pointer.ppm", read("src/assets/data/pointer.ppm"))
    put(t, "intro.pbm", read("src/assets/data/intro.pbm"))

# Text forms of pictures and byte maps.
put("img_text", "pair.txt", "IMG{\nP3\n2 1\n255\n  1   2   3 255 255 255\n}\n")
put("img_text", "seven.txt", "IMG{\nP3\n7 1\n255\n" + " 10 100   0" * 7 + "\n}\n")
put("img_text", "mixed.txt", "junk IMG x { P3\n1 1\n255\n 7 8\n9 }")
put("img_text", "empty.txt", "IMG{}")
put("img_text", "bad-short.txt", "IMG{\nP3\n2 1\n255\n1 2 3 4 5")
put("img_text", "bad-big.txt", "IMG{\nP3\n4096 4096\n255\n1 2 3 }")
put("bytemap_text", "one.txt", "BYTEMAP{\nP3\n1 1\n255\n  0   0   3\n}\n")
put("bytemap_text", "seven.txt", "BYTEMAP{\nP3\n7 1\n255\n" + "  0   0   9 " * 6 + "\n  0   0 255\n}\n")
put("bytemap_text", "average.txt", "BYTEMAP{\nP3\n2 1\n255\n1 2 3 90 90 91\n}\n")
put("bytemap_text", "bad-short.txt", "BYTEMAP{\nP3\n2 2\n255\n1 2 3 4 5 6 7 8 9 10 11")
put("bytemap_text", "bad-big.txt", "BYTEMAP{\nP3\n99999 99999\n255\n1 1 1")

# Vector objects.
put("obj2d", "square.txt", "name square\nversion 1\nauthor a\ntype 2D\ncolor $00ff0000\n"
    "{ name box\n  s 0, 0, 8, 0\n  s 8, 0, 8, 8\n  c $0000ff00 s 8, 8, 0, 8\n  s 0, 8, 0, 0\n}\n")
put("obj2d", "signs.txt", "{ s - 3 , -4 ; x12 h0f 5 6 }\n{ }\n}\n# end\n")
put("obj2d", "wire-head.txt", read("src/assets/data/wire16.txt")[:1200])
put("obj2d", "pictures-head.txt", read("src/assets/data/pictures.txt")[:1200])

# Sample text form.
put("sample_text", "three.txt", "SAMPLE { 3\n1\n-2\n2147483647\n}\n")
put("sample_text", "empty.txt", "SAMPLE { 0 }\n")
put("sample_text", "minimum.txt", "SAMPLE { 2\n-2147483648\n0\n}\n")
put("sample_text", "bad-short.txt", "SAMPLE { 4\n1\n2\n}")
put("sample_text", "bad-big.txt", "SAMPLE { 2\n2147483648\n1\n}")

# WAVE images, and sample files behind the selector byte of fuzz_sam_load:
# bits 0-1 the name ending (sam wav raw dat), 2-3 the depth (8 16 24 32),
# 4 signed, 5 high byte first.
def wave(values, channels=1, rate=44100, bits=16):
    w = bits // 8
    data = b"".join(int(v).to_bytes(w, "little", signed=bits > 8) for v in values)
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * channels * w, channels * w, bits)
    return b"RIFF" + struct.pack("<I", 4 + 8 + 16 + 8 + len(data)) + b"WAVEfmt " + struct.pack("<I", 16) + fmt + \
        b"data" + struct.pack("<I", len(data)) + data
waves = {
    "s16.wav": wave([1000, -2000, 3]), "s16-stereo.wav": wave([1, 2, 3, 4], channels=2),
    "u8-22050.wav": wave([0, 128, 255], rate=22050, bits=8), "s24.wav": wave([-8388608, 8388607], bits=24),
    "s32-8000.wav": wave([1 << 30, -(1 << 30)], rate=8000, bits=32),
}
for f in sorted(os.listdir(os.path.join(ROOT, "tests/data/audio"))):
    waves[f] = read("tests/data/audio/" + f)
for n, d in waves.items():
    put("wave", n, d)
    put("sam_load", n, bytes([0x11]) + d)
put("wave", "bad-rate.wav", wave([7, 8], rate=7999))
put("wave", "bad-cut.wav", wave([1, 2, 3])[:-3] + b"")
put("sam_load", "ascii.sam", b"\x00SAM\nASCII\nsigned\nbits 16\nlittle endian\nchanels 1\n3\n1\n-2\n3\n")
put("sam_load", "binary.sam", b"\x00SAM\nbinary\nsigned\nbits 16\nlittle endian\nchanels 1\n2\n\x01\x00\xff\xff")
put("sam_load", "width24.raw", b"\x02SAM\nbinary\n2\n24\n\x80\x00\x00\x7f\xff\xff")
put("sam_load", "bare.wav", b"\x01" + b"8\n\x01\x02\xfe")
put("sam_load", "headerless-s16m.dat", b"\x37\x01\x02\x03\x04\x05")
put("sam_load", "headerless-u8.dat", b"\x03\x00\x80\xff")
put("sam_load", "bad-cut.sam", b"\x00SAM\nASCII\nsigned\nbits 16\nlittle endian\nchanels 1\n9\n1\n")

# Scripts and command lines (arguments split at zero bytes).
put("keys", "readme.txt", "120:space,300:G,900:Escape")
put("keys", "all.txt", ",".join(f"{i + 1}:{k}" for i, k in enumerate(
    "space Escape esc plus minus less greater + - < > G B F W Q 1 4 8 S 0 5 6 P a z".split())))
put("keys", "bad-frame.txt", "0:space")
put("keys", "bad-key.txt", "5:enter")
put("pointer", "readme.txt", "200:128:64:1,260:128:64:0")
put("pointer", "edges.txt", "1:-2147483648:2147483647:7,4294967295:+0:-0:0")
put("pointer", "bad-buttons.txt", "5:1:1:8")
put("pointer", "bad-fields.txt", "5:1:1")
cmd = {
    "headless.txt": ["--headless", "--frames", "1000", "--dump-frames=out", "--keys", "120:space,900:Escape"],
    "scene.txt": ["--headless", "--scene", "FLOWERS GAME", "--pointer", "200:128:64:1", "--frames=400"],
    "flags.txt": ["--trace", "--mute", "--clock", "real", "--audio", "a.wav", "--list-scenes", "-h", "--bench"],
    "bad.txt": ["--frames", "0", "--unknown", "x"],
}
for n, args in cmd.items():
    put("cmdline", n, "\0".join(args))
