#!/usr/bin/python3
"""Reads dialog template 129 of Vornet.exe with pefile: caption, frame, font and each control.
usage: check_data_list_template.py Vornet.exe   (prints each failed check; exit code 1 if any)"""
import struct
import sys

import pefile

RT_DIALOG = 5
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def utf16z(data, pos):
    end = pos
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def sz_or_ord(data, pos):
    if data[pos:pos + 2] == b"\xff\xff":
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    return utf16z(data, pos)


def template(pe, dialog_id):
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id == RT_DIALOG:
            for entry in kind.directory.entries:
                if entry.id == dialog_id:
                    lang = entry.directory.entries[0]
                    return lang.id, pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
    return None, None


def main():
    lang, data = template(pefile.PE(sys.argv[1]), 129)
    if data is None:
        print("no dialog 129")
        return 1
    check(lang == 0x411, f"dialog 129 language {lang:#x}, want Japanese")
    _, signature, _, exstyle, style, count, x, y, cx, cy = struct.unpack_from("<HHIIIHhhhh", data, 0)
    check(signature == 0xFFFF, "an extended template")
    check((cx, cy) == (189, 205), f"size {(cx, cy)}, want 189 x 205")
    want = 0x80000000 | 0x00C00000 | 0x00080000 | 0x80 | 0x40  # popup caption sysmenu modalframe setfont
    check(style == want, f"style {style:#x}, want {want:#x}")
    pos = 26
    _, pos = sz_or_ord(data, pos)
    _, pos = sz_or_ord(data, pos)
    caption, pos = utf16z(data, pos)
    check(caption == "データリスト", f"caption {caption!r}")
    points = struct.unpack_from("<H", data, pos)[0]
    face, pos = utf16z(data, pos + 6)
    check((points, face) == (9, "ＭＳ Ｐゴシック"), f"font {points} {face!r}")
    controls = []
    for _ in range(count):
        pos = (pos + 3) & ~3
        _, _, cstyle, cx_, cy_, w, h, cid = struct.unpack_from("<IIIhhhhI", data, pos)
        pos += 24
        cls, pos = sz_or_ord(data, pos)
        text, pos = sz_or_ord(data, pos)
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
        controls.append((cid, cls, text, (cx_, cy_, w, h), cstyle))
    VISIBLE, DISABLED, TABSTOP, BORDER, VSCROLL = 0x10000000, 0x08000000, 0x10000, 0x800000, 0x200000
    want_controls = [
        (1, 0x80, "終了", (135, 185, 50, 14)),
        (2, 0x80, "ｷｬﾝｾﾙ", (5, 185, 50, 14)),
        (1002, 0x83, "", (5, 5, 175, 170)),
        (1003, 0x80, "変換", (80, 185, 50, 15)),
    ]
    check([c[:4] for c in controls] == want_controls, f"controls {[c[:4] for c in controls]}")
    if len(controls) == 4:
        exit_, cancel, listbox, convert = (c[4] for c in controls)
        check(exit_ & 0xF == 1 and exit_ & VISIBLE, "Exit is the visible default push button")
        check(not cancel & VISIBLE, "the cancel button is hidden")
        lbs = 0x2 | 0x1 | 0x100  # sort, notify, no integral height
        check(listbox & (lbs | BORDER | VSCROLL | TABSTOP | VISIBLE) == lbs | BORDER | VSCROLL | TABSTOP | VISIBLE,
              f"list box style {listbox:#x}")
        check(convert & VISIBLE and convert & DISABLED, "Convert is visible and disabled")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


sys.exit(main())
