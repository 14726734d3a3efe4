#!/usr/bin/env python3
"""What the built pinball.exe carries, read from the file itself: the
manifest, the icon, the version and the accelerators, and the shortcuts its
menu shows beside the items the accelerators choose. The icon is drawn again
by scripts/make_icon.py and must match the committed one, byte for byte.

  python3 exe_resources_test.py build/windows/pinball.exe VERSION
"""

import os
import struct
import sys
import unittest
import xml.etree.ElementTree as ET

EXE = VERSION = ""
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..")
sys.path.insert(0, os.path.join(ROOT, "scripts"))
import make_icon  # noqa: E402

RT_ICON, RT_MENU, RT_ACCELERATOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 4, 9, 14, 16, 24
FVIRTKEY, FSHIFT, FCONTROL, LAST = 0x01, 0x04, 0x08, 0x80


def resources(blob):
    """{(type, id): bytes} of every resource, first language of each."""
    pe = struct.unpack_from("<I", blob, 0x3C)[0]
    assert blob[pe:pe + 4] == b"PE\0\0", "not a PE file"
    sections, optional_size = struct.unpack_from("<H12xH", blob, pe + 6)
    optional = pe + 24
    assert struct.unpack_from("<H", blob, optional)[0] == 0x20B, "not a 64-bit image"
    rva, _ = struct.unpack_from("<II", blob, optional + 112 + 2 * 8)  # data directory 2
    table = optional + optional_size

    def offset(address):
        for k in range(sections):
            size, start, _, raw = struct.unpack_from("<IIII", blob, table + 40 * k + 8)
            if start <= address < start + max(size, 1):
                return raw + address - start
        raise ValueError("RVA %#x in no section" % address)

    root = offset(rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", blob, root + directory + 12)
        for k in range(named + ids):
            name, target = struct.unpack_from("<II", blob, root + directory + 16 + 8 * k)
            yield name, target

    found = {}
    for kind, names in entries(0):
        for name, languages in entries(names & 0x7FFFFFFF):
            _, leaf = next(entries(languages & 0x7FFFFFFF))
            data, size = struct.unpack_from("<II", blob, root + leaf)
            found[(kind, name)] = blob[offset(data):offset(data) + size]
    return found


def menu_items(data):
    """{id: text} of a menu template's command items."""
    items, pos = {}, 4  # after the header's version and offset

    def text_at(pos):
        end = pos
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[pos:end].decode("utf-16-le"), end + 2

    def walk(pos):
        while True:
            flags = struct.unpack_from("<H", data, pos)[0]
            if flags & 0x10:  # a popup: its text, then its items
                _, pos = text_at(pos + 2)
                pos = walk(pos)
            else:
                ident = struct.unpack_from("<H", data, pos + 2)[0]
                text, pos = text_at(pos + 4)
                if ident:
                    items[ident] = text
            if flags & LAST:
                return pos

    walk(pos)
    return items


def version_strings(data):
    """The fixed file version and the StringFileInfo values of a version resource."""
    strings = {}

    def block(pos):
        length, value_length, kind = struct.unpack_from("<HHH", data, pos)
        end, key_end = pos + length, pos + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[pos + 6:key_end].decode("utf-16-le")
        value = (key_end + 2 + 3) & ~3
        if kind == 1 and value_length:
            strings[key] = data[value:value + 2 * value_length].decode("utf-16-le").rstrip("\0")
        child = (value + (value_length * (2 if kind == 1 else 1)) + 3) & ~3
        while child < end:
            child = (block(child) + 3) & ~3
        return end

    block(0)
    value = (6 + len("VS_VERSION_INFO\0") * 2 + 3) & ~3
    signature, _, ms, ls = struct.unpack_from("<IIII", data, value)
    assert signature == 0xFEEF04BD, "no VS_FIXEDFILEINFO"
    return (ms >> 16, ms & 0xFFFF, ls >> 16), strings


class Executable(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        with open(EXE, "rb") as f:
            cls.res = resources(f.read())

    def test_manifest(self):
        manifest = ET.fromstring(self.res[(RT_MANIFEST, 1)].decode("utf-8"))
        text = {el.tag.split("}")[1]: (el.text or "").strip() for el in manifest.iter()}
        self.assertEqual(text["dpiAwareness"].split(", ")[0], "PerMonitorV2")
        self.assertEqual(text["dpiAware"], "true/pm")  # before Windows 10
        controls = [el.attrib for el in manifest.iter() if el.tag.endswith("assemblyIdentity")]
        self.assertIn(("Microsoft.Windows.Common-Controls", "6.0.0.0"),
                      [(a["name"], a["version"]) for a in controls])
        systems = {el.attrib["Id"] for el in manifest.iter() if el.tag.endswith("supportedOS")}
        self.assertIn("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", systems)  # Windows 10 and 11
        self.assertEqual(len(systems), 5)
        level = [el.attrib for el in manifest.iter() if el.tag.endswith("requestedExecutionLevel")]
        self.assertEqual(level[0]["level"], "asInvoker")

    def test_icon_is_the_drawn_one_at_every_size(self):
        ico = make_icon.icon_file()
        with open(os.path.join(ROOT, "resources", "pinball.ico"), "rb") as f:
            self.assertEqual(f.read(), ico, "resources/pinball.ico is not what the script draws")
        count = struct.unpack_from("<H", ico, 4)[0]
        drawn = {}
        for k in range(count):
            w, _, _, _, _, _, size, at = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * k)
            drawn[w or 256] = ico[at:at + size]
        group = self.res[(RT_GROUP_ICON, 1)]  # the lowest id: Windows shows it for the file
        self.assertEqual(struct.unpack_from("<HHH", group, 0), (0, 1, count))
        sizes = set()
        for k in range(count):
            w, _, _, _, _, _, _, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * k)
            sizes.add(w or 256)
            self.assertEqual(self.res[(RT_ICON, ident)], drawn[w or 256], "icon of %d" % w)
        self.assertTrue({16, 32, 48, 256} <= sizes, sizes)

    def test_version(self):
        fixed, strings = version_strings(self.res[(RT_VERSION, 1)])
        self.assertEqual(".".join(map(str, fixed)), VERSION)
        self.assertEqual(strings["ProductName"], "Pinball Simulation")
        self.assertEqual(strings["ProductVersion"], VERSION)
        self.assertEqual(strings["FileVersion"], VERSION)

    def test_accelerators_and_the_shortcuts_the_menu_shows(self):
        data = self.res[(RT_ACCELERATOR, 102)]
        table = [struct.unpack_from("<HHH", data, k) for k in range(0, len(data), 8)]
        self.assertEqual(table[-1][0] & LAST, LAST)
        keys = {}
        for flags, key, ident in table:
            self.assertTrue(flags & FVIRTKEY and flags & FCONTROL)
            name = ("Ctrl+Shift+" if flags & FSHIFT else "Ctrl+") + chr(key)
            keys.setdefault(ident, []).append(name)
        self.assertEqual(keys, {40042: ["Ctrl+N"], 40036: ["Ctrl+O"], 40037: ["Ctrl+S"],
                                40039: ["Ctrl+Z"], 40040: ["Ctrl+Y", "Ctrl+Shift+Z"]})
        # Each item an accelerator chooses shows its first shortcut after a tab;
        # no other item shows a Ctrl shortcut (plain keys, such as the time
        # controls', go to the window procedure).
        items = menu_items(self.res[(RT_MENU, 101)])
        for ident, text in items.items():
            shown = text.split("\t")[1] if "\t" in text else None
            if ident in keys:
                self.assertEqual(shown, keys[ident][0], text)
            else:
                self.assertFalse(shown and shown.startswith("Ctrl+"), text)
        self.assertTrue(set(keys) <= set(items), "a shortcut with no menu item")


if __name__ == "__main__":
    EXE, VERSION = sys.argv[1:3]
    unittest.main(argv=[sys.argv[0], "-v"])
