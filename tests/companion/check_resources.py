#!/usr/bin/python3
"""Reads Vornet.exe's main resources with pefile: dialog 102, icon 128 and the version strings.
usage: check_resources.py Vornet.exe   (prints each failed check; exit code 1 if any)"""
import os
import struct
import sys

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from dialog_resources import parse_dialog, resources  # noqa: E402

JAPANESE = 0x411
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def check_dialog(data):
    dialog = parse_dialog(data)
    check(dialog["extended"], "dialog 102 is an extended template")
    check(dialog["rect"] == (0, 0, 174, 59), f"dialog 102 at 0,0 sized 174x59, got {dialog['rect']}")
    want = 0x80000000 | 0x10000000 | 0x00C00000 | 0x00080000 | 0x80 | 0x40  # popup visible caption sysmenu modalframe setfont
    check(dialog["style"] == want, f"dialog 102 style {dialog['style']:#x}, want {want:#x}")
    check(dialog["exstyle"] == 0x40000, f"dialog 102 extended style {dialog['exstyle']:#x}, want application window")
    check(dialog["caption"] == "Marbelo Conduit", f"caption {dialog['caption']!r}")
    check(dialog["font"] == (9, "ＭＳ Ｐゴシック"), f"font {dialog['font']}")
    controls = [(cid, cls, text, rect, bool(style & 0x10000000), style)
                for cid, cls, text, rect, style in dialog["controls"]]
    want_controls = [
        (1, 0x80, "OK", (50, 40, 50, 14), False),
        (2, 0x80, "ｷｬﾝｾﾙ", (110, 40, 50, 14), True),
        (1000, 0x80, "棋譜データ読込 (PC->Palm)", (15, 10, 145, 20), True),
        (1001, 0x80, "データ変換(Palm->PC)", (10, 5, 146, 15), False),
        (1004, 0x81, "", (15, 20, 145, 12), False),
    ]
    check([c[:5] for c in controls] == want_controls, f"controls {[c[:5] for c in controls]}")
    tabstops = [bool(c[5] & 0x10000) for c in controls]
    check(tabstops == [True, True, True, True, False], f"tab stops {tabstops}")
    check(controls[1][5] & 0xF == 1, "Cancel is the default push button")
    check(controls[4][5] & 0x801 == 0x801 and not controls[4][5] & 0x800000,
          "edit 1004 read-only, centred, without border")


def check_icon(pe, group):
    _, _, count = struct.unpack_from("<HHH", group, 0)
    images = {entry_id: data for entry_id, _, data in resources(pe, 3)}
    sizes = []
    for i in range(count):
        w, h, colours, _, planes, bits, _, image_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        header = struct.unpack_from("<IiiHH", images[image_id], 0)
        sizes.append((w, h, colours, header[4]))
    check(sorted(sizes) == [(16, 16, 16, 4), (32, 32, 16, 4)], f"icon 128 images {sizes}")


def main(path):
    pe = pefile.PE(path)
    main_dialogs = [(l, data) for i, l, data in resources(pe, 5) if i == 102]
    check([l for l, _ in main_dialogs] == [JAPANESE], f"dialog 102 languages {[l for l, _ in main_dialogs]}")
    if main_dialogs:
        check_dialog(main_dialogs[0][1])
    groups = list(resources(pe, 14))
    check([(i, l) for i, l, _ in groups] == [(128, JAPANESE)], f"icon groups {[(i, l) for i, l, _ in groups]}")
    if groups:
        check_icon(pe, groups[0][2])
    strings = {}
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                check(table.LangID.lower() == b"041104b0", f"version table {table.LangID}")
                strings = {k.decode(): v.decode() for k, v in table.entries.items()}
    for key in ("FileDescription", "InternalName", "ProductName"):
        check(strings.get(key) == "Marbelo Conduit", f"{key} {strings.get(key)!r}")
    fixed = pe.VS_FIXEDFILEINFO[0]
    check((fixed.FileVersionMS, fixed.FileVersionLS) == (0x10000, 1), "file version 1.0.0.1")
    check((fixed.ProductVersionMS, fixed.ProductVersionLS) == (0x10000, 1), "product version 1.0.0.1")
    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
