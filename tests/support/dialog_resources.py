"""Resources of a Windows executable as pefile reads them, and extended dialog templates
parsed into plain values, for the tests' resource checks."""
import struct


def resources(pe, type_id):
    """Yields (resource id, language id, bytes) of every resource of that type."""
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id == type_id:
            for entry in kind.directory.entries:
                for lang in entry.directory.entries:
                    yield entry.id, lang.id, pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)


def _utf16z(data, pos):
    end = pos
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def _sz_or_ord(data, pos):
    if data[pos:pos + 2] == b"\xff\xff":
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    return _utf16z(data, pos)


def parse_dialog(data):
    """An extended dialog template (DS_SETFONT) as a dict; each control is a tuple
    (id, class, text, (x, y, width, height), style), classes and texts as ordinals or strings."""
    _, signature, _, exstyle, style, count, x, y, cx, cy = struct.unpack_from("<HHIIIHhhhh", data, 0)
    pos = 26
    _, pos = _sz_or_ord(data, pos)  # menu
    _, pos = _sz_or_ord(data, pos)  # class
    caption, pos = _utf16z(data, pos)
    points = struct.unpack_from("<H", data, pos)[0]
    face, pos = _utf16z(data, pos + 6)
    controls = []
    for _ in range(count):
        pos = (pos + 3) & ~3
        _, _, cstyle, cx_, cy_, w, h, cid = struct.unpack_from("<IIIhhhhI", data, pos)
        pos += 24
        cls, pos = _sz_or_ord(data, pos)
        text, pos = _sz_or_ord(data, pos)
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
        controls.append((cid, cls, text, (cx_, cy_, w, h), cstyle))
    return {"extended": signature == 0xFFFF, "exstyle": exstyle, "style": style,
            "rect": (x, y, cx, cy), "caption": caption, "font": (points, face), "controls": controls}
