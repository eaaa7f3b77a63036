#!/usr/bin/python3
"""Writes BMP and TGA pictures with ImageMagick and Pillow, and next to each the pixels Pillow
decodes from it, for the loader tests.

Usage: make_peer_images.py <folder>

<folder>/manifest.txt lists one picture per line: "<file> <width> <height> <alpha 0|1>", and
<file>.rgba holds width x height RGBA quadruples, rows top to bottom.

Pillow writes neither right-to-left TGA rows nor top-down BMP rows, so those variants are made
here from Pillow's own files by reordering their stored rows; their expected pixels are those
of the file they came from.
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

    with open(os.path.join(folder, "manifest.txt"), "w") as out:
        out.write("\n".join(manifest) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
