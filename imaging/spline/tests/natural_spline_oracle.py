#!/usr/bin/python3
"""Independent natural cubic spline for the tone-curve tests, on scipy's CubicSpline.

  natural_spline_oracle.py POINTS VALUES

POINTS holds one "x y" pair a line, inputs strictly increasing. VALUES receives one line per
integer t from the first input up to (not including) the last: the spline's value at t.
Exits 77 when scipy is missing.
"""
import sys

try:
    from scipy.interpolate import CubicSpline
except ImportError:
    sys.exit(77)


def main():
    with open(sys.argv[1]) as f:
        points = [tuple(int(v) for v in line.split()) for line in f if line.strip()]
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    curve = CubicSpline(xs, ys, bc_type="natural")
    with open(sys.argv[2], "w") as f:
        for t in range(xs[0], xs[-1]):
            f.write(repr(float(curve(t))) + "\n")


if __name__ == "__main__":
    main()
