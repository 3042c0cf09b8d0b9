#!/usr/bin/python3
"""Draws the dialogs' pictures into the folder given: the tone picker's picture of tones
(gray_Bitmap.tiff, 201 x 81: warm to cool across, dark to light upward), its marker (-7758.tiff,
a ring on magenta, which the picker makes transparent) and the clock cursor's eight frames
(clockCursor1.tiff to clockCursor8.tiff, 16 x 16, the hand turned by an eighth each), and the
history lists' icons (16 x 16): the default favourite's filled star (mark.tiff), the other
favourites' outlined star (no_mark.tiff) and a past print's sheet (mark2.tiff)."""
import math
import pathlib
import sys

from PIL import Image, ImageDraw

TONE_SIZE = (201, 81)
MARKER_SIZE = 11
CURSOR_SIZE = 16
CURSOR_FRAMES = 8
ICON_SIZE = 16
STAR_POINTS = 5
GOLD = (230, 170, 20, 255)
GREY = (120, 120, 120, 255)
MAGENTA = (255, 0, 255)


def tone_picture():
    width, height = TONE_SIZE
    picture = Image.new("RGB", TONE_SIZE)
    for y in range(height):
        light = 0.35 + 0.5 * (height - 1 - y) / (height - 1)
        for x in range(width):
            warmth = (x - (width - 1) / 2) / ((width - 1) / 2)  # -1 cool .. 1 warm
            red = light * (1 + 0.12 * warmth)
            blue = light * (1 - 0.12 * warmth)
            picture.putpixel((x, y), tuple(min(255, round(255 * v)) for v in (red, light, blue)))
    return picture


def marker():
    picture = Image.new("RGB", (MARKER_SIZE, MARKER_SIZE), MAGENTA)
    draw = ImageDraw.Draw(picture)
    draw.ellipse((0, 0, MARKER_SIZE - 1, MARKER_SIZE - 1), outline=(255, 255, 255), width=2)
    draw.ellipse((2, 2, MARKER_SIZE - 3, MARKER_SIZE - 3), outline=(0, 0, 0), width=1)
    return picture


def cursor_frame(frame):
    picture = Image.new("RGBA", (CURSOR_SIZE, CURSOR_SIZE), (0, 0, 0, 0))
    draw = ImageDraw.Draw(picture)
    draw.ellipse((1, 1, CURSOR_SIZE - 2, CURSOR_SIZE - 2), fill=(255, 255, 255, 255),
                 outline=(0, 0, 0, 255))
    centre = (CURSOR_SIZE - 1) / 2
    angle = 2 * math.pi * frame / CURSOR_FRAMES
    tip = (centre + 5 * math.sin(angle), centre - 5 * math.cos(angle))
    draw.line((centre, centre) + tip, fill=(0, 0, 0, 255), width=2)
    return picture


def star(fill, outline):
    picture = Image.new("RGBA", (ICON_SIZE, ICON_SIZE), (0, 0, 0, 0))
    centre = (ICON_SIZE - 1) / 2
    corners = []
    for corner in range(2 * STAR_POINTS):
        radius = 7.5 if corner % 2 == 0 else 3.2
        angle = math.pi * corner / STAR_POINTS
        corners.append((centre + radius * math.sin(angle), centre + 0.5 - radius * math.cos(angle)))
    ImageDraw.Draw(picture).polygon(corners, fill=fill, outline=outline)
    return picture


def sheet():
    picture = Image.new("RGBA", (ICON_SIZE, ICON_SIZE), (0, 0, 0, 0))
    draw = ImageDraw.Draw(picture)
    draw.rectangle((3, 1, 12, 14), fill=(255, 255, 255, 255), outline=GREY)
    for line in (4, 7, 10):
        draw.line((5, line, 10, line), fill=GREY)
    return picture


def main():
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    tone_picture().save(folder / "gray_Bitmap.tiff")
    marker().save(folder / "-7758.tiff")
    for frame in range(CURSOR_FRAMES):
        cursor_frame(frame).save(folder / f"clockCursor{frame + 1}.tiff")
    star(GOLD, (150, 100, 0, 255)).save(folder / "mark.tiff")
    star((0, 0, 0, 0), GREY).save(folder / "no_mark.tiff")
    sheet().save(folder / "mark2.tiff")


if __name__ == "__main__":
    main()
