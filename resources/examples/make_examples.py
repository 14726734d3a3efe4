#!/usr/bin/env python3
"""Writes the classic tables of File > Examples as .pinball files beside this
script. Each table's outline is a polygon (drawn as lines, so that trails show
through) with one wall for each of its edges; balls start inside it.

    python3 resources/examples/make_examples.py
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
BORDER = ["wall 0 0 792 0", "wall 792 0 792 554", "wall 0 0 0 554", "wall 0 554 792 554"]
WHITE, CYAN = "#ffffff", "#00c0ff"


def num(v):
    """A number as the reader takes it: plain decimal, at most 7 places."""
    text = f"{v:.7f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def arc(cx, cy, r, start, end, pieces):
    """Points of a circle's arc from angle start to end (radians, y down), both ends included."""
    return [(cx + r * math.cos(start + (end - start) * k / pieces),
             cy + r * math.sin(start + (end - start) * k / pieces)) for k in range(pieces + 1)]


def dedupe(points):
    out = []
    for p in points:
        q = (round(p[0], 4), round(p[1], 4))
        if not out or out[-1] != q:
            out.append(q)
    if out[0] == out[-1]:
        out.pop()
    return out


def ball(x, y, degrees, colour, speed=3, radius=5, turn=0.0):
    a = math.radians(degrees) + turn
    return f"ball {num(x)} {num(y)} {num(math.cos(a))} {num(math.sin(a))} {speed} {radius} {colour}"


def table(name, outline, balls, circles=()):
    points = dedupe(outline)
    lines = ["pinball-table 1", f"# {name}", "drawing filled"]
    lines += [w + " " + CYAN for w in BORDER]
    for k, (x, y) in enumerate(points):
        nx, ny = points[(k + 1) % len(points)]
        lines.append(f"wall {num(x)} {num(y)} {num(nx)} {num(ny)} {CYAN}")
    lines += [f"circle {num(x)} {num(y)} {num(r)} {WHITE}" for x, y, r in circles]
    for k, (x, y) in enumerate(points):
        kind = 0 if k == 0 else 2 if k == len(points) - 1 else 1
        lines.append(f"vertex {num(x)} {num(y)} {CYAN} {kind}")
    lines += balls
    return "\n".join(lines) + "\n"


def stadium():
    # Two half-discs of radius 275 joined by straight walls 238 pixels long,
    # 2 pixels inside the field; each half-disc is 32 short walls.
    r, top, left, right = 275, 2, 277, 515
    return ([(left, top)] + arc(right, top + r, r, -math.pi / 2, math.pi / 2, 32) +
            arc(left, top + r, r, math.pi / 2, 3 * math.pi / 2, 32))


def write(file, text):
    with open(os.path.join(HERE, file), "w", newline="\n") as out:
        out.write(text)


def main():
    square = [(146, 27), (646, 27), (646, 527), (146, 527)]
    write("sinai.pinball", table("Sinai billiard", square,
                                 [ball(200, 80, 33, "#00ff00"), ball(590, 470, 200, "#ff4040"),
                                  ball(210, 450, -61, "#ffff00")],
                                 circles=[(396, 277, 100)]))
    write("stadium.pinball", table("Stadium", stadium(),
                                   [ball(300, 120, 21, "#00ff00"), ball(480, 420, 157, "#ff4040"),
                                    ball(120, 300, -77, "#ffff00")]))
    cap = arc(396, 300, 250, math.pi, 2 * math.pi, 48)
    mushroom = [(336, 540), (336, 300)] + cap + [(456, 300), (456, 540)]
    write("mushroom.pinball", table("Mushroom", mushroom,
                                    [ball(396, 150, 12, "#00ff00"), ball(396, 500, 97, "#ff4040"),
                                     ball(250, 260, -140, "#ffff00")]))
    h = 500 * math.sqrt(3) / 2
    triangle = [(146, 527), (396, 527 - h), (646, 527)]
    write("triangle.pinball", table("Equilateral triangle", triangle,
                                    [ball(396, 380, 10, "#00ff00"), ball(300, 480, 73, "#ff4040"),
                                     ball(480, 470, 131, "#ffff00")]))
    # One float32 step apart at y = 12 (2^-20 pixels, about a millionth), and
    # a millionth of a radian apart in direction: a float32 sum past 16 drops
    # that step, but not the gap the directions open.
    write("two_balls.pinball", table("Two balls a millionth apart", stadium(),
                                     [ball(396, 12, 53, "#00ff00"),
                                      ball(396, 12.000001, 53, "#ff4040", turn=1e-6)],
                                     circles=[(396, 277, 60)]))


if __name__ == "__main__":
    main()
