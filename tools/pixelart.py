#!/usr/bin/python3
"""Turns a text picture into a 16-colour (4 bits per pixel) .bmp or .ico.

usage: pixelart.py bmp|ico PICTURE.txt OUTPUT

The picture file holds, in this order ('#' starts a comment line, blank lines are ignored):

  legend
  <char> <colour>          one line per character used in the images
  ...
  image <width>x<height>   then <height> rows of exactly <width> characters
  ...                      (a .bmp takes exactly one image, an .ico one or more)

A colour is a name of the standard 16-colour palette (black maroon green olive navy purple
teal silver gray red lime yellow blue fuchsia aqua white) or, for icons only, 'transparent'.
"""
import struct
import sys

PALETTE = [
    ("black", (0x00, 0x00, 0x00)), ("maroon", (0x80, 0x00, 0x00)),
    ("green", (0x00, 0x80, 0x00)), ("olive", (0x80, 0x80, 0x00)),
    ("navy", (0x00, 0x00, 0x80)), ("purple", (0x80, 0x00, 0x80)),
    ("teal", (0x00, 0x80, 0x80)), ("silver", (0xC0, 0xC0, 0xC0)),
    ("gray", (0x80, 0x80, 0x80)), ("red", (0xFF, 0x00, 0x00)),
    ("lime", (0x00, 0xFF, 0x00)), ("yellow", (0xFF, 0xFF, 0x00)),
    ("blue", (0x00, 0x00, 0xFF)), ("fuchsia", (0xFF, 0x00, 0xFF)),
    ("aqua", (0x00, 0xFF, 0xFF)), ("white", (0xFF, 0xFF, 0xFF)),
]
INDEX = {name: i for i, (name, _) in enumerate(PALETTE)}
TRANSPARENT = -1


class PictureError(Exception):
    pass


def parse(text):
    """Returns a list of images, each a list of rows of palette indexes (or TRANSPARENT)."""
    lines = [(n, l.rstrip("\r\n")) for n, l in enumerate(text.splitlines(), 1)]
    lines = [(n, l) for n, l in lines if l.strip() and not l.lstrip().startswith("#")]
    if not lines or lines[0][1].strip() != "legend":
        raise PictureError("the picture must begin with 'legend'")
    legend = {}
    pos = 1
    while pos < len(lines) and not lines[pos][1].startswith("image"):
        n, line = lines[pos]
        parts = line.split()
        if len(parts) != 2 or len(parts[0]) != 1:
            raise PictureError(f"line {n}: expected '<char> <colour>'")
        if parts[1] == "transparent":
            legend[parts[0]] = TRANSPARENT
        elif parts[1] in INDEX:
            legend[parts[0]] = INDEX[parts[1]]
        else:
            raise PictureError(f"line {n}: unknown colour '{parts[1]}'")
        pos += 1
    images = []
    while pos < len(lines):
        n, line = lines[pos]
        parts = line.split()
        try:
            width, height = (int(v) for v in parts[1].split("x"))
        except (IndexError, ValueError):
            raise PictureError(f"line {n}: expected 'image <width>x<height>'") from None
        if len(parts) != 2 or not (0 < width <= 256 and 0 < height <= 256):
            raise PictureError(f"line {n}: expected 'image <width>x<height>' up to 256x256")
        rows = lines[pos + 1:pos + 1 + height]
        if len(rows) != height:
            raise PictureError(f"line {n}: the image needs {height} rows")
        image = []
        for rn, row in rows:
            if len(row) != width:
                raise PictureError(f"line {rn}: the row must have {width} characters")
            try:
                image.append([legend[c] for c in row])
            except KeyError as e:
                raise PictureError(f"line {rn}: character {e} is not in the legend") from None
        images.append(image)
        pos += 1 + height
    if not images:
        raise PictureError("the picture has no image")
    return images


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def pixel_data(image):
    """The 4-bit colour rows bottom-up, then the 1-bit transparency mask rows bottom-up."""
    width = len(image[0])
    colours, mask = b"", b""
    for row in reversed(image):
        packed = bytearray(row_bytes(width * 4))
        bits = bytearray(row_bytes(width))
        for x, index in enumerate(row):
            if index == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colours += bytes(packed)
        mask += bytes(bits)
    return colours, mask


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in PALETTE)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 16)


def to_bmp(images):
    if len(images) != 1:
        raise PictureError("a .bmp takes exactly one image")
    image = images[0]
    if any(TRANSPARENT in row for row in image):
        raise PictureError("a .bmp has no transparent colour")
    colours, _ = pixel_data(image)
    offset = 14 + 40 + 64
    header = struct.pack("<2sIHHI", b"BM", offset + len(colours), 0, 0, offset)
    return header + info_header(len(image[0]), len(image), len(colours)) + palette_bytes() + colours


def to_ico(images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for image in images:
        width, height = len(image[0]), len(image)
        colours, mask = pixel_data(image)
        # An icon image's header counts the colour and mask rows together.
        blob = info_header(width, height * 2, len(colours) + len(mask)) + palette_bytes() + colours + mask
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


def main(argv):
    if len(argv) != 4 or argv[1] not in ("bmp", "ico"):
        sys.stderr.write(__doc__)
        return 2
    try:
        with open(argv[2], encoding="utf-8") as f:
            images = parse(f.read())
        data = to_bmp(images) if argv[1] == "bmp" else to_ico(images)
    except PictureError as e:
        sys.stderr.write(f"{argv[2]}: {e}\n")
        return 1
    with open(argv[3], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
