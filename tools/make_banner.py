#!/usr/bin/python3
"""make_banner.py [OUT] -- draw the notice window's banner and write it as assets/banner.jpg.

The picture is drawn with PIL, then encoded by cjpeg (libjpeg-turbo-progs) as a progressive
JPEG with the scan script tools/banner-scans.txt and no chroma subsampling. cjpeg always
writes a JFIF 1.01 header without a resolution, so the APP0 segment is patched afterwards to
JFIF 1.02 at 80 dots per inch.

Needs PIL and the fonts-dejavu-core and fonts-arphic-gbsn00lp packages: run with /usr/bin/python3.
The output is the same bytes on every run.
"""
import io
import math
import os
import struct
import subprocess
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

WIDTH, HEIGHT = 674, 181
QUALITY = 90

HERE = os.path.dirname(os.path.abspath(__file__))
SCANS = os.path.join(HERE, "banner-scans.txt")
DEJAVU = "/usr/share/fonts/truetype/dejavu/"
LATIN_BOLD = DEJAVU + "DejaVuSans-Bold.ttf"
LATIN = DEJAVU + "DejaVuSans.ttf"
CHINESE = "/usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf"

PRODUCT = "Ombrelo"
SLOGAN = "为您的系统撑起一把保护伞"
HOST = "www.ombrelo.example"

JFIF_VERSION = (1, 2)
JFIF_UNITS = 1  # dots per inch
JFIF_DENSITY = 80


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def background():
    """Deep blue on the left into teal on the right, with a soft glow at the upper right."""
    left, right = (10, 30, 78), (18, 128, 170)
    glow, glow_at, glow_r = (120, 210, 235), (560, 20), 260.0
    pixels = []
    for y in range(HEIGHT):
        for x in range(WIDTH):
            t = (x + 0.6 * y) / (WIDTH + 0.6 * HEIGHT)
            t = t * t * (3 - 2 * t)
            c = lerp(left, right, t)
            d = math.hypot(x - glow_at[0], (y - glow_at[1]) * 1.4) / glow_r
            if d < 1:
                c = lerp(c, glow, 0.55 * (1 - d) ** 2)
            pixels.append(c)
    img = Image.new("RGB", (WIDTH, HEIGHT))
    img.putdata(pixels)
    return img


def overlay(img, draw_fn):
    """Draw translucent shapes on a clear layer and lay it over img."""
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    draw_fn(ImageDraw.Draw(layer))
    return Image.alpha_composite(img.convert("RGBA"), layer).convert("RGB")


def shapes(d):
    # rings and discs on the right
    for cx, cy, r, a in ((600, 150, 120, 26), (640, 40, 70, 20), (470, 190, 60, 16)):
        d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(255, 255, 255, a))
    for cx, cy, r in ((600, 150, 150), (520, -40, 110)):
        d.ellipse([cx - r, cy - r, cx + r, cy + r], outline=(255, 255, 255, 46), width=3)
    # slanted light bands
    for x0, w, alpha in ((380, 46, 18), (446, 18, 24), (700, 60, 14)):
        band = [(x0, 0), (x0 + w, 0), (x0 + w - 150, HEIGHT), (x0 - 150, HEIGHT)]
        d.polygon(band, fill=(255, 255, 255, alpha))
    # a field of small dots fading towards the centre
    for row in range(6):
        for col in range(9):
            x, y = 500 + 18 * col + 9 * (row % 2), 60 + 14 * row
            alpha = max(0, 70 - 9 * (8 - col) - 6 * row)
            if alpha:
                d.ellipse([x - 1.6, y - 1.6, x + 1.6, y + 1.6], fill=(210, 245, 255, alpha))
    # a wave along the bottom
    for k, (alpha, lift) in enumerate(((40, 30), (60, 16))):
        points = [
            (x, HEIGHT - lift - 9 * math.sin((x + 140 * k) / 70.0)) for x in range(0, WIDTH + 1, 4)
        ]
        d.polygon(points + [(WIDTH, HEIGHT), (0, HEIGHT)], fill=(140, 225, 240, alpha))
    # a few sparkles
    for x, y, r in ((430, 28, 2), (462, 58, 1.5), (395, 70, 1.5), (650, 100, 2), (540, 82, 1.5)):
        d.ellipse([x - r, y - r, x + r, y + r], fill=(255, 255, 230, 200))


def emblem(size):
    """The umbrella mark, drawn large: red and amber panels, a scalloped rim and a hooked handle."""
    ss = 4
    n = size * ss
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = n / 16.0
    red, amber, handle = (222, 44, 40, 255), (252, 186, 36, 255), (238, 242, 248, 255)
    cx = 8 * u
    left, right, top, rim = 0.5 * u, 15.5 * u, 1.2 * u, 8.5 * u

    d.rectangle([cx - 0.5 * u, rim - u, cx + 0.5 * u, 13 * u], fill=handle)
    d.arc([cx - 4 * u, 10.8 * u, cx + 0.5 * u, 15.3 * u], 0, 180, fill=handle, width=round(u))
    d.rectangle([cx - 0.35 * u, 0.2 * u, cx + 0.35 * u, top + 0.5 * u], fill=handle)

    panels = 4
    width = (right - left) / panels
    canopy = Image.new("L", (n, n), 0)
    c = ImageDraw.Draw(canopy)
    c.pieslice([left, top, right, 2 * rim - top], 180, 360, fill=255)
    for k in range(panels):
        x0 = left + k * width
        c.ellipse([x0 + 0.3 * u, rim - 1.1 * u, x0 + width - 0.3 * u, rim + 1.1 * u], fill=0)
    amber_panels = Image.new("L", (n, n), 0)
    a = ImageDraw.Draw(amber_panels)
    for k in range(1, panels, 2):
        ends = [left + k * width, left + (k + 1) * width]
        far = [(cx + 3 * (x - cx), top + 3 * (rim - top)) for x in ends]
        corner = [(far[1][0], -n)] if k == panels - 1 else []
        a.polygon([(cx, top), far[0], far[1]] + corner, fill=255)
    amber_panels = ImageChops.multiply(amber_panels, canopy)
    img.paste(red, mask=canopy)
    img.paste(amber, mask=amber_panels)
    return img.resize((size, size), Image.LANCZOS)


def text_with_shadow(img, xy, text, font, fill, shadow=(0, 20, 50), blur=3, offset=(2, 3)):
    layer = Image.new("L", img.size, 0)
    ImageDraw.Draw(layer).text((xy[0] + offset[0], xy[1] + offset[1]), text, font=font, fill=170)
    layer = layer.filter(ImageFilter.GaussianBlur(blur))
    img.paste(shadow, mask=layer)
    ImageDraw.Draw(img).text(xy, text, font=font, fill=fill)


def draw():
    img = background()
    img = overlay(img, shapes)

    # the emblem on a soft light disc at the left
    disc = Image.new("L", img.size, 0)
    ImageDraw.Draw(disc).ellipse([22, 22, 160, 160], fill=60)
    disc = disc.filter(ImageFilter.GaussianBlur(6))
    img.paste((255, 255, 255), mask=disc)
    mark = emblem(112)
    img.paste(mark, (35, 30), mark)

    basic = ImageFont.Layout.BASIC  # the same glyph placement whatever text shaper is installed
    title = ImageFont.truetype(LATIN_BOLD, 64, layout_engine=basic)
    slogan = ImageFont.truetype(CHINESE, 26, layout_engine=basic)
    host = ImageFont.truetype(LATIN, 15, layout_engine=basic)

    text_with_shadow(img, (182, 22), PRODUCT, title, (255, 255, 255))
    text_with_shadow(img, (186, 104), SLOGAN, slogan, (255, 236, 170), blur=2, offset=(1, 2))
    d = ImageDraw.Draw(img)
    # a short rule between the name and the slogan
    d.rectangle([186, 95, 286, 97], fill=(252, 186, 36))
    text_with_shadow(img, (188, 146), HOST, host, (200, 238, 250), blur=2, offset=(1, 1))
    return img


def patch_jfif(jpeg):
    """Set the JFIF APP0 segment's version and resolution; the segment must already be there."""
    data = bytearray(jpeg)
    if data[:2] != b"\xff\xd8":
        raise ValueError("not a JPEG file")
    at = 2
    while at + 4 <= len(data):
        if data[at] != 0xFF:
            raise ValueError("bad marker at offset %d" % at)
        marker = data[at + 1]
        if marker == 0xFF:  # fill byte
            at += 1
            continue
        if marker in (0xDA, 0xD9):
            break  # image data starts: no JFIF header before it
        (length,) = struct.unpack(">H", data[at + 2 : at + 4])
        body = at + 4
        if marker == 0xE0 and data[body : body + 5] == b"JFIF\0" and length >= 16:
            # version (2 bytes), units (1), X density (2), Y density (2)
            fields = (*JFIF_VERSION, JFIF_UNITS, JFIF_DENSITY, JFIF_DENSITY)
            struct.pack_into(">BBBHH", data, body + 5, *fields)
            return bytes(data)
        at += 2 + length
    raise ValueError("no JFIF APP0 segment")


def encode(img):
    ppm = io.BytesIO()
    img.save(ppm, "PPM")
    cmd = [
        "cjpeg",
        "-quality", str(QUALITY),
        "-sample", "1x1,1x1,1x1",
        "-progressive",
        "-scans", SCANS,
    ]  # fmt: skip
    out = subprocess.run(cmd, input=ppm.getvalue(), stdout=subprocess.PIPE, check=True).stdout
    return patch_jfif(out)


def main(argv):
    if len(argv) > 2:
        sys.stderr.write("usage: make_banner.py [OUT]\n")
        return 2
    out = argv[1] if len(argv) == 2 else os.path.join(HERE, "..", "assets", "banner.jpg")
    img = draw()
    assert img.size == (WIDTH, HEIGHT)
    jpeg = encode(img)
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "wb") as f:
        f.write(jpeg)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
