#!/usr/bin/python3
"""Writes BMP, TGA and PNG pictures with ImageMagick and Pillow, and next to each the pixels
Pillow decodes from it, for the loader tests.

Usage: make_peer_images.py <folder>

<folder>/manifest.txt lists one picture per line: "<file> <width> <height> <alpha 0|1>", and
<file>.rgba holds width x height RGBA quadruples, rows top to bottom.

Pillow writes neither right-to-left TGA rows nor top-down BMP rows, so those variants are made
here from Pillow's own files by reordering their stored rows; their expected pixels are those
of the file they came from.

PNG comes in every colour type, bit depth and interlacing; a 16-bit file is made from an 8-bit
picture, whose pixels are then its expected pixels (each sample v is stored as v * 257, which
rounding brings back to v).
"""
import os
import struct
import subprocess
import sys

from PIL import Image

W, H = 7, 5


def pattern(colours, alpha=False):
    """A picture that uses `colours` distinct colours, every row different."""
    im = Image.new("RGBA", (W, H))
    for y in range(H):
        for x in range(W):
            i = (x * 3 + y * 5) % colours
            rgb = ((i * 53) % 256, (i * 97 + 40) % 256, (255 - i * 31) % 256)
            a = (x * 40 + y * 13) % 256 if alpha else 255
            im.putpixel((x, y), rgb + (a,))
    return im


def grey_of(levels, alpha=False):
    """A grey picture of `levels` evenly spaced levels, with alpha from the pattern if asked."""
    source = pattern(200, alpha)
    im = Image.new("LA" if alpha else "L", (W, H))
    for y in range(H):
        for x in range(W):
            level = (x * 3 + y * 5) % levels * 255 // (levels - 1)
            im.putpixel((x, y), (level, source.getpixel((x, y))[3]) if alpha else level)
    return im


def ihdr(folder, name):
    """Bit depth, colour type and interlace method of a PNG file."""
    data = open(os.path.join(folder, name), "rb").read()
    return data[24], data[25], data[28]


def palette_of(colours):
    return pattern(colours).convert("RGB").quantize(colours, method=Image.Quantize.FASTOCTREE)


def store(folder, manifest, name, alpha, reference=None):
    decoded = Image.open(os.path.join(folder, reference or name)).convert("RGBA")
    with open(os.path.join(folder, name + ".rgba"), "wb") as out:
        out.write(decoded.tobytes())
    manifest.append(f"{name} {decoded.width} {decoded.height} {1 if alpha else 0}")


def convert(folder, source, target, *options):
    """ImageMagick; `target` may start with a format prefix such as "BMP3:"."""
    prefix, _, name = target.rpartition(":")
    out = (prefix + ":" if prefix else "") + os.path.join(folder, name)
    subprocess.run(["/usr/bin/convert", os.path.join(folder, source), *options, out], check=True)


def top_down_bmp(folder, source, target):
    data = bytearray(open(os.path.join(folder, source), "rb").read())
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    stride = (bits * width + 31) // 32 * 4
    rows = [data[offset + r * stride: offset + (r + 1) * stride] for r in range(height)]
    data[offset: offset + stride * height] = b"".join(reversed(rows))
    struct.pack_into("<i", data, 22, -height)
    open(os.path.join(folder, target), "wb").write(bytes(data))


def tga_rows(data):
    id_length, map_type, kind = data[0], data[1], data[2]
    map_length, entry_bits = struct.unpack_from("<H", data, 5)[0], data[7]
    width, height = struct.unpack_from("<HH", data, 12)
    p = (data[16] + 7) // 8
    start = 18 + id_length + (map_length * ((entry_bits + 7) // 8) if map_type else 0)
    pixels, at = bytearray(), start
    if kind & 8:
        while len(pixels) < width * height * p:
            h = data[at]
            n = (h & 0x7F) + 1
            if h & 0x80:
                pixels += data[at + 1: at + 1 + p] * n
                at += 1 + p
            else:
                pixels += data[at + 1: at + 1 + n * p]
                at += 1 + n * p
    else:
        pixels = data[start: start + width * height * p]
    stride = width * p
    return start, p, [pixels[r * stride: (r + 1) * stride] for r in range(height)]


def encode_literal_rows(rows, p):
    out = bytearray()
    for row in rows:
        for at in range(0, len(row), 128 * p):
            chunk = row[at: at + 128 * p]
            out.append(len(chunk) // p - 1)
            out += chunk
    return bytes(out)


def mirrored_tga(folder, source, target):
    data = open(os.path.join(folder, source), "rb").read()
    start, p, rows = tga_rows(data)
    flipped = [b"".join(row[i: i + p] for i in reversed(range(0, len(row), p))) for row in rows]
    body = encode_literal_rows(flipped, p) if data[2] & 8 else b"".join(flipped)
    header = bytearray(data[:start])
    header[17] |= 0x10
    open(os.path.join(folder, target), "wb").write(bytes(header) + body)


def png_pictures(folder, manifest):
    grey_of(2).save(os.path.join(folder, "grey2.png"))
    grey_of(4).save(os.path.join(folder, "grey4.png"))
    grey_of(16).save(os.path.join(folder, "grey16.png"))
    grey_of(200).save(os.path.join(folder, "grey.png"))
    grey_of(200, alpha=True).save(os.path.join(folder, "greya.png"))
    palette_of(4).save(os.path.join(folder, "source2.png"))

    # ImageMagick, which chooses depth and type itself unless told in its own ways: (file,
    # source, output prefix, options, bit depth and colour type it must make, alpha); each
    # also Adam7 interlaced.
    def exact(depth, colour):
        return ["-define", f"png:bit-depth={depth}", "-define", f"png:color-type={colour}"]
    made = (
        ("g1", "grey2.png", "PNG", ["-type", "Grayscale", "-depth", "1"], 1, 0, False),
        ("g2", "grey4.png", "PNG", ["-type", "Grayscale", "-depth", "2"], 2, 0, False),
        ("g4", "grey16.png", "PNG", ["-type", "Grayscale", "-depth", "4"], 4, 0, False),
        ("g8", "grey.png", "PNG", exact(8, 0), 8, 0, False),
        ("g16", "grey.png", "PNG", exact(16, 0), 16, 0, False),
        ("ga8", "greya.png", "PNG", exact(8, 4), 8, 4, True),
        ("ga16", "greya.png", "PNG", exact(16, 4), 16, 4, True),
        ("rgb8", "source24.png", "PNG24", [], 8, 2, False),
        ("rgb16", "source24.png", "PNG48", [], 16, 2, False),
        ("rgba8", "source32.png", "PNG32", [], 8, 6, True),
        ("rgba16", "source32.png", "PNG64", [], 16, 6, True),
        ("p1", "source1.png", "PNG8", ["-define", "png:bit-depth=1"], 1, 3, False),
        ("p2", "source2.png", "PNG8", ["-define", "png:bit-depth=2"], 2, 3, False),
        ("p4", "source4.png", "PNG8", ["-define", "png:bit-depth=4"], 4, 3, False),
        ("p8", "source8.png", "PNG8", [], 8, 3, False),
    )
    for tag, source, prefix, options, depth, colour, alpha in made:
        for interlace in (0, 1):
            name = f"im_{tag}{'_adam7' if interlace else ''}.png"
            convert(folder, source, f"{prefix}:{name}", *options,
                    "-interlace", "PNG" if interlace else "None")
            assert ihdr(folder, name) == (depth, colour, interlace), (name, ihdr(folder, name))
            store(folder, manifest, name, alpha, reference=source)

    # Pillow: transparency by tRNS (on a palette, on grey and on true colour) and its own
    # 1-bit, grey and 16-bit grey writers.
    im = palette_of(12)
    im.save(os.path.join(folder, "pil_p_trns.png"), transparency=bytes(range(0, 240, 20)))
    store(folder, manifest, "pil_p_trns.png", True)
    grey_of(16).save(os.path.join(folder, "pil_l_trns.png"), transparency=68)
    store(folder, manifest, "pil_l_trns.png", True)
    pattern(6).convert("RGB").save(os.path.join(folder, "pil_rgb_trns.png"),
                                   transparency=pattern(6).getpixel((0, 0))[:3])
    store(folder, manifest, "pil_rgb_trns.png", True)
    grey_of(2).convert("1").save(os.path.join(folder, "pil_1.png"))
    store(folder, manifest, "pil_1.png", False)
    grey_of(200).convert("I").point(lambda v: v * 257).convert("I;16").save(
        os.path.join(folder, "pil_i16.png"))
    assert ihdr(folder, "pil_i16.png") == (16, 0, 0)
    store(folder, manifest, "pil_i16.png", False, reference="grey.png")


def main(folder):
    os.makedirs(folder, exist_ok=True)
    manifest = []
    pattern(200).convert("RGB").save(os.path.join(folder, "source24.png"))
    pattern(200, alpha=True).save(os.path.join(folder, "source32.png"))
    palette_of(2).save(os.path.join(folder, "source1.png"))
    palette_of(12).save(os.path.join(folder, "source4.png"))
    palette_of(100).save(os.path.join(folder, "source8.png"))

    # ImageMagick: the classic 40-byte header (BMP3) and its default V5 header.
    for bits in (1, 4, 8):
        for kind in ("BMP3", "BMP"):
            name = f"im_{kind.lower()}_{bits}.bmp"
            convert(folder, f"source{bits}.png", f"{kind}:{name}", "-type", "Palette", "-compress", "None")
            store(folder, manifest, name, False)
    for kind in ("BMP3", "BMP"):
        name = f"im_{kind.lower()}_24.bmp"
        convert(folder, "source24.png", f"{kind}:{name}", "-type", "TrueColor", "-compress", "None")
        store(folder, manifest, name, False)
    convert(folder, "source32.png", "BMP:im_bmp_32.bmp", "-type", "TrueColorAlpha")
    store(folder, manifest, "im_bmp_32.bmp", True)

    # Pillow, bottom-up as it writes them, and the same rows stored top-down.
    for bits, mode in ((1, "1"), (4, "P4"), (8, "P"), (24, "RGB"), (32, "RGBA")):
        name = f"pil_{bits}.bmp"
        if bits == 1:
            palette_of(2).convert("1").save(os.path.join(folder, name))
        elif bits == 4:
            convert(folder, "source4.png", f"BMP3:{name}", "-type", "Palette", "-compress", "None")
        elif bits == 8:
            palette_of(100).save(os.path.join(folder, name))
        else:
            pattern(200, alpha=bits == 32).convert(mode).save(os.path.join(folder, name))
        # Pillow reads the fourth byte of a 32-bit pixel as padding; we take it as alpha, so
        # the reference for those files is the picture that was written.
        reference = "source32.png" if bits == 32 else None
        store(folder, manifest, name, bits == 32, reference)
        top_down_bmp(folder, name, f"down_{bits}.bmp")
        store(folder, manifest, f"down_{bits}.bmp", bits == 32, reference or name)

    # TGA types 1, 2, 9, 10 from Pillow, bottom-up and top-down; then right to left.
    sources = {1: palette_of(100), 2: pattern(200, alpha=True)}
    for kind in (1, 2, 9, 10):
        im = sources[kind & 7]
        for orientation, tag in ((-1, "up"), (1, "down")):
            name = f"pil_t{kind}_{tag}.tga"
            im.save(os.path.join(folder, name), compression="tga_rle" if kind & 8 else None,
                    orientation=orientation)
            store(folder, manifest, name, kind & 7 == 2)
            mirrored = f"mirror_t{kind}_{tag}.tga"
            mirrored_tga(folder, name, mirrored)
            store(folder, manifest, mirrored, kind & 7 == 2, reference=name)
    # ImageMagick's run-length TGA with its footer.
    convert(folder, "source32.png", "im_t10.tga", "-compress", "RLE")
    store(folder, manifest, "im_t10.tga", True)

    png_pictures(folder, manifest)

    with open(os.path.join(folder, "manifest.txt"), "w") as out:
        out.write("\n".join(manifest) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
