#!/usr/bin/env python3
"""Judges, from whole-screen screenshots, whether the game's window is cut to its painted outline:
what the desktop behind it shows in the cut-away parts, the board inside, and the dice cut to theirs.
Works wherever the window manager put the window: `locate` finds it by the board's own pixels.

Usage: cutout.py SUBCOMMAND ARGS...
  locate  SHOT BOARD                 "X Y", the window's top-left corner on the screen
  same    SHOT OTHER                 exit 0 when the two screenshots are the same, pixel for pixel
  drawn   SHOT                       exit 0 when the desktop has a background: the lower half of the
                                     screen holds more than one colour
  key     SHOT BOARD                 how many pixels of the screen have the board's key colour
  corners SHOT DESKTOP BOARD X Y     per corner and for the top strip, "NAME CUT DIFFERENT UNLIKE":
                                     how many of its pixels the outline cuts away, how many of those
                                     differ from DESKTOP, a screenshot of the same screen without the
                                     game, and how many are not even the desktop dimmed by a window
                                     manager's drop shadow (each channel between half and all of it)
  edge    SHOT BOARD X Y             pixels along the outline (the title bar, the bottom rows) that
                                     differ from the board, and how many were compared
  card    SHOT BOARD X Y                 pixels of the scorecard that differ from the board, the lines of
                                     the score grid that the window draws over it left out, and how
                                     many were compared
  dice    SHOT BOARD FACE X Y DX.. DY  for each die whose top-left lies at (DX, DY) in the window:
                                     "OUTSIDE INSIDE", pixels of its box cut away that do not show the
                                     board behind, and pixels of its face that do not show the face

A screenshot's alpha channel is dropped first: the screen shows colour only, as a monitor does.
The outline of a picture is every pixel that differs from its top-left pixel's colour. BOARD may be
the board drawn at 2x (board@2x.png), for a window at twice the scale; every place named here in
board pixels then counts twice as far.
"""
import subprocess
import sys

import numpy as np

BOARD_W = 789
# Where the board is plain painted surface, with no control over it: the title bar (its hot spots
# draw nothing) and the bottom rows below the holder tray and the buttons.
TITLE_ROWS = (2, 35)
BOTTOM_ROWS = (586, 598)
# A corner: the box at each corner of the board that holds its cut-away curve.
CORNER = 24
# The scorecard, "x0 y0 x1 y1" exclusive, and the lines of the score grid drawn over it: the frames'
# columns and rows and the divider. A line may take a device pixel either side at 2x.
CARD = (27, 57, 213, 407)
GRID_COLUMNS = (38, 158, 198, 199)
GRID_ROWS = tuple(67 + 21 * row for row in range(14))
GRID = (38, 67, 200, 341)


def scale_of(board):
    return board.shape[1] // BOARD_W


def board_rows(board, span):
    s = scale_of(board)
    return list(range(span[0] * s, span[1] * s))


def load(path):
    out = subprocess.run(["convert", path, "-alpha", "off", "-depth", "8", "ppm:-"], check=True,
                         stdout=subprocess.PIPE).stdout
    header, pos = [], 0
    while len(header) < 4:
        while out[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not out[end:end + 1].isspace():
            end += 1
        header.append(out[pos:end])
        pos = end
    w, h = int(header[1]), int(header[2])
    return np.frombuffer(out[pos + 1:pos + 1 + w * h * 3], dtype=np.uint8).reshape(h, w, 3)


def outline(picture):
    return np.any(picture != picture[0, 0], axis=2)


def locate(shot, board):
    """The board's row 250 across the emblem is found byte for byte in one screen row; the whole
    title bar inside the outline must then match too."""
    s = scale_of(board)
    row, x0, x1 = 250 * s, 260 * s, 780 * s
    title_rows = board_rows(board, TITLE_ROWS)
    title = outline(board)[title_rows]
    needle = board[row, x0:x1].tobytes()
    for y in range(row, shot.shape[0] - (board.shape[0] - row) + 1):
        hay = shot[y].tobytes()
        at = hay.find(needle)
        while at >= 0:
            if at % 3 == 0:
                ox, oy = at // 3 - x0, y - row
                window = shot[oy:oy + board.shape[0], ox:ox + board.shape[1]]
                if window.shape == board.shape and not np.any(
                        np.any(window[title_rows] != board[title_rows], axis=2) & title):
                    return ox, oy
            at = hay.find(needle, at + 1)
    return None


def main(argv):
    sub, args = argv[1], argv[2:]
    if sub == "locate":
        found = locate(load(args[0]), load(args[1]))
        if found is None:
            sys.exit("the board is nowhere on the screen")
        print(*found)
    elif sub == "same":
        sys.exit(0 if np.array_equal(load(args[0]), load(args[1])) else 1)
    elif sub == "drawn":
        shot = load(args[0])
        lower = shot[shot.shape[0] // 2:]
        sys.exit(0 if np.any(lower != lower[0, 0]) else 1)
    elif sub == "key":
        shot, board = load(args[0]), load(args[1])
        print(int(np.all(shot == board[0, 0], axis=2).sum()))
    elif sub == "corners":
        shot, desktop, board = load(args[0]), load(args[1]), load(args[2])
        ox, oy = int(args[3]), int(args[4])
        h, w = board.shape[:2]
        cut = ~outline(board)
        corner, strip = CORNER * scale_of(board), 2 * scale_of(board)
        seen = shot[oy:oy + h, ox:ox + w].astype(int)
        behind = desktop[oy:oy + h, ox:ox + w].astype(int)
        differs = np.any(seen != behind, axis=2)
        # Rounding of the shadow's blend may leave a channel one step off either way.
        unlike = np.any((seen > behind + 1) | (2 * seen < behind - 2), axis=2)
        parts = {
            "top-left": (slice(0, corner), slice(0, corner)),
            "top-right": (slice(0, corner), slice(w - corner, w)),
            "bottom-left": (slice(h - corner, h), slice(0, corner)),
            "bottom-right": (slice(h - corner, h), slice(w - corner, w)),
            "top-strip": (slice(0, strip), slice(corner, w - corner)),
        }
        for name, (rows, cols) in parts.items():
            here = cut[rows, cols]
            print(name, int(here.sum()), int((here & differs[rows, cols]).sum()),
                  int((here & unlike[rows, cols]).sum()))
    elif sub == "edge":
        shot, board = load(args[0]), load(args[1])
        ox, oy = int(args[2]), int(args[3])
        h, w = board.shape[:2]
        inside = outline(board)
        edge = board_rows(board, TITLE_ROWS) + board_rows(board, BOTTOM_ROWS)
        window = shot[oy:oy + h, ox:ox + w]
        differs = np.any(window[edge] != board[edge], axis=2) & inside[edge]
        print(int(differs.sum()), int(inside[edge].sum()))
    elif sub == "card":
        shot, board = load(args[0]), load(args[1])
        ox, oy, s = int(args[2]), int(args[3]), scale_of(board)
        h, w = board.shape[:2]
        lines = np.zeros((h, w), dtype=bool)
        for x in GRID_COLUMNS:
            lines[GRID[1] * s - 1:GRID[3] * s + 1, x * s - 1:x * s + 2] = True
        for y in GRID_ROWS:
            lines[y * s - 1:y * s + 2, GRID[0] * s - 1:GRID[2] * s + 1] = True
        x0, y0, x1, y1 = (v * s for v in CARD)
        compared = ~lines[y0:y1, x0:x1]
        seen = shot[oy + y0:oy + y1, ox + x0:ox + x1]
        differs = np.any(seen != board[y0:y1, x0:x1], axis=2) & compared
        print(int(differs.sum()), int(compared.sum()))
    elif sub == "dice":
        shot, board, face = load(args[0]), load(args[1]), load(args[2])
        ox, oy = int(args[3]), int(args[4])
        xs, dy = [int(a) for a in args[5:-1]], int(args[-1])
        fh, fw = face.shape[:2]
        inside = outline(face)
        for dx in xs:
            seen = shot[oy + dy:oy + dy + fh, ox + dx:ox + dx + fw]
            behind = board[dy:dy + fh, dx:dx + fw]
            outside_wrong = np.any(seen != behind, axis=2) & ~inside
            inside_wrong = np.any(seen != face, axis=2) & inside
            print(int(outside_wrong.sum()), int(inside_wrong.sum()))
    else:
        sys.exit(f"unknown subcommand {sub}")


if __name__ == "__main__":
    main(sys.argv)
