#!/usr/bin/env python3
"""check_resources.py EXE: the manifest asks for GDI scaling and no DPI awareness; the
icon holds the 16 x 16, 16-colour image and 32, 48 and 256 pixel ones. Exit 1 if not."""
import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24
WANTED = {(16, 4), (32, 32), (48, 32), (256, "PNG")}  # (size, bits per pixel or PNG)
V3 = "{urn:schemas-microsoft-com:asm.v3}"
GDI_SCALING = (V3 + "application/" + V3 + "windowsSettings/"
               "{http://schemas.microsoft.com/SMI/2017/WindowsSettings}gdiScaling")


def resources(pe):  # {(type, name): bytes}, the first language of each
    def read(layout, at):
        return struct.unpack_from(layout, pe, at)

    sections, optional_size = read("<H12xH", read("<I", 0x3C)[0] + 6)
    optional = read("<I", 0x3C)[0] + 24
    rva = read("<I", optional + (128 if read("<H", optional)[0] == 0x20B else 112))[0]
    table = [read("<12xI4xI", optional + optional_size + 40 * i) for i in range(sections)]
    base = next(raw for start, raw in table if start == rva)  # the section that holds the tree

    def entries(at):  # (id, offset) pairs of one level of the tree
        count = sum(read("<12xHH", base + (at & 0x7FFFFFFF)))
        return struct.iter_unpack("<II", pe[base + (at & 0x7FFFFFFF) + 16:][:8 * count])

    found = {}
    for kind, names in entries(0):
        for name, languages in entries(names):
            data, size = read("<II", base + next(entries(languages))[1])
            found[kind, name] = pe[base + data - rva:][:size]
    return found


def icon_images(found):  # (size, bits or PNG) of each image that agrees with its entry
    group = found.get((RT_GROUP_ICON, 1), bytes(6))
    for width, height, length, image_id in struct.iter_unpack("<BB6xIH", group[6:][:14 * group[4]]):
        image = found.get((RT_ICON, image_id), b"")
        png = image.startswith(b"\x89PNG")
        size = struct.unpack_from(">16xII" if png else "<4xii", image) if len(image) > 40 else ()
        if len(image) == length and size == (width or 256, (height or 256) * (1 if png else 2)):
            yield width or 256, "PNG" if png else struct.unpack_from("<14xH", image)[0]


found = resources(open(sys.argv[1], "rb").read())
manifest = ElementTree.fromstring(found.get((RT_MANIFEST, 1), b"<none/>"))
scaling = manifest.findtext(GDI_SCALING)
aware = [e.tag for e in manifest.iter() if "dpiAware" in e.tag]  # dpiAware, dpiAwareness
images = set(icon_images(found))
print(sys.argv[1], "gdiScaling", scaling, "DPI awareness", aware, "icon", sorted(images, key=str))
sys.exit(0 if scaling == "true" and not aware and WANTED <= images else 1)
