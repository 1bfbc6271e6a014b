#!/usr/bin/python3
"""make_icons.py [ASSETS_DIR] -- draw Ombrelo's two icons and write them as palette ICO files.

  mainicon.ico  one 32x32 image, 4 bits per pixel: a globe
  window.ico    one 16x16 image, 8 bits per pixel: the maker's umbrella emblem

The ICO bytes are written here rather than by PIL, whose ICO writer only produces 32-bit
images; we want exactly one palette image per file. Pixels outside the drawing are palette
index 0 (black) with their AND mask bit set, so they come out transparent.

Needs PIL: run with /usr/bin/python3.
"""
import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw

SS = 8  # supersampling factor per axis

# The globe's 16 colours. Index 0 is what transparent pixels hold in the XOR bitmap.
GLOBE_PALETTE = [
    (0, 0, 0),
    (14, 34, 84),  # outline
    (22, 66, 146),  # ocean, shadow side
    (34, 102, 194),  # ocean
    (70, 146, 226),  # ocean, lit side
    (26, 96, 46),  # land, shadow side
    (46, 142, 62),  # land
    (98, 190, 88),  # land, lit side
    (84, 138, 206),  # grid over ocean, shadow side
    (132, 184, 238),  # grid over ocean
    (176, 214, 248),  # grid over ocean, lit side
    (96, 158, 100),  # grid over land, shadow side
    (150, 210, 136),  # grid over land
    (196, 236, 176),  # grid over land, lit side
    (226, 242, 255),  # highlight
    (255, 255, 255),
]
OUTLINE = 1
OCEAN = (2, 3, 4)
LAND = (5, 6, 7)
GRID_OCEAN = (8, 9, 10)
GRID_LAND = (11, 12, 13)
HIGHLIGHT = 14

# Continents as blobs on the sphere: (longitude, latitude, radius), all in degrees.
CONTINENTS = [
    (-70, 42, 20),
    (-50, 18, 12),
    (-40, -20, 16),
    (-8, 2, 12),
    (-30, -44, 9),
    (30, 44, 16),
    (48, 8, 16),
    (36, -26, 12),
    (84, 34, 14),
]


def normalize(v):
    n = math.sqrt(sum(c * c for c in v))
    return tuple(c / n for c in v)


def angular_distance(lon1, lat1, lon2, lat2):
    a, b = math.radians(lat1), math.radians(lat2)
    d = math.radians(lon2 - lon1)
    c = math.sin(a) * math.sin(b) + math.cos(a) * math.cos(b) * math.cos(d)
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


def is_land(lon, lat):
    # The wobble keeps coasts from being plain circles.
    wobble = 5 * math.sin(math.radians(lon * 5 + lat * 3))
    wobble += 3 * math.cos(math.radians(lat * 7 - lon * 2))
    return any(angular_distance(lon, lat, clon, clat) < r + wobble for clon, clat, r in CONTINENTS)


def globe_subpixels(size):
    """Palette index of every subpixel of the globe, or None outside it."""
    n = size * SS
    centre = n / 2
    radius = n / 2 - 1.0 * SS
    outline = 1.1 * SS
    light = normalize((-0.55, 0.6, 0.6))  # from the upper left, x right, y up, z towards us
    tilt = math.radians(22)  # north pole leaning towards us
    facing = -25  # longitude at the centre of the picture

    # Grid lines are drawn in screen space so they stay about one pixel wide.
    grid = Image.new("1", (n, n), 0)
    draw = ImageDraw.Draw(grid)

    def project(lon, lat):
        lo, la = math.radians(lon - facing), math.radians(lat)
        x = math.cos(la) * math.sin(lo)
        y = math.sin(la)
        z = math.cos(la) * math.cos(lo)
        y, z = y * math.cos(tilt) - z * math.sin(tilt), y * math.sin(tilt) + z * math.cos(tilt)
        return (centre + x * radius, centre - y * radius), z

    def polyline(points):
        run = []
        for lon, lat in points:
            p, z = project(lon, lat)
            if z >= 0:
                run.append(p)
            else:
                if len(run) > 1:
                    draw.line(run, fill=1, width=SS)
                run = []
        if len(run) > 1:
            draw.line(run, fill=1, width=SS)

    for lat in (-45, 0, 45):
        polyline([(lon, lat) for lon in range(-180, 181, 3)])
    for lon in range(-180, 180, 45):
        polyline([(lon, lat) for lat in range(-90, 91, 3)])
    gridpx = grid.load()

    out = [[None] * n for _ in range(n)]
    for j in range(n):
        for i in range(n):
            dx = (i + 0.5 - centre) / radius
            dy = (centre - (j + 0.5)) / radius
            r2 = dx * dx + dy * dy
            if r2 > 1.0:
                continue
            if math.sqrt(r2) * radius > radius - outline:
                out[j][i] = OUTLINE
                continue
            dz = math.sqrt(1.0 - r2)
            lit = dx * light[0] + dy * light[1] + dz * light[2]
            if lit > 0.93:
                out[j][i] = HIGHLIGHT
                continue
            band = 0 if lit < 0.35 else 1 if lit < 0.75 else 2
            # undo the tilt to find where on the globe this point is
            y = dy * math.cos(tilt) + dz * math.sin(tilt)
            z = -dy * math.sin(tilt) + dz * math.cos(tilt)
            lat = math.degrees(math.asin(max(-1.0, min(1.0, y))))
            lon = math.degrees(math.atan2(dx, z)) + facing
            land = is_land(lon, lat)
            if gridpx[i, j]:
                out[j][i] = (GRID_LAND if land else GRID_OCEAN)[band]
            else:
                out[j][i] = (LAND if land else OCEAN)[band]
    return out


def downsample(sub, size, crisp=False):
    """Average each pixel's subpixels, or with crisp take the commonest; return rows of rgb or None.

    A pixel less than half covered is clear.
    """
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            block = [sub[y * SS + j][x * SS + i] for j in range(SS) for i in range(SS)]
            colours = [c for c in block if c is not None]
            if 2 * len(colours) < SS * SS:
                row.append(None)
                continue
            if crisp:
                row.append(max(sorted(set(colours)), key=colours.count))
                continue
            # averaged over the covered part only, so edges do not fade into the background
            row.append(tuple(round(sum(c[k] for c in colours) / len(colours)) for k in range(3)))
        rows.append(row)
    return rows


def nearest(rgb, palette):
    return min(
        range(1, len(palette)),
        key=lambda k: (sum((a - b) ** 2 for a, b in zip(rgb, palette[k])), k),
    )


def globe():
    size = 32
    sub = [[None if v is None else GLOBE_PALETTE[v] for v in row] for row in globe_subpixels(size)]
    rows = downsample(sub, size)
    indices = [[None if c is None else nearest(c, GLOBE_PALETTE) for c in row] for row in rows]
    return indices, GLOBE_PALETTE


def umbrella():
    """The maker's emblem: red and amber panels, a scalloped rim and a dark hooked handle."""
    size = 16
    n = size * SS
    red = (222, 44, 40, 255)
    amber = (252, 186, 36, 255)
    handle = (40, 48, 68, 255)
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)

    u = SS  # one output pixel
    cx = 8 * u
    left, right, top, rim = 0.5 * u, 15.5 * u, 1.0 * u, 8.5 * u
    # finial, shaft and hook
    d.rectangle([cx - 0.5 * u, 0, cx + 0.5 * u, top + 0.5 * u], fill=handle)
    d.rectangle([cx - 0.75 * u, rim - u, cx + 0.75 * u, 13 * u], fill=handle)
    hook = [cx - 4.25 * u, 10.5 * u, cx + 0.75 * u, 15.5 * u]
    d.arc(hook, 0, 180, fill=handle, width=int(1.5 * u))

    # canopy: the upper half of an ellipse, with a bite taken out between each pair of ribs
    panels = 4
    width = (right - left) / panels
    canopy = Image.new("1", (n, n), 0)
    c = ImageDraw.Draw(canopy)
    c.pieslice([left, top, right, 2 * rim - top], 180, 360, fill=1)
    for k in range(panels):
        x0 = left + k * width
        c.ellipse([x0 + 0.3 * u, rim - 1.2 * u, x0 + width - 0.3 * u, rim + 1.2 * u], fill=0)
    # every other panel amber; a panel runs from the tip down to two neighbouring rib ends, and
    # the last one also takes the bulge of the canopy beyond its outer rib
    amber_panels = Image.new("1", (n, n), 0)
    a = ImageDraw.Draw(amber_panels)
    for k in range(1, panels, 2):
        ends = [left + k * width, left + (k + 1) * width]
        far = [(cx + 3 * (x - cx), top + 3 * (rim - top)) for x in ends]
        corner = [(far[1][0], -n)] if k == panels - 1 else []
        a.polygon([(cx, top), far[0], far[1]] + corner, fill=1)
    img.paste(red, mask=canopy)
    img.paste(amber, mask=ImageChops.logical_and(amber_panels, canopy))

    px = img.load()
    sub = [[px[i, j][:3] if px[i, j][3] else None for i in range(n)] for j in range(n)]
    rows = downsample(sub, size, crisp=True)
    # With 256 pixels at most, every colour that occurs fits in the palette exactly.
    colours = sorted({c for row in rows for c in row if c is not None})
    assert len(colours) <= 255, len(colours)
    palette = [(0, 0, 0)] + colours
    index = {c: k for k, c in enumerate(palette)}
    indices = [[None if c is None else index[c] for c in row] for row in rows]
    return indices, palette + [(0, 0, 0)] * (256 - len(palette))


def packed_row(values, bpp):
    """One DIB row: values packed high bits first, padded to a multiple of four bytes."""
    bits = 0
    for v in values:
        bits = (bits << bpp) | v
    used = len(values) * bpp
    stride = (used + 31) // 32 * 4
    return (bits << (stride * 8 - used)).to_bytes(stride, "big")


def ico_bytes(indices, palette, bpp):
    """A one-image ICO: ICONDIR, ICONDIRENTRY, then a DIB with biHeight = 2 * height."""
    height, width = len(indices), len(indices[0])
    assert len(palette) == 1 << bpp

    xor = bytearray()
    mask = bytearray()
    for row in reversed(indices):  # bottom-up
        xor += packed_row([0 if v is None else v for v in row], bpp)
        mask += packed_row([int(v is None) for v in row], 1)

    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = struct.pack(
        "<IiiHHIIiiII", 40, width, 2 * height, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0
    )
    image = header + colour_table + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack(
        "<BBBBHHII",
        width % 256,
        height % 256,
        len(palette) % 256,  # 0 means 256 or more colours
        0,
        1,
        bpp,
        len(image),
        len(icondir) + 16,
    )
    return icondir + entry + image


def main(argv):
    if len(argv) > 2:
        sys.stderr.write("usage: make_icons.py [ASSETS_DIR]\n")
        return 2
    out_dir = argv[1] if len(argv) == 2 else os.path.join(os.path.dirname(__file__), "..", "assets")
    os.makedirs(out_dir, exist_ok=True)
    for name, (indices, palette), bpp in (
        ("mainicon.ico", globe(), 4),
        ("window.ico", umbrella(), 8),
    ):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(ico_bytes(indices, palette, bpp))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
