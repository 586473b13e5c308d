#!/usr/bin/env python3
"""Writes random shape cases for gdi_oracle, one per line, covering every primitive the canvas draws.

The format is described in gdi_oracle.cpp. A fixed seed keeps the file reproducible.
With the argument "ellipses" it writes a sweep of ellipse box sizes instead.
"""
import random
import sys

SIZE = 64
PENS = ["000000", "0000FF", "FF0000", "808080"]
BRUSHES = ["00FF00", "C0C0C0", "00FFFF", "FF00FF"]

rng = random.Random(20261209)


def coordinate(spread=8):
    return rng.randint(-spread, SIZE - 1 + spread)


def point(spread=8):
    return (coordinate(spread), coordinate(spread))


def near(p, reach):
    return (p[0] + rng.randint(-reach, reach), p[1] + rng.randint(-reach, reach))


def command(kind, points, width=1, style="S", mode="C", brush="-", pen=None):
    pen = pen or rng.choice(PENS)
    coordinates = " ".join(f"{x} {y}" for x, y in points)
    return f"{kind} {pen} {width} {style} {mode} {brush} {coordinates}"


def background():
    """A coloured block under inverting shapes, so inversion is seen on more than white."""
    a, b = point(0), point(0)
    return command("F", [a, b], brush=rng.choice(BRUSHES))


def line_case():
    start = point()
    roll = rng.random()
    if roll < 0.1:
        end = start
    elif roll < 0.5:
        end = near(start, 12)
    elif roll < 0.6:
        end = (start[0] + rng.choice([-1, 1]) * rng.randint(0, 40), start[1])
    elif roll < 0.7:
        end = (start[0], start[1] + rng.choice([-1, 1]) * rng.randint(0, 40))
    elif roll < 0.8:
        d = rng.randint(-30, 30)
        end = (start[0] + d, start[1] + rng.choice([-1, 1]) * d)
    else:
        end = point(40)
    return [start, end]


def line_cases(count):
    cases = []
    for i in range(count):
        style = "D" if i % 5 == 4 else "S"
        width = 1 if style == "D" else rng.choice([1, 1, 2, 3])
        mode = "I" if i % 7 == 3 else "C"
        parts = [background()] if mode == "I" else []
        lines = line_case() + (line_case() if i % 3 == 0 else [])
        parts.append(command("L", lines, width, style, mode))
        cases.append(parts)
    return cases


def polyline_points():
    count = rng.randint(2, 7)
    first = point()
    points = [first]
    for _ in range(count - 1):
        points.append(near(points[-1], 20) if rng.random() < 0.7 else point())
    if rng.random() < 0.2:
        points.append(first)
    return points


def polyline_cases(count):
    cases = []
    for i in range(count):
        style = "D" if i % 6 == 5 else "S"
        width = 1 if style == "D" else rng.choice([1, 2, 3, 3])
        mode = "I" if i % 4 == 1 else "C"
        parts = [background()] if mode == "I" and i % 8 == 1 else []
        kind = "M" if i % 5 == 2 else "P"
        parts.append(command(kind, polyline_points(), width, style, mode))
        cases.append(parts)
    return cases


def polygon_points():
    count = rng.randint(3, 7)
    centre = point(0)
    reach = rng.choice([3, 6, 15, 30])
    points = [near(centre, reach) for _ in range(count)]
    return points


def polygon_cases(count):
    cases = []
    for i in range(count):
        pen_style = "N" if i % 4 == 0 else "S"
        brush = "-" if i % 6 == 5 else rng.choice(BRUSHES)
        mode = "I" if i % 9 == 4 else "C"
        width = rng.choice([1, 1, 2, 3]) if pen_style == "S" else 1
        cases.append([command("G", polygon_points(), width, pen_style, mode, brush)])
    return cases


def box(max_size):
    left, top = point(4)
    width, height = rng.randint(-3, max_size), rng.randint(-3, max_size)
    corners = [(left, top), (left + width, top + height)]
    if rng.random() < 0.2:
        corners.reverse()
    return corners


def rectangle_cases(count):
    cases = []
    for i in range(count):
        pen_style = "N" if i % 5 == 0 else "S"
        brush = "-" if i % 6 == 5 else rng.choice(BRUSHES)
        mode = "I" if i % 7 == 3 else "C"
        parts = [background()] if mode == "I" else []
        width = rng.choice([1, 1, 2, 3]) if pen_style == "S" else 1
        parts.append(command("R", box(rng.choice([4, 12, 40])), width, pen_style, mode, brush))
        cases.append(parts)
    return cases


def ellipse_cases(count):
    cases = []
    for i in range(count):
        pen_style = "N" if i % 5 == 0 else "S"
        brush = "-" if i % 6 == 5 else rng.choice(BRUSHES)
        mode = "I" if i % 9 == 4 else "C"
        corners = box(rng.choice([3, 6, 12, 30, 60]))
        if i % 10 == 1:
            left, top = point(0)
            corners = [(left - 4, top - 4), (left + 5, top + 5)]
        cases.append([command("E", corners, 1, pen_style, mode, brush)])
    return cases


def fill_cases(count):
    return [[command("F", box(rng.choice([3, 20, 80])), brush=rng.choice(BRUSHES))] for _ in range(count)]


def ellipse_sweep():
    """Every box size up to 24 x 24, outline and fill, to pin down GDI's ellipse shape."""
    return [[command("E", [(4, 4), (4 + w, 4 + h)], 1, "S", "C", "00FF00", "000000")]
            for w in range(1, 25) for h in range(1, 25)]


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "ellipses":
        for parts in ellipse_sweep():
            print("; ".join(parts))
        return
    cases = (line_cases(140) + polyline_cases(100) + polygon_cases(80) + rectangle_cases(50) +
             ellipse_cases(60) + fill_cases(15))
    for parts in cases:
        print("; ".join(parts))


main()
