#!/usr/bin/env python3
"""The program at 200 %: Wine's display set to 192 dots per inch. The window
opens at twice its size, the frame is the 100 % frame with each pixel a 2 x 2
block, exactly, and a click lands on the scene pixel under it.

Run it through scripts/wine-xvfb.sh on a screen large enough for the window:
  XVFB_SCREEN=2048x1536x24 scripts/wine-xvfb.sh python3 tests/e2e/high_dpi_e2e.py \\
      --exe build/windows/pinball.exe --out build/windows/e2e
"""

import os
import subprocess
import unittest

import editing_e2e as editing
import pinball_e2e as e2e
from pinball_e2e import BLACK, BLUE, RED

DESKTOP = r"HKCU\Control Panel\Desktop"


def set_dpi(dpi):
    """Wine reads the display's DPI from the user's desktop settings when a program starts."""
    if dpi is None:
        args = ["reg", "delete", DESKTOP, "/v", "LogPixels", "/f"]
    else:
        args = ["reg", "add", DESKTOP, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"]
    subprocess.run(["wine"] + args, check=False, capture_output=True)


class HighDpi(unittest.TestCase):

    def frame_of_the_table(self, name, source):
        p = editing.Editor(name, [editing.windows_path(source)], "dpi - Pinball Simulation")
        self.addCleanup(p.close)
        p.wait_for_window()
        client = p.wait_until("the table's box", lambda c: BLUE in (c.at(340, 230), c.at(680, 460)))
        return p, client

    def test_the_frame_doubled_pixel_for_pixel_and_clicks_on_the_scene_pixel(self):
        source = os.path.join(e2e.OUT, "dpi.pinball")
        with open(source, "w") as f:
            f.write(editing.BLUE_BOX_TABLE)
        p, base = self.frame_of_the_table("dpi-100", source)
        self.assertEqual((base.width, base.height), (792, 554))
        window_100 = e2e.screenshot(p.window)
        p.close()

        set_dpi(192)
        self.addCleanup(set_dpi, None)
        p, client = self.frame_of_the_table("dpi-200", source)
        window_200 = e2e.screenshot(p.window)
        e2e.report("window at 100 %%: %d x %d, at 200 %%: %d x %d (X window: menu bar and client)"
                   % (window_100.width, window_100.height, window_200.width, window_200.height))
        e2e.report("client area at 200 %%: %d x %d" % (client.width, client.height))
        # Without a frame drawn by X, the X window is the outer size less the frame.
        self.assertGreaterEqual(client.width, 2 * base.width)
        self.assertGreaterEqual(client.height, 2 * base.height)
        self.assertLess(client.width, 2 * base.width + 16)
        for y in range(2 * base.height):
            row = base.data[(y // 2) * base.width * 3:(y // 2 + 1) * base.width * 3]
            doubled = b"".join(row[k:k + 3] * 2 for k in range(0, len(row), 3))
            shown = client.data[y * client.width * 3:y * client.width * 3 + len(doubled)]
            if shown != doubled:
                client.save_ppm(os.path.join(e2e.OUT, "failed-dpi-200.ppm"))
                self.fail("row %d is not the 100 %% frame's row %d doubled" % (y, y // 2))

        # In edit mode a click marks the scene pixel under it: (401, 601) is in the
        # block of scene pixel (200, 300).
        p.menu(editing.FILE_EDIT)
        p.click(401, 601)
        client = p.wait_until("point marked", lambda c: c.at(400, 600) == RED)
        self.assertEqual([client.at(x, y) for x, y in ((401, 600), (400, 601), (401, 601))],
                         [RED] * 3)
        self.assertEqual([client.at(x, y) for x, y in ((399, 600), (402, 600), (400, 599),
                                                       (400, 602))], [BLACK] * 4)


def main():
    _, rest = e2e.command_line()
    e2e.run_cases(rest)


if __name__ == "__main__":
    main()
