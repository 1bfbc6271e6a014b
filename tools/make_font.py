#!/usr/bin/python3
"""make_font.py SRC DST -- turn the packaged GB Song face into the Windows system Song face.

Ombrelo asks for L"宋体" by name and relies on Windows' metrics for it; the prefix has no such
font, so we rename a free Song face and mark it as covering code page 1252 (bit 0 of
ulCodePageRange1), without which the font mapper will not pick it for ANSI_CHARSET requests.

Needs fontTools: run with /usr/bin/python3.
"""
import sys

from fontTools.ttLib import TTFont

FAMILY_EN = "SimSun"
FAMILY_ZH = "宋体"
LANG_EN = 0x409
LANG_ZH = 0x804


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: make_font.py SRC DST\n")
        return 2
    src, dst = argv[1], argv[2]
    font = TTFont(src)

    os2 = font["OS/2"]
    if os2.version < 1:
        # ulCodePageRange only exists from version 1 on
        os2.version = 1
        os2.ulCodePageRange1 = 0
        os2.ulCodePageRange2 = 0
    os2.ulCodePageRange1 |= 1

    name = font["name"]
    # Drop the original family names so nothing still reports the old face.
    name.names = [n for n in name.names if n.nameID not in (1, 4, 6, 16, 17, 18)]
    for name_id in (1, 4, 6):
        name.setName(FAMILY_EN, name_id, 3, 1, LANG_EN)
    for name_id in (1, 4):
        name.setName(FAMILY_ZH, name_id, 3, 1, LANG_ZH)
    font.save(dst)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
