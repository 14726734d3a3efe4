#!/usr/bin/env python3
"""Editing the scene as a person does: menus through the keyboard, clicks in
the client area, keys, all with xdotool on pinball.exe under Wine, and every
result read back from screenshots.

One run clears the scene, builds a blue box, outlines it, moves it, deletes
it, makes a ball that moves once edit mode is off, and checks that the balls
stand still while a menu or the Instructions box is open. Another sends balls
straight up at the top wall and checks they stay in the field. Another builds a
small scene of every kind of shape and saves its picture (editing.png in the
output folder, and with --guide docs/editing.png to refresh the user guide's).
Others open and save tables, undo and redo, and check that Undo never crosses
an Open, so Ctrl+S never writes the table before it over the file opened, and
that a table too slow to run stops its balls and says so.

Run it through scripts/wine-xvfb.sh, like pinball_e2e.py, whose helpers it uses:
  scripts/wine-xvfb.sh python3 tests/e2e/editing_e2e.py --exe build/windows/pinball.exe \\
      --out build/windows/e2e
"""

import math
import os
import time
import unittest

import pinball_e2e as e2e
from pinball_e2e import BLACK, BLUE, GREEN, RED, WHITE, centre, components, run

# Menu items by their names in the resource script (see e2e.menu_keys).
FILE_EDIT, FILE_CLEAR, FILE_SAVE_AS, FILE_QUIT = (("File", "Edit"), ("File", "Clear"), ("File", "Save As..."),
                                                  ("File", "Quit"))
COLOR_RED, COLOR_GREEN, COLOR_BLUE = ("Color", "Red"), ("Color", "Green"), ("Color", "Blue")
SHAPE_CIRCLE, SHAPE_BOX, SHAPE_TRIANGLE, SHAPE_POLYGON = (("Shape", "Circle"), ("Shape", "Box"),
                                                          ("Shape", "Triangle"), ("Shape", "Polygon"))
CREATE_PINBALL = ("Pinball", "Create Pinball")
HELP_INSTRUCTIONS = ("Help", "Instructions")
RADIUS_1_5 = ("Pinball", "Set Radius", "x 1.5")
SPEED_1, SPEED_3 = ("Pinball", "Set Speed", "x 1"), ("Pinball", "Set Speed", "x 3")
EXAMPLE_STADIUM = ("File", "Examples", "Stadium")

GUIDE = ""  # where the user guide's picture goes too, if anywhere

# A blue box alone, as the program writes it.
BLUE_BOX_TABLE = ("pinball-table 1\ndrawing filled\n"
                  "wall 0 0 792 0 #ff0000\nwall 792 0 792 554 #ff0000\n"
                  "wall 0 0 0 554 #ff0000\nwall 0 554 792 554 #ff0000\n"
                  "wall 300 200 300 260 #0000ff\nwall 380 260 300 260 #0000ff\n"
                  "wall 300 200 380 200 #0000ff\nwall 380 260 380 200 #0000ff\n"
                  "box 300 200 380 260 #0000ff 4\n")


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def bounds(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return min(xs), max(xs), min(ys), max(ys)


class Editor(e2e.Program):
    """The running program, with the client area mapped to the X window."""

    def __init__(self, name, args=(), caption=e2e.CAPTION):
        super().__init__(name, args, caption)
        self.menu_bar = None

    def client(self):
        shot = e2e.screenshot(self.window)
        client = e2e.client_area(shot)
        if client is not None and self.menu_bar is None:
            self.menu_bar = shot.height - client.height
        return client

    def wait_until(self, what, check, timeout=10):
        """Polls screenshots until check(client) is true; returns the client."""
        deadline = time.monotonic() + timeout
        while True:
            client = self.client()
            if client is not None and check(client):
                return client
            if time.monotonic() > deadline:
                if client is not None:
                    client.save_ppm(os.path.join(e2e.OUT, "failed-%s.ppm" % what.replace(" ", "-")))
                raise AssertionError("not seen within %d s: %s" % (timeout, what))
            time.sleep(0.05)

    def menu(self, item):
        """Chooses a menu item, given by its path of names, with the keys."""
        self.keys_fast(*e2e.menu_keys(*item))

    def keys_fast(self, *keys):
        run("xdotool", "windowfocus", "--sync", self.window)
        run("xdotool", "key", "--delay", "40", *keys)

    def click(self, x, y, button=1):
        """A click at client coordinates."""
        run("xdotool", "mousemove", "--window", self.window, str(x), str(y + self.menu_bar),
            "click", str(button))

    def wait_for_popup_at(self, x, y, timeout=10):
        """Polls the screen (a popup menu is a window of its own, missing from the
        main window's screenshots) until something other than the scene covers
        client point (x, y)."""
        geometry = dict(line.split("=") for line in
                        run("xdotool", "getwindowgeometry", "--shell", self.window).split())
        sx, sy = int(geometry["X"]) + x, int(geometry["Y"]) + self.menu_bar + y
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if e2e.screenshot("root").at(sx, sy) not in (BLACK, BLUE):
                return
            time.sleep(0.05)
        raise AssertionError("no popup over (%d, %d) within %d s" % (x, y, timeout))

    def mark(self, x, y, colour):
        """A left click in edit mode, seen through the pixel that marks a pending point."""
        self.click(x, y)
        self.wait_until("point (%d, %d) marked" % (x, y), lambda c: c.at(x, y) == colour)

    def still(self, colour, seconds=0.3):
        """The pixels of one colour on two screenshots `seconds` apart."""
        first = self.client().pixels_of(colour)
        time.sleep(seconds)
        return first, self.client().pixels_of(colour)

    def wait_still(self, what, colour, timeout=10):
        """Polls until the pixels of one colour stop changing."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            first, second = self.still(colour, 0.15)
            if first == second:
                return
        raise AssertionError("still moving after %d s: %s" % (timeout, what))

    def wait_moving(self, what, colour=GREEN):
        """Waits for the one ball of this colour to show, then to move."""
        where = ball_centre(self.wait_until(what, lambda c: ball_centre(c, colour) is not None),
                            colour)
        return self.wait_until(what, moved_from(where, colour))

    def wait_for_caption(self, caption, timeout=10):
        deadline = time.monotonic() + timeout
        while True:
            now = run("xdotool", "getwindowname", self.window).strip()
            if now == caption:
                return
            if time.monotonic() > deadline:
                raise AssertionError("the caption is %r, not %r" % (now, caption))
            time.sleep(0.05)

    def wait_for_box(self, caption, present, timeout=10):
        """Polls for a visible window of this caption to show (or to go)."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = run("xdotool", "search", "--onlyvisible", "--name",
                        "^%s$" % caption.replace("*", "\\*"),
                        check=False).split()
            if bool(found) == present:
                return found[0] if found else None
            time.sleep(0.05)
        raise AssertionError("the %s box did not %s" % (caption, "show" if present else "go"))


def ball_centre(client, colour=GREEN):
    balls = [b for b in components(client.pixels_of(colour)) if 40 <= len(b) <= 120]
    return centre(balls[0]) if len(balls) == 1 else None


def moved_from(where, colour=GREEN):
    def check(client):
        now = ball_centre(client, colour)
        return now is not None and (abs(now[0] - where[0]) + abs(now[1] - where[1])) > 2
    return check


class Editing(unittest.TestCase):

    def start(self, name, args=(), caption=e2e.CAPTION):
        program = Editor(name, args, caption)
        self.addCleanup(program.close)
        program.wait_for_window()
        program.wait_for_scene()
        program.client()
        return program

    def quit(self, program, changed=True):
        program.menu(FILE_QUIT)
        if changed:
            program.answer_save_changes("n")  # do not save the edits
        code = program.wait_for_exit()
        self.assertEqual(code, 0, "exit code")
        deadline = time.monotonic() + 10
        while e2e.program_processes() and time.monotonic() < deadline:
            time.sleep(0.1)
        self.assertEqual(e2e.program_processes(), [], "pinball.exe processes left behind")

    def test_box_ball_and_the_standstill_of_modal_loops(self):
        p = self.start("editing")

        # Edit mode freezes the default scene's balls; Clear leaves an empty field.
        p.menu(FILE_EDIT)
        p.wait_still("balls in edit mode", GREEN)
        p.menu(FILE_CLEAR)
        p.wait_until("scene cleared", lambda c: not c.pixels_of(WHITE) and not c.pixels_of(RED))

        # A blue box between two clicks.
        p.menu(SHAPE_BOX)
        p.menu(COLOR_BLUE)
        p.mark(150, 150, BLUE)
        p.click(300, 250)
        client = p.wait_until("blue box", lambda c: len(c.pixels_of(BLUE)) > 1000)
        blue = client.pixels_of(BLUE)
        self.assertEqual(bounds(blue), (150, 300, 150, 250))
        self.assertEqual(len(blue), 151 * 101)

        # A turns it into its outline.
        p.keys_fast("a")
        client = p.wait_until("outlined box", lambda c: c.at(225, 200) == BLACK)
        blue = client.pixels_of(BLUE)
        self.assertEqual(bounds(blue), (150, 300, 150, 250))
        self.assertEqual(len(blue), 2 * 151 + 2 * 99)

        # A click on it and a click elsewhere centre it on the second click.
        p.mark(160, 160, BLUE)
        p.click(500, 300)
        client = p.wait_until("box moved", lambda c: c.at(150, 200) == BLACK)
        self.assertEqual(bounds(client.pixels_of(BLUE)), (425, 575, 250, 350))

        # Picked again, Delete takes it away: it collapses to the single
        # pixel at the top-left corner, like a deleted circle or triangle.
        p.mark(500, 300, BLUE)
        p.keys_fast("Delete")
        client = p.wait_until("box deleted", lambda c: c.at(425, 300) == BLACK)
        self.assertEqual(client.pixels_of(BLUE), [(0, 0)])

        # A ball: its start, then a point in its direction; it waits for the end of edit mode.
        p.keys_fast("a")
        p.menu(COLOR_GREEN)
        p.menu(CREATE_PINBALL)
        p.mark(400, 300, GREEN)
        p.click(400, 200)
        client = p.wait_until("ball made", lambda c: ball_centre(c) is not None)
        start = ball_centre(client)
        self.assertLess(abs(start[0] - 400) + abs(start[1] - 300), 1.5, start)
        first, second = p.still(GREEN)
        self.assertEqual(first, second, "a ball moved in edit mode")
        p.menu(FILE_EDIT)
        client = p.wait_until("ball moving", moved_from(start))
        self.assertLess(abs(ball_centre(client)[0] - 400), 1.5, "it travels straight up and down")

        # An open menu stops the simulation until it closes.
        p.keys_fast("F10", "Down")
        p.wait_for_popup_at(35, 40)
        first, second = p.still(GREEN)
        self.assertTrue(first)
        self.assertEqual(first, second, "a ball moved while the menu was open")
        p.keys_fast("Escape", "Escape")
        p.wait_moving("ball moving after the menu")

        # So does the Instructions box (which may hide the ball); its OK button closes it.
        p.menu(HELP_INSTRUCTIONS)
        box = p.wait_for_box("Instructions", True)
        first, second = p.still(GREEN)
        self.assertEqual(first, second, "a ball moved while the box was open")
        run("xdotool", "windowfocus", "--sync", box, "key", "Return")
        p.wait_for_box("Instructions", False)
        p.wait_moving("ball moving after the box")

        self.quit(p)

    def test_balls_straight_up_stay_in_the_field(self):
        """Balls sent straight up from whole pixels land their rims exactly on the top
        wall's line; they must bounce there, not slip out of the field."""
        p = self.start("border")
        p.menu(FILE_EDIT)
        p.menu(FILE_CLEAR)
        p.wait_until("scene cleared", lambda c: not c.pixels_of(WHITE) and not c.pixels_of(RED))
        p.menu(CREATE_PINBALL)
        # Speed 1 from (200, 300); speed 3 from (600, 302), whose rim reaches y = 0 in whole steps.
        for colour_item, colour, speed_item, x, y in ((COLOR_GREEN, GREEN, SPEED_1, 200, 300),
                                                       (COLOR_BLUE, BLUE, SPEED_3, 600, 302)):
            p.menu(colour_item)
            p.menu(speed_item)
            p.mark(x, y, colour)
            p.click(x, y - 50)
            p.wait_until("ball at %d" % x, lambda c, colour=colour: ball_centre(c, colour))
        p.menu(FILE_EDIT)
        # At 64 passes a second the speed-1 ball's rim reaches the top wall after
        # about 4.6 s (the speed-3 ball's after 1.5 s); both are back down by 9 s.
        deadline = time.monotonic() + 9
        seen = {GREEN: [], BLUE: []}
        while time.monotonic() < deadline:
            client = p.client()
            for colour, x in ((GREEN, 200), (BLUE, 600)):
                where = ball_centre(client, colour)
                self.assertIsNotNone(where, "a ball left the field")
                self.assertLess(abs(where[0] - x), 1.5, "it travels straight up and down")
                seen[colour].append(round(where[1]))
            time.sleep(0.25)
        for colour in (GREEN, BLUE):
            ys = seen[colour]
            self.assertGreater(len(set(ys)), 5, "a ball stopped moving")
            top = ys.index(min(ys))
            self.assertLess(ys[top], 100, "a ball did not reach the top wall: %s" % ys)
            self.assertGreater(max(ys[top:]), ys[top] + 20, "a ball stayed at the top: %s" % ys)
        self.quit(p)

    def test_a_table_from_the_command_line_saved_through_the_dialog(self):
        table = BLUE_BOX_TABLE
        source = os.path.join(e2e.OUT, "blue box.pinball")
        saved = os.path.join(e2e.OUT, "saved.pinball")
        with open(source, "w") as f:
            f.write(table)
        if os.path.exists(saved):
            os.remove(saved)
        p = Editor("table", [windows_path(source)], "blue box - Pinball Simulation")
        self.addCleanup(p.close)
        p.wait_for_window()
        client = p.wait_until("the table's box", lambda c: c.at(340, 230) == BLUE)
        self.assertFalse(client.pixels_of(RED) or client.pixels_of(WHITE), "the default scene shows")
        p.menu(FILE_SAVE_AS)
        dialog = p.wait_for_box("Save As", True)
        run("xdotool", "windowfocus", "--sync", dialog, "key", "ctrl+a", "BackSpace")
        run("xdotool", "type", "--delay", "20", windows_path(saved))
        run("xdotool", "key", "Return")
        deadline = time.monotonic() + 10
        while not os.path.exists(saved) and time.monotonic() < deadline:
            time.sleep(0.1)
        with open(saved) as f:
            self.assertEqual(f.read(), table)
        p.window = None
        p.caption = "saved - Pinball Simulation"
        p.wait_for_window()
        self.quit(p, changed=False)

    def test_a_table_too_slow_to_run_stops_its_balls_and_says_so(self):
        """12,000 balls on one spot meet each other every tick: after a few slow frames
        the balls stand still, the box says why, and the menus answer."""
        source = os.path.join(e2e.OUT, "slow.pinball")
        directions = ["%.9f %.9f" % (math.cos(k * 0.785), math.sin(k * 0.785)) for k in range(8)]
        with open(source, "w") as f:
            f.write("".join(BLUE_BOX_TABLE.splitlines(True)[:6]) +  # the border walls
                    "".join("ball 400 200 %s 3 10 #00ff00\n" % directions[k % 8] for k in range(12000)))
        p = Editor("slow", [windows_path(source)], "slow - Pinball Simulation")
        self.addCleanup(p.close)
        p.wait_for_window()
        box = p.wait_for_box(e2e.CAPTION, True, timeout=60)
        run("xdotool", "windowfocus", "--sync", box, "key", "Return")
        p.wait_for_box(e2e.CAPTION, False)
        first, second = p.still(GREEN, 0.5)
        self.assertTrue(first, "no balls drawn")
        self.assertEqual(first, second, "the balls still move")
        self.quit(p, changed=False)

    def test_a_table_named_in_cyrillic_keeps_its_name_through_ctrl_s(self):
        """The command line, the caption and the file calls carry the name whole."""
        name = "таблица"
        source = os.path.join(e2e.OUT, name + ".pinball")
        with open(source, "w") as f:
            f.write(BLUE_BOX_TABLE)
        caption = name + " - Pinball Simulation"
        p = Editor("cyrillic", [windows_path(source)], caption)
        self.addCleanup(p.close)
        p.wait_for_window()
        p.wait_until("the table's box", lambda c: c.at(340, 230) == BLUE)
        p.client()
        self.assertEqual(run("xdotool", "getwindowname", p.window).strip(), caption)
        p.keys_fast("a")  # outlined: a change, marked in the caption
        p.wait_for_box("*" + caption, True)
        p.keys_fast("ctrl+s")
        p.wait_for_box(caption, True)
        with open(source) as f:
            self.assertEqual(f.read(), BLUE_BOX_TABLE.replace("filled", "outlined"))
        self.assertEqual(sorted(f for f in os.listdir(e2e.OUT) if name in f),
                         [name + ".pinball"], "a stray file beside the table")
        self.quit(p, changed=False)

    # Wine 8's own Save As dialog still ends the program on such a name in some
    # folders (a fresh clone under /tmp), inside the dialog and whatever the
    # name box is limited to; the program's own buffers and long paths are
    # checked by the Win32 layer's file name test.
    @unittest.skip("Wine 8's file dialog crashes on a 300-character name in some folders")
    def test_a_name_of_300_characters_in_save_as_is_refused_not_a_crash(self):
        """Wine's dialog ended the program on a name past its 260 characters."""
        p = self.start("long-name")
        p.menu(FILE_SAVE_AS)
        dialog = p.wait_for_box("Save As", True)
        long_path = windows_path(os.path.join(e2e.OUT, "x" * 300))
        run("xdotool", "windowfocus", "--sync", dialog, "key", "ctrl+a", "BackSpace")
        run("xdotool", "type", "--delay", "5", long_path)
        run("xdotool", "key", "Return")
        time.sleep(2)
        self.assertIsNone(p.proc.poll(), "the program ended")
        for name in ("Program Error", "Wine Debugger"):
            self.assertFalse(run("xdotool", "search", "--name", name, check=False).split(), name)
        saved = [f for f in os.listdir(e2e.OUT) if f.startswith("x" * 100)]
        self.assertTrue(all(len(os.path.join(e2e.OUT, f)) < 260 for f in saved), saved)
        for f in saved:
            os.remove(os.path.join(e2e.OUT, f))
        p.close()

    def test_ctrl_z_takes_a_ball_back_and_ctrl_y_returns_it(self):
        p = self.start("undo")
        p.menu(FILE_EDIT)
        p.menu(CREATE_PINBALL)
        p.mark(400, 300, RED)
        p.click(450, 300)
        p.wait_until("ball made", lambda c: ball_centre(c, RED) is not None)
        p.keys_fast("ctrl+z")
        p.wait_until("ball taken back", lambda c: ball_centre(c, RED) is None)
        p.keys_fast("ctrl+y")
        p.wait_until("ball returned", lambda c: ball_centre(c, RED) is not None)
        self.quit(p)

    def test_space_period_comma_and_t(self):
        """Space pauses, '.' steps one tick, ',' steps back to exactly where the balls
        stood, and T draws each ball's trail, darker, until T again."""
        p = self.start("time")
        p.keys_fast("space")
        p.wait_still("balls paused", GREEN)
        paused = p.client().pixels_of(GREEN)
        time.sleep(0.3)
        self.assertEqual(p.client().pixels_of(GREEN), paused, "a paused ball moved")
        p.keys_fast("period")
        p.wait_until("one step", lambda c: c.pixels_of(GREEN) != paused)
        p.keys_fast("comma")
        p.wait_until("one step back", lambda c: c.pixels_of(GREEN) == paused)
        trail = (0, 127, 0)
        p.keys_fast("t", "space")
        p.wait_until("trails", lambda c: len(c.pixels_of(trail)) > 100)
        p.keys_fast("t")
        p.wait_until("no trails", lambda c: not c.pixels_of(trail))
        # An example from the menu: the stadium's walls, and no default scene.
        p.menu(EXAMPLE_STADIUM)
        p.wait_until("the stadium", lambda c: len(c.pixels_of((0, 192, 255))) > 1000
                     and not c.pixels_of(WHITE))
        self.quit(p, changed=False)

    def test_undo_never_crosses_an_open(self):
        """A change to the untitled table is marked; a table opened over it (not saved)
        has no Undo back into it, so Ctrl+S writes the opened file as it was."""
        opened = os.path.join(e2e.OUT, "opened.pinball")
        with open(opened, "w") as f:
            f.write(BLUE_BOX_TABLE)
        p = self.start("open-undo")
        p.menu(FILE_EDIT)
        p.menu(FILE_CLEAR)
        p.wait_for_caption("*Untitled - Pinball Simulation")
        p.keys_fast("ctrl+o")
        p.answer_save_changes("n")
        dialog = p.wait_for_box("Open", True)
        run("xdotool", "windowfocus", "--sync", dialog, "key", "ctrl+a", "BackSpace")
        run("xdotool", "type", "--delay", "20", windows_path(opened))
        run("xdotool", "key", "Return")
        p.wait_for_caption("opened - Pinball Simulation")
        p.wait_until("the opened table's box", lambda c: c.at(340, 230) == BLUE)
        written = os.stat(opened).st_mtime_ns
        p.keys_fast("ctrl+z", "ctrl+s")
        deadline = time.monotonic() + 10
        while os.stat(opened).st_mtime_ns == written and time.monotonic() < deadline:
            time.sleep(0.1)
        self.assertNotEqual(os.stat(opened).st_mtime_ns, written, "Ctrl+S wrote nothing")
        with open(opened) as f:
            self.assertEqual(f.read(), BLUE_BOX_TABLE)
        self.assertEqual(p.client().at(340, 230), BLUE, "Ctrl+Z brought back the cleared table")
        p.wait_for_caption("opened - Pinball Simulation")
        # Ctrl+N: an unchanged table gives way to a new one without a question.
        p.keys_fast("ctrl+n")
        p.wait_for_caption("Pinball Simulation")
        p.wait_until("the new table", lambda c: not c.pixels_of(BLUE))
        self.quit(p, changed=False)

    def test_a_scene_of_every_kind_for_the_user_guide(self):
        p = self.start("guide")
        p.menu(FILE_EDIT)
        # A green disc by centre and rim, a blue box, a red triangle, a green polygon
        # closed by a right click, and two big red balls.
        p.menu(COLOR_GREEN)
        p.menu(SHAPE_CIRCLE)
        p.mark(680, 260, GREEN)
        p.click(680, 300)
        p.wait_until("disc", lambda c: c.at(680, 290) == GREEN)
        p.menu(COLOR_BLUE)
        p.menu(SHAPE_BOX)
        p.mark(60, 180, BLUE)
        p.click(140, 300)
        p.wait_until("box", lambda c: c.at(100, 290) == BLUE)
        p.menu(COLOR_RED)
        p.menu(SHAPE_TRIANGLE)
        p.mark(520, 470, RED)
        p.mark(640, 500, RED)
        p.click(560, 420)
        p.wait_until("triangle", lambda c: c.at(565, 470) == RED)
        p.menu(COLOR_GREEN)
        p.menu(SHAPE_POLYGON)
        for x, y in ((160, 450), (260, 430), (330, 500)):
            p.mark(x, y, GREEN)
        p.click(200, 520, button=3)
        p.wait_until("polygon closed", lambda c: sum(
            1 for x, y in c.pixels_of(GREEN) if x < 200 and 455 < y < 515) > 30)
        p.menu(COLOR_RED)
        p.menu(RADIUS_1_5)
        p.menu(CREATE_PINBALL)
        for start, towards in (((300, 200), (340, 170)), ((450, 320), (400, 330))):
            p.mark(*start, RED)
            p.click(*towards)
        p.wait_until("two balls", lambda c: sum(
            1 for b in components(c.pixels_of(RED)) if 550 <= len(b) <= 1000) >= 2)
        p.menu(FILE_EDIT)
        time.sleep(0.4)
        png = os.path.join(e2e.OUT, "editing.png")
        run("import", "-window", p.window, png)
        if GUIDE:
            run("cp", png, GUIDE)
        self.quit(p)


def main():
    global GUIDE
    args, rest = e2e.command_line(
        ("--guide", dict(default="", help="where to copy the user guide's picture too")))
    GUIDE = args.guide
    e2e.run_cases(rest)


if __name__ == "__main__":
    main()
