#!/usr/bin/python3
"""Reads dialog template 129 of Vornet.exe with pefile: caption, frame, font and each control.
usage: check_data_list_template.py Vornet.exe   (prints each failed check; exit code 1 if any)"""
import os
import sys

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from dialog_resources import parse_dialog, resources  # noqa: E402

RT_DIALOG = 5
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def template(pe, dialog_id):
    for entry_id, lang, data in resources(pe, RT_DIALOG):
        if entry_id == dialog_id:
            return lang, data
    return None, None


def main():
    lang, data = template(pefile.PE(sys.argv[1]), 129)
    if data is None:
        print("no dialog 129")
        return 1
    check(lang == 0x411, f"dialog 129 language {lang:#x}, want Japanese")
    dialog = parse_dialog(data)
    check(dialog["extended"], "an extended template")
    check(dialog["rect"][2:] == (189, 205), f"size {dialog['rect'][2:]}, want 189 x 205")
    want = 0x80000000 | 0x00C00000 | 0x00080000 | 0x80 | 0x40  # popup caption sysmenu modalframe setfont
    check(dialog["style"] == want, f"style {dialog['style']:#x}, want {want:#x}")
    check(dialog["caption"] == "データリスト", f"caption {dialog['caption']!r}")
    check(dialog["font"] == (9, "ＭＳ Ｐゴシック"), f"font {dialog['font']}")
    controls = dialog["controls"]
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
