#!/usr/bin/env python3
"""The reader of the resource script that writes the page's menu: what the
resource compiler makes of texts, flags, page-only items, the accelerators
and the resources around the menu, on a script written here."""

import os
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # no cache of the module left in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "app", "web"))
import make_page_modules  # noqa: E402

IDS = """#define IDR_MENU 101
#define IDR_KEYS 102
#define IDM_A 40001
#define IDM_B 40002
#define IDM_C 40003
#define IDM_PAGE 40004
"""

RC = r"""#include "resource.h"
/* MENUITEM "Commented", IDM_A
   over two lines */
IDR_KEYS ACCELERATORS
BEGIN
  "Z", IDM_A, VIRTKEY, CONTROL
  "Z", IDM_B, VIRTKEY, CONTROL, SHIFT
  "^O", IDM_C
  46, IDM_PAGE, VIRTKEY, ALT
END
IDR_MENU MENU
BEGIN
  POPUP "&File"  // MENUITEM "Not this", IDM_A
  BEGIN
    MENUITEM "&Undo\tCtrl+Z", IDM_A, GRAYED
    MENUITEM "Say ""Hi"" && go", IDM_B, CHECKED GRAYED
    MENUITEM SEPARATOR
#ifdef PINBALL_PAGE
    MENUITEM "Page only", IDM_PAGE
#else
    MENUITEM "Window only", 40010
#endif
    POPUP "More"
    {
      MENUITEM "Deep", IDM_C, CHECKED
    }
  END
END
STRINGTABLE
BEGIN
  IDM_A, "Undo"
END
"""


def item(text, id, checked=False, greyed=False, **more):
    return dict(text=text, id=id, checked=checked, greyed=greyed, **more)


class ReadMenu(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.rc, self.ids = os.path.join(folder.name, "pinball.rc"), os.path.join(folder.name, "resource.h")
        with open(self.rc, "w") as f:
            f.write(RC)
        with open(self.ids, "w") as f:
            f.write(IDS)

    def test_the_page_and_the_window_read_their_menus(self):
        for page, own in ((True, item("Page only", 40004)), (False, item("Window only", 40010))):
            with self.subTest(page=page):
                self.assertEqual(make_page_modules.read_menu(self.rc, self.ids, page=page), [{
                    "text": "File", "items": [
                        item("Undo", 40001, greyed=True, shortcut="Ctrl+Z"),
                        item('Say "Hi" & go', 40002, checked=True, greyed=True),
                        {"separator": True},
                        own,
                        {"text": "More", "items": [item("Deep", 40003, checked=True)]},
                    ]}])

    def test_the_accelerators_as_virtual_keys_and_modifiers(self):
        def key(code, id, control=False, shift=False, alt=False):
            return dict(key=code, id=id, control=control, shift=shift, alt=alt)
        self.assertEqual(make_page_modules.read_accelerators(self.rc, self.ids, "IDR_KEYS"), [
            key(ord("Z"), 40001, control=True), key(ord("Z"), 40002, control=True, shift=True),
            key(ord("O"), 40003, control=True), key(46, 40004, alt=True)])
        self.assertIsNone(make_page_modules.read_accelerators(self.rc, self.ids, "IDR_NONE"))


if __name__ == "__main__":
    unittest.main()
