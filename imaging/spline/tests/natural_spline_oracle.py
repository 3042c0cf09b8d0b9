#!/usr/bin/python3
"""Independent natural cubic spline for the tone-curve tests, on scipy's CubicSpline.

  natural_spline_oracle.py POINTS VALUES [POINTS VALUES ...]

Each POINTS holds one "x y" pair a line, inputs strictly increasing. Its VALUES receives one line
per integer t from the first input up to (not including) the last: the spline's value at t.
Several pairs share one start of Python and scipy. Exits 77 when scipy is missing.
"""
import sys

try:
    from scipy.interpolate import CubicSpline
except ImportError:
    sys.exit(77)


def write_values(points_path, values_path):
    with open(points_path) as f:
        points = [tuple(int(v) for v in line.split()) for line in f if line.strip()]
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    curve = CubicSpline(xs, ys, bc_type="natural")
    with open(values_path, "w") as f:
        for t in range(xs[0], xs[-1]):
            f.write(repr(float(curve(t))) + "\n")


def main():
    paths = sys.argv[1:]
    for i in range(0, len(paths) - 1, 2):
        write_values(paths[i], paths[i + 1])


if __name__ == "__main__":
    main()
