#!/usr/bin/env python3
"""Draws the program's pictures and icons with ImageMagick (`convert`).

    python3 res/tools/make_pictures.py [output folder]   (default: res/)

Writes:
  bg10.JPG .. bg13.JPG, bg1.JPG   background of the main window, one per language and
                                  model (bg<language + 2 * model + 10>), bg1 neutral
  phone.JPG                       the handheld radio with its side key, key settings view
  icons/*.png (+ @2x)             toolbar icons and the application icon
  icons/hicolor/NxN/radioprog.png the application icon for the desktop's icon theme,
                                  rendered from icons/radioprog.svg (needs rsvg-convert,
                                  Debian: librsvg2-bin)

Needs ImageMagick 6 or 7 and the Noto Sans CJK fonts (Debian: imagemagick,
fonts-noto-cjk). The output is committed; run this only to change the pictures.
"""

import math
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.dirname(HERE)
CONVERT = shutil.which("magick") or shutil.which("convert")

FONT_LATIN = "DejaVu-Sans"
FONT_LATIN_BOLD = "DejaVu-Sans-Bold"
FONT_CJK = "Noto-Sans-CJK-SC"
FONT_CJK_BOLD = "Noto-Sans-CJK-SC-Bold"

JPEG_QUALITY = "85"

# The background is shown stretched over the main window's client area, about
# 773 x 548 at the start; drawn larger so that a maximised window stays sharp.
BG_W, BG_H = 1160, 822


def run(args):
    result = subprocess.run([CONVERT] + [str(a) for a in args], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"convert failed for {args[-1]}: {result.stderr.strip()}")


def fmt(x):
    return f"{x:.1f}"


# ---------------------------------------------------------------------------
# Background pictures


def waves(w, h, cx, cy, count, spread_deg):
    """A layer of concentric circles around (cx, cy), kept only inside two soft wedges
    that open to the left and the right (a stroked arc would be closed by ImageMagick 6,
    full circles are not)."""
    layer = ["(", "-size", f"{w}x{h}", "xc:none", "-fill", "none", "-strokewidth", "3"]
    for i in range(count):
        r = 46 + i * 44
        alpha = 0.62 * (1 - i / count) ** 1.3
        layer += ["-stroke", f"rgba(255,255,255,{alpha:.2f})",
                  "-draw", f"circle {fmt(cx)},{fmt(cy)} {fmt(cx + r)},{fmt(cy)}"]
    far = 2 * max(w, h)
    t = math.tan(math.radians(spread_deg))
    mask = ["(", "-size", f"{w}x{h}", "xc:none", "-fill", "white", "-stroke", "none",
            "-draw", f"polygon {fmt(cx)},{fmt(cy)} {fmt(cx + far)},{fmt(cy - far * t)} "
                     f"{fmt(cx + far)},{fmt(cy + far * t)}",
            "-draw", f"polygon {fmt(cx)},{fmt(cy)} {fmt(cx - far)},{fmt(cy - far * t)} "
                     f"{fmt(cx - far)},{fmt(cy + far * t)}",
            "-channel", "A", "-blur", "0x18", "+channel", ")"]
    return layer + mask + ["-compose", "DstIn", "-composite", ")",
                           "-compose", "over", "-composite"]


def signal_path(y0, amplitude, period, x0, x1, step=6):
    points = []
    x = x0
    while x <= x1:
        # The amplitude swells towards the middle, like a keyed carrier.
        envelope = math.sin(math.pi * (x - x0) / (x1 - x0))
        y = y0 + amplitude * envelope * math.sin(2 * math.pi * (x - x0) / period)
        points.append(f"{fmt(x)},{fmt(y)}")
        x += step
    return "polyline " + " ".join(points)


def tower(cx, base_y, height, color):
    """A small transmitting mast: two legs, cross braces and a beacon."""
    top = base_y - height
    half = height * 0.28
    draw = ["-fill", "none", "-stroke", color, "-strokewidth", "3",
            "-draw", f"line {fmt(cx)},{fmt(top)} {fmt(cx - half)},{fmt(base_y)}",
            "-draw", f"line {fmt(cx)},{fmt(top)} {fmt(cx + half)},{fmt(base_y)}"]
    for k in (0.35, 0.6, 0.82):
        y = top + height * k
        w = half * k
        draw += ["-strokewidth", "2",
                 "-draw", f"line {fmt(cx - w)},{fmt(y)} {fmt(cx + w)},{fmt(y)}"]
    draw += ["-stroke", "none", "-fill", color,
             "-draw", f"circle {fmt(cx)},{fmt(top)} {fmt(cx + 6)},{fmt(top)}"]
    return draw


def background(name, title_lines):
    """title_lines: (text, font, point size, colour) from top to bottom, set at the
    lower right corner."""
    w, h = BG_W, BG_H
    cx, cy = w * 0.80, h * 0.46  # source of the waves: the mast's beacon
    args = ["-size", f"{w}x{h}", "-define", "gradient:angle=135",
            "gradient:#f5f9fc-#a7c0d6"]
    # A soft light patch at the upper left keeps the area behind the child windows calm.
    args += ["(", "-size", f"{2 * w}x{2 * h}", "radial-gradient:#ffffff-#ffffff00",
             "-channel", "A", "-evaluate", "multiply", "0.6", "+channel", ")",
             "-geometry", f"+{-w}+{-h}", "-compose", "over", "-composite"]
    # Waves spreading from the mast, fading outwards, on both sides.
    args += waves(w, h, cx, cy, 12, 36)
    args += tower(cx, cy + 150, 150, "rgba(58,92,130,0.55)")
    # A quiet signal trace across the lower left.
    args += ["-fill", "none", "-stroke", "rgba(58,92,130,0.22)", "-strokewidth", "2",
             "-draw", signal_path(h * 0.80, 14, 120, 0, w * 0.58)]
    # A thin band along the bottom with the titles above it.
    args += ["-stroke", "none", "-fill", "rgba(40,70,105,0.85)",
             "-draw", f"rectangle 0,{h - 8} {w},{h}"]
    args += ["-stroke", "none", "-gravity", "SouthEast"]
    y = 40
    for text, font, size, color in reversed(title_lines):
        args += ["-font", font, "-pointsize", size, "-fill", color,
                 "-annotate", f"+56+{y}", text]
        y += int(size * 1.35)
    args += ["-gravity", "NorthWest", "-quality", JPEG_QUALITY,
             "-sampling-factor", "4:2:0", "-strip",
             os.path.join(OUT, name)]
    run(args)


def backgrounds():
    dark = "#27486b"
    soft = "#4d6f92"
    name_line = ("radioprog", FONT_LATIN_BOLD, 64, dark)
    # Picture number = language column + 2 x model value + 10. The pictures name no
    # channel count: the title bar says what the data is for, and a picture that
    # said "16 channels" over a 32-channel radio's data would mislead.
    for model in (0, 1):
        background(f"bg{10 + 2 * model}.JPG", [name_line,
                                               ("对讲机编程软件", FONT_CJK, 26, soft),
                                               ("Q71/Q72", FONT_LATIN, 22, soft)])
        background(f"bg{11 + 2 * model}.JPG", [name_line,
                                               ("Radio programming software", FONT_LATIN, 22, soft),
                                               ("Q71/Q72", FONT_LATIN, 22, soft)])
    background("bg1.JPG", [name_line,
                           ("Q71/Q72", FONT_LATIN, 22, soft)])


# ---------------------------------------------------------------------------
# The handheld radio of the key settings view


def phone():
    w, h = 300, 560
    body_l, body_r, body_t, body_b = 78, 222, 150, 535
    body = "#2f3338"
    edge = "#4a5058"
    accent = "#f08a24"
    args = ["-size", f"{w}x{h}", "-define", "gradient:angle=180",
            "gradient:#ffffff-#e3ebf2"]
    # Antenna and the two knobs on the top.
    args += ["-stroke", "none", "-fill", "#1f2226",
             "-draw", f"roundrectangle 178,18 198,{body_t + 6} 9,9",
             "-fill", "#3a3f45", "-draw", "roundrectangle 174,118 202,156 4,4",
             "-fill", "#3a3f45", "-draw", "roundrectangle 102,126 130,156 4,4",
             "-fill", "#5b636c", "-draw", "line 106,132 126,132",
             "-draw", "line 106,140 126,140", "-draw", "line 106,148 126,148"]
    # Body with a lighter rim.
    args += ["-fill", edge, "-draw",
             f"roundrectangle {body_l - 3},{body_t - 3} {body_r + 3},{body_b + 3} 26,26",
             "-fill", body, "-draw",
             f"roundrectangle {body_l},{body_t} {body_r},{body_b} 24,24"]
    # Highlight along the right edge gives the body some volume.
    args += ["-fill", "rgba(255,255,255,0.035)", "-draw",
             f"roundrectangle {body_r - 22},{body_t + 16} {body_r - 12},{body_b - 24} 5,5"]
    # Speaker grille.
    args += ["-fill", "#1c1f23", "-draw", "roundrectangle 100,178 200,288 14,14",
             "-fill", "#3d434a"]
    for row in range(6):
        for col in range(7):
            x, y = 112 + col * 13, 192 + row * 16
            args += ["-draw", f"circle {x},{y} {x + 3},{y}"]
    # Display with a channel number.
    args += ["-fill", "#9fc3a8", "-stroke", "#1c1f23", "-strokewidth", "3",
             "-draw", "roundrectangle 102,306 198,350 6,6",
             "-stroke", "none", "-fill", "#22402c", "-font", FONT_LATIN_BOLD,
             "-pointsize", "24", "-annotate", "+116+338", "CH 01"]
    # Keypad.
    args += ["-fill", "#454b52"]
    for row in range(4):
        for col in range(3):
            x, y = 106 + col * 32, 366 + row * 30
            args += ["-draw", f"roundrectangle {x},{y} {x + 26},{y + 22} 5,5"]
    args += ["-fill", "#b9c0c7", "-font", FONT_LATIN, "-pointsize", "12"]
    labels = "123456789*0#"
    for i, c in enumerate(labels):
        x, y = 106 + (i % 3) * 32 + 9, 366 + (i // 3) * 30 + 16
        args += ["-annotate", f"+{x}+{y}", c]
    # Push-to-talk bar on the left edge (plain) and, below it, the programmable side
    # key, highlighted.
    args += ["-fill", "#24272b", "-draw", f"roundrectangle {body_l - 12},214 {body_l + 2},300 5,5"]
    args += ["-fill", "rgba(240,138,36,0.28)", "-draw",
             f"roundrectangle {body_l - 24},304 {body_l + 12},364 14,14",
             "-fill", accent, "-stroke", "#9c4f08", "-strokewidth", "2", "-draw",
             f"roundrectangle {body_l - 13},314 {body_l + 2},354 5,5", "-stroke", "none"]
    # Pointer from the key to the left margin.
    args += ["-fill", "none", "-stroke", accent, "-strokewidth", "3",
             "-draw", f"line {body_l - 30},334 20,334",
             "-fill", accent, "-stroke", "none",
             "-draw", f"polygon {body_l - 24},334 {body_l - 38},326 {body_l - 38},342",
             "-draw", "circle 20,334 26,334"]
    # Belt-clip shadow under the radio.
    args += ["-fill", "rgba(0,0,0,0.10)", "-draw", f"ellipse 150,{body_b + 14} 84,6 0,360"]
    args += ["-quality", JPEG_QUALITY, "-strip", os.path.join(OUT, "phone.JPG")]
    run(args)


# ---------------------------------------------------------------------------
# Icons: drawn on a 32 x 32 grid at 8x size, then scaled down to 16 and 32 pixels.


S = 8  # supersampling factor over the 32-pixel grid


def p(v):
    return fmt(v * S)


def icon(name, draw, sizes=(16, 32)):
    canvas = 32 * S
    base = ["-size", f"{canvas}x{canvas}", "xc:none", "-strokewidth", str(2 * S)] + draw
    os.makedirs(os.path.join(OUT, "icons"), exist_ok=True)
    for size in sizes:
        suffix = "" if size == sizes[0] else "@2x"
        target = os.path.join(OUT, "icons", f"{name}{suffix}.png")
        run(base + ["-filter", "Box" if size >= 64 else "Triangle", "-resize",
                    f"{size}x{size}", "-strip", f"PNG32:{target}"])


def rrect(x0, y0, x1, y1, r, fill, stroke="none", width=2):
    return ["-fill", fill, "-stroke", stroke, "-strokewidth", str(width * S),
            "-draw", f"roundrectangle {p(x0)},{p(y0)} {p(x1)},{p(y1)} {p(r)},{p(r)}"]


def poly(points, fill, stroke="none", width=2):
    pts = " ".join(f"{p(x)},{p(y)}" for x, y in points)
    return ["-fill", fill, "-stroke", stroke, "-strokewidth", str(width * S),
            "-draw", f"polygon {pts}"]


def line(x0, y0, x1, y1, color, width=2):
    return ["-fill", "none", "-stroke", color, "-strokewidth", str(width * S),
            "-draw", f"line {p(x0)},{p(y0)} {p(x1)},{p(y1)}"]


OUTLINE = "#27486b"
BLUE = "#3f7fc1"
PAPER = "#ffffff"


def radio_glyph(x0):
    """A small handheld radio, 12 units wide, standing at x0."""
    return (line(x0 + 9, 1.5, x0 + 9, 9, OUTLINE, 2.5)
            + rrect(x0, 8, x0 + 12, 30, 2.5, "#4a5561", OUTLINE, 1.5)
            + rrect(x0 + 2.5, 11, x0 + 9.5, 17, 1, "#a8d0b2")
            + line(x0 + 3, 21, x0 + 9, 21, "#9aa6b2", 1.5)
            + line(x0 + 3, 25, x0 + 9, 25, "#9aa6b2", 1.5))


def arrow_right(x0, y, length, color):
    return (line(x0, y, x0 + length - 5, y, color, 4)
            + poly([(x0 + length, y), (x0 + length - 8, y - 7), (x0 + length - 8, y + 7)],
                   color))


def arrow_left(x1, y, length, color):
    return (line(x1, y, x1 - length + 5, y, color, 4)
            + poly([(x1 - length, y), (x1 - length + 8, y - 7), (x1 - length + 8, y + 7)],
                   color))


def icons():
    page = [(6, 2), (20, 2), (27, 9), (27, 30), (6, 30)]
    icon("new", poly(page, PAPER, OUTLINE, 2)
         + poly([(20, 2), (20, 9), (27, 9)], "#d6e4f1", OUTLINE, 1.5)
         + line(10, 15, 22, 15, "#9bb5cf", 2) + line(10, 20, 22, 20, "#9bb5cf", 2)
         + line(10, 25, 18, 25, "#9bb5cf", 2))
    icon("open", poly([(2, 7), (11, 7), (14, 10), (26, 10), (26, 27), (2, 27)],
                      "#e0a82e", "#8a5d08", 2)
         + poly([(7, 14), (31, 14), (26, 27), (2, 27)], "#f7cf62", "#8a5d08", 2))
    icon("save", rrect(3, 3, 29, 29, 3, BLUE, OUTLINE, 2)
         + rrect(8, 3, 24, 13, 1, "#e8eef5")
         + rrect(18, 5, 22, 11, 0.5, OUTLINE)
         + rrect(7, 18, 25, 29, 1, PAPER))
    icon("print", rrect(8, 2, 24, 12, 1, PAPER, OUTLINE, 2)
         + rrect(2, 11, 30, 24, 3, "#8d99a6", OUTLINE, 2)
         + rrect(8, 19, 24, 30, 1, PAPER, OUTLINE, 2)
         + line(11, 24, 21, 24, "#9bb5cf", 1.5)
         + ["-fill", "#6fd37a", "-stroke", "none",
            "-draw", f"circle {p(25)},{p(15)} {p(26.6)},{p(15)}"])
    # Read: data leaves the radio (green arrow out of it); write: data goes into the
    # radio (orange arrow pointing at it).
    icon("read", radio_glyph(1) + arrow_right(15, 19, 16, "#2e9b45"))
    icon("write", radio_glyph(19) + arrow_left(17, 19, 16, "#e0741b"))
    icon("about", ["-fill", BLUE, "-stroke", OUTLINE, "-strokewidth", str(2 * S),
                   "-draw", f"circle {p(16)},{p(16)} {p(16)},{p(2)}",
                   "-stroke", "none", "-fill", PAPER,
                   "-draw", f"circle {p(16)},{p(9.5)} {p(18.3)},{p(9.5)}"]
         + rrect(14, 14, 18, 25, 1, PAPER))
    # The application icon: the radio sending waves from its antenna tip.
    tip_x, tip_y = 14, 8
    rings = ["(", "-size", f"{32 * S}x{32 * S}", "xc:none", "-fill", "none",
             "-stroke", "#e0741b", "-strokewidth", str(int(1.8 * S))]
    for r in (5, 9, 13):
        rings += ["-draw", f"circle {p(tip_x)},{p(tip_y)} {p(tip_x + r)},{p(tip_y)}"]
    rings += ["(", "-size", f"{32 * S}x{32 * S}", "xc:none", "-fill", "white",
              "-draw", f"polygon {p(tip_x)},{p(tip_y)} {p(tip_x + 40)},{p(tip_y - 23)} "
                       f"{p(tip_x + 40)},{p(tip_y + 23)}",
              ")", "-compose", "DstIn", "-composite", ")",
              "-compose", "over", "-composite"]
    icon("radioprog",
         rrect(1, 1, 31, 31, 7, "#dbe8f4", "#3f7fc1", 1)
         + rings
         + line(tip_x, tip_y, tip_x, 13, OUTLINE, 2.5)
         + rrect(7, 12, 18, 30, 2.5, "#3a4450", OUTLINE, 1.2)
         + rrect(9, 14.5, 16, 19.5, 1, "#a8d0b2")
         + line(9.5, 23, 15.5, 23, "#9aa6b2", 1.2)
         + line(9.5, 26.5, 15.5, 26.5, "#9aa6b2", 1.2),
         sizes=(128,))


# The installed program's icon in the sizes desktops ask the hicolor theme for; the
# SVG itself is installed as the scalable one.
HICOLOR_SIZES = (16, 24, 32, 48, 64, 128, 256)


def hicolor():
    rsvg = shutil.which("rsvg-convert")
    if not rsvg:
        sys.exit("rsvg-convert is needed for the hicolor icons (Debian: librsvg2-bin)")
    svg = os.path.join(os.path.dirname(HERE), "icons", "radioprog.svg")
    for size in HICOLOR_SIZES:
        folder = os.path.join(OUT, "icons", "hicolor", f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        target = os.path.join(folder, "radioprog.png")
        subprocess.run([rsvg, "-w", str(size), "-h", str(size), "-o", target, svg], check=True)
        run([target, "-strip", f"PNG32:{target}"])


def main():
    if not CONVERT:
        sys.exit("ImageMagick's convert is needed")
    os.makedirs(OUT, exist_ok=True)
    backgrounds()
    phone()
    icons()
    hicolor()


if __name__ == "__main__":
    main()
