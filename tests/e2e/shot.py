#!/usr/bin/env python3
"""Reads screenshots of the game for the end-to-end tests.

Usage: shot.py SUBCOMMAND PNG OX OY ARGS...
(OX, OY) is the game window's top-left corner on the screen; every other coordinate is relative to it.

  pixel PNG OX OY X Y                  colour at (X, Y) as "R G B"
  count PNG OX OY X0 Y0 X1 Y1 CLASS    pixels of CLASS (red, yellow, dark, white, or #rrggbb) in the
                                       inclusive box
  diff  PNG OX OY OTHER X0 Y0 X1 Y1    pixels that differ between two screenshots taken at the same
                                       window position, in the inclusive box
  against PNG OX OY REF X0 Y0 X1 Y1 [X0 Y0 X1 Y1 ...]
                                       for each inclusive box, the pixels that differ from REF, a picture
                                       of the window alone (its top-left at 0, 0): one count a line
  colours PNG OX OY X0 Y0 X1 Y1        the colours in the inclusive box as "#rrggbb", row by row, on one line
  newred PNG OX OY OTHER X0 Y0 X1 Y1  red pixels of PNG that are not red in OTHER, in the inclusive box:
                                       "COUNT X0 Y0 X1 Y1" with their bounding box (or "0")
  dice  PNG OX OY                      one line per die seen on the board: "X Y PIPS RED", top-left corner,
                                       white pips counted inside it, red pixels it holds

Only the standard library: ImageMagick turns the PNG into a PPM that is read here.
"""
import subprocess
import sys

DIE_W, DIE_H = 70, 67
BOARD_W, BOARD_H = 789, 598
# A die holds far more red than this even with six pips; a half-covered die would not.
FULL_DIE_RED = 2500


class Image:
    def __init__(self, path):
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                              stdout=subprocess.PIPE).stdout
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b"P6" or fields[3] != b"255":
            sys.exit("unexpected image format from convert")
        self.w, self.h = int(fields[1]), int(fields[2])
        self.px = data[pos + 1:]

    def rgb(self, x, y):
        if not (0 <= x < self.w and 0 <= y < self.h):
            return None
        i = 3 * (y * self.w + x)
        return self.px[i], self.px[i + 1], self.px[i + 2]


def is_red(c):
    r, g, b = c
    return r >= 110 and r > 2 * g and r > 2 * b


def is_white(c):
    return min(c) >= 200


def is_yellow(c):
    r, g, b = c
    return r >= 180 and g >= 150 and b <= 110


def is_dark(c):
    return max(c) <= 90


def classifier(name):
    if name == "red":
        return is_red
    if name == "white":
        return is_white
    if name == "dark":
        return is_dark
    if name == "yellow":
        return is_yellow
    if name.startswith("#") and len(name) == 7:
        want = tuple(int(name[i:i + 2], 16) for i in (1, 3, 5))
        return lambda c: c == want
    sys.exit(f"unknown pixel class {name}")


def box(img, ox, oy, x0, y0, x1, y1):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            yield x, y, img.rgb(ox + x, oy + y)


def cells_where(img, ox, oy, x0, y0, x1, y1, want):
    """Window-relative cells in the inclusive box whose colour passes want; row slices keep it quick."""
    out = set()
    for y in range(max(y0, -oy), min(y1, img.h - 1 - oy) + 1):
        left, right = max(x0, -ox), min(x1, img.w - 1 - ox)
        if right < left:
            continue
        start = 3 * ((oy + y) * img.w + ox + left)
        row = img.px[start:start + 3 * (right - left + 1)]
        for i, c in enumerate(zip(row[0::3], row[1::3], row[2::3])):
            if want(c):
                out.add((left + i, y))
    return out


def components(mask, w, h):
    """4-connected components of a set of (x, y) cells; each as a list of cells."""
    seen, out = set(), []
    for start in mask:
        if start in seen:
            continue
        seen.add(start)
        stack, comp = [start], []
        while stack:
            x, y = stack.pop()
            comp.append((x, y))
            for n in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if n in mask and n not in seen:
                    seen.add(n)
                    stack.append(n)
        out.append(comp)
    return out


def split_dice(comp):
    """Dice that touch merge into one red region; take them apart by fitting die-sized boxes.

    The best box holds the most red while its one-pixel ring holds the least, which pins it to a die's
    edges even when another die lies right next to it."""
    cells = set(comp)
    dice = []
    while len(cells) >= FULL_DIE_RED // 3:
        xs = [c[0] for c in cells]
        ys = [c[1] for c in cells]
        bx, by = min(xs) - 1, min(ys) - 1
        bw, bh = max(xs) - bx + 2, max(ys) - by + 2
        # Summed-area table over the bounding box, for O(1) box sums.
        sat = [[0] * (bw + 1) for _ in range(bh + 1)]
        for y in range(bh):
            row, above, run = sat[y + 1], sat[y], 0
            for x in range(bw):
                run += (bx + x, by + y) in cells
                row[x + 1] = above[x + 1] + run

        def area(x, y, w, h):
            x0, y0 = max(x - bx, 0), max(y - by, 0)
            x1, y1 = min(x - bx + w, bw), min(y - by + h, bh)
            if x1 <= x0 or y1 <= y0:
                return 0
            return sat[y1][x1] - sat[y0][x1] - sat[y1][x0] + sat[y0][x0]

        best = None
        for y in range(by, max(by + bh - DIE_H, by) + 1):
            for x in range(bx, max(bx + bw - DIE_W, bx) + 1):
                inner = area(x, y, DIE_W, DIE_H)
                ring = area(x - 1, y - 1, DIE_W + 2, DIE_H + 2) - inner
                score = inner - 2 * ring
                if best is None or score > best[0]:
                    best = (score, x, y, inner)
        _, x, y, inner = best
        dice.append((x, y, inner))
        cells = {c for c in cells if not (x <= c[0] < x + DIE_W and y <= c[1] < y + DIE_H)}
    return dice


def count_pips(img, ox, oy, x, y):
    """White blobs well inside the die: its pips (the corners, where the board may show, are left out)."""
    inset = 5
    white = cells_where(img, ox, oy, x + inset, y + inset, x + DIE_W - 1 - inset, y + DIE_H - 1 - inset, is_white)
    pips = 0
    for comp in components(white, DIE_W, DIE_H):
        touches_edge = any(px in (x + inset, x + DIE_W - 1 - inset) or py in (y + inset, y + DIE_H - 1 - inset)
                           for px, py in comp)
        if 6 <= len(comp) and not touches_edge:
            pips += 1
    return pips


def find_dice(img, ox, oy):
    red = cells_where(img, ox, oy, 0, 0, BOARD_W - 1, BOARD_H - 1, is_red)
    found = []
    for comp in components(red, BOARD_W, BOARD_H):
        if len(comp) < FULL_DIE_RED // 3:
            continue  # the painted close button and other small red marks
        for x, y, inner in split_dice(comp):
            found.append((x, y, count_pips(img, ox, oy, x, y), inner))
    return sorted(found, key=lambda d: (d[1], d[0]))


def main(argv):
    if len(argv) < 5:
        sys.exit(__doc__)
    sub, path, ox, oy = argv[1], argv[2], int(argv[3]), int(argv[4])
    args = argv[5:]
    img = Image(path)
    if sub == "pixel":
        c = img.rgb(ox + int(args[0]), oy + int(args[1]))
        print("none" if c is None else "%d %d %d" % c)
    elif sub == "count":
        x0, y0, x1, y1 = map(int, args[:4])
        want = classifier(args[4])
        print(len(cells_where(img, ox, oy, x0, y0, x1, y1, want)))
    elif sub == "diff":
        other = Image(args[0])
        x0, y0, x1, y1 = map(int, args[1:5])
        differ = 0
        for y in range(y0, y1 + 1):
            start, end = 3 * ((oy + y) * img.w + ox + x0), 3 * ((oy + y) * img.w + ox + x1 + 1)
            a, b = img.px[start:end], other.px[start:end]
            if a != b:
                differ += sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
        print(differ)
    elif sub == "against":
        ref = Image(args[0])
        boxes = list(map(int, args[1:]))
        for i in range(0, len(boxes), 4):
            x0, y0, x1, y1 = boxes[i:i + 4]
            print(sum(1 for x, y, c in box(img, ox, oy, x0, y0, x1, y1) if c != ref.rgb(x, y)))
    elif sub == "colours":
        x0, y0, x1, y1 = map(int, args[:4])
        print(" ".join("none" if c is None else "#%02x%02x%02x" % c
                       for _, _, c in box(img, ox, oy, x0, y0, x1, y1)))
    elif sub == "newred":
        other = Image(args[0])
        x0, y0, x1, y1 = map(int, args[1:5])
        was = cells_where(other, ox, oy, x0, y0, x1, y1, is_red)
        new = sorted(cells_where(img, ox, oy, x0, y0, x1, y1, is_red) - was)
        if not new:
            print(0)
        else:
            xs, ys = [p[0] for p in new], [p[1] for p in new]
            print(len(new), min(xs), min(ys), max(xs), max(ys))
    elif sub == "dice":
        for d in find_dice(img, ox, oy):
            print("%d %d %d %d" % d)
    else:
        sys.exit(f"unknown subcommand {sub}\n{__doc__}")


if __name__ == "__main__":
    main(sys.argv)
