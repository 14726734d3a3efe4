#!/usr/bin/env python3
"""Writes the seed inputs of the editing fuzz target into corpus/.

Each input is a list of events in the target's encoding: one byte picks the
event, then its arguments follow (16-bit words little-endian)."""
import os
import struct

EDIT, RESET, CLEAR = 40002, 40001, 40004
CIRCLE, BOX, TRIANGLE, POLYGON, BALL = 40009, 40010, 40011, 40012, 40015
OTHER_COLOR = 40034


def left(x, y): return bytes([0]) + struct.pack('<HH', x, y)
def right(x, y): return bytes([3]) + struct.pack('<HH', x, y)
def delete(): return bytes([4, 0])
def key_a(): return bytes([4, 1])
def menu(cmd): return bytes([5, cmd - 40000])
def frame(): return bytes([6])
def burst(n): return bytes([7, n - 1])
def resize(w, h): return bytes([8]) + struct.pack('<HH', w, h)
def grid(col, row, right_click=False): return bytes([9, col + 16 * row + (128 if right_click else 0)])


def clicks(*points): return b''.join(left(x, y) for x, y in points)


SEEDS = {
    'triangle_move_delete': menu(EDIT) + clicks((100, 100), (200, 100), (150, 50)) + frame()
    + clicks((150, 80), (300, 300)) + frame() + left(300, 290) + delete() + frame(),
    'box_corner_orders': menu(EDIT) + menu(BOX)
    + clicks((50, 60), (71, 85), (171, 85), (150, 60), (250, 60), (271, 85), (371, 60), (350, 85))
    + frame() + clicks((160, 70), (400, 450)) + left(260, 70) + delete() + key_a() + frame(),
    'degenerate_triangle_move': menu(EDIT) + clicks(*[(0, 0)] * 5, (100, 350), (60, 10), (60, 416))
    + frame(),
    'polygon_under_box': menu(EDIT) + menu(POLYGON) + clicks((50, 90), (50, 50), (120, 50))
    + right(120, 90) + menu(BOX) + clicks((50, 50), (120, 90), (80, 70), (300, 300))
    + left(300, 300) + delete() + frame(),
    'balls_running': menu(EDIT) + menu(BALL) + clicks((300, 300), (310, 290), (400, 100), (390, 120))
    + menu(EDIT) + burst(8) + menu(RESET) + burst(8),
    'circle_move_delete': menu(EDIT) + menu(CIRCLE) + clicks((300, 300), (330, 340), (300, 300), (500, 200))
    + left(500, 200) + delete() + key_a() + frame(),
    'resizes': resize(0, 0) + frame() + resize(65535, 65535) + frame() + resize(65535, 64) + frame()
    + resize(1, 1) + frame() + resize(64, 65535) + frame() + resize(792, 554) + frame(),
    'every_menu': b''.join(menu(40000 + k) for k in range(48) if 40000 + k != 40005)
    + bytes([5, 34, 1, 10, 20, 30]) + bytes([5, 250]) + struct.pack('<HH', 0xffff, 0x7fff) + frame(),
    'tall_triangle': menu(EDIT) + clicks((0, 0), (65535, 65535), (10, 65535)) + frame() + key_a()
    + frame() + clicks((100, 100), (65535, 200), (300, 65535)) + frame(),
    'shared_grid_points': menu(EDIT) + grid(2, 2) + grid(4, 2) + grid(3, 1) + menu(BOX) + grid(2, 2)
    + grid(4, 4) + menu(POLYGON) + grid(2, 4) + grid(2, 2) + grid(4, 2) + grid(4, 4, True)
    + grid(3, 3) + grid(8, 6) + frame() + grid(3, 2) + grid(10, 5) + bytes([4, 0]) + frame(),
    'huge_circle': menu(EDIT) + menu(CIRCLE) + clicks((396, 53176), (396, 277)) + frame()
    + clicks((0, 65535), (65535, 0)) + burst(4),
    'clear_then_build': menu(CLEAR) + menu(EDIT) + menu(BOX) + clicks((10, 10), (65535, 65535))
    + clicks((20, 20), (700, 500)) + frame() + menu(CLEAR) + frame(),
}

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
os.makedirs(here, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(here, name), 'wb') as f:
        f.write(data)
