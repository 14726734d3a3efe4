#!/usr/bin/env python3
"""The reader of the resource script that writes the page's menu: what the
resource compiler makes of texts, flags, page-only items and the resources
around the menu, on a script written here."""

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
    def test_the_page_and_the_window_read_their_menus(self):
        with tempfile.TemporaryDirectory() as folder:
            rc, ids = os.path.join(folder, "pinball.rc"), os.path.join(folder, "resource.h")
            with open(rc, "w") as f:
                f.write(RC)
            with open(ids, "w") as f:
                f.write(IDS)
            for page, own in ((True, item("Page only", 40004)), (False, item("Window only", 40010))):
                with self.subTest(page=page):
                    self.assertEqual(make_page_modules.read_menu(rc, ids, page=page), [{
                        "text": "File", "items": [
                            item("Undo", 40001, greyed=True, shortcut="Ctrl+Z"),
                            item('Say "Hi" & go', 40002, checked=True, greyed=True),
                            {"separator": True},
                            own,
                            {"text": "More", "items": [item("Deep", 40003, checked=True)]},
                        ]}])


if __name__ == "__main__":
    unittest.main()
