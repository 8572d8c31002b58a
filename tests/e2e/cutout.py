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
  dice    SHOT BOARD FACE X Y DX.. DY  for each die whose top-left lies at (DX, DY) in the window:
                                     "OUTSIDE INSIDE", pixels of its box cut away that do not show the
                                     board behind, and pixels of its face that do not show the face

A screenshot's alpha channel is dropped first: the screen shows colour only, as a monitor does.
The outline of a picture is every pixel that differs from its top-left pixel's colour.
"""
import subprocess
import sys

import numpy as np

# Where the board is plain painted surface, with no control over it: the title bar (its hot spots
# draw nothing) and the bottom rows below the holder tray and the buttons.
TITLE_ROWS = range(2, 35)
BOTTOM_ROWS = range(586, 598)
# A corner: the box at each corner of the board that holds its cut-away curve.
CORNER = 24


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
    row, x0, x1 = 250, 260, 780
    title = outline(board)[TITLE_ROWS.start:TITLE_ROWS.stop]
    needle = board[row, x0:x1].tobytes()
    for y in range(row, shot.shape[0] - (board.shape[0] - row) + 1):
        hay = shot[y].tobytes()
        at = hay.find(needle)
        while at >= 0:
            if at % 3 == 0:
                ox, oy = at // 3 - x0, y - row
                window = shot[oy:oy + board.shape[0], ox:ox + board.shape[1]]
                if window.shape == board.shape and not np.any(
                        np.any(window[TITLE_ROWS.start:TITLE_ROWS.stop] !=
                               board[TITLE_ROWS.start:TITLE_ROWS.stop], axis=2) & title):
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
        seen = shot[oy:oy + h, ox:ox + w].astype(int)
        behind = desktop[oy:oy + h, ox:ox + w].astype(int)
        differs = np.any(seen != behind, axis=2)
        # Rounding of the shadow's blend may leave a channel one step off either way.
        unlike = np.any((seen > behind + 1) | (2 * seen < behind - 2), axis=2)
        parts = {
            "top-left": (slice(0, CORNER), slice(0, CORNER)),
            "top-right": (slice(0, CORNER), slice(w - CORNER, w)),
            "bottom-left": (slice(h - CORNER, h), slice(0, CORNER)),
            "bottom-right": (slice(h - CORNER, h), slice(w - CORNER, w)),
            "top-strip": (slice(0, 2), slice(CORNER, w - CORNER)),
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
        rows = list(TITLE_ROWS) + list(BOTTOM_ROWS)
        window = shot[oy:oy + h, ox:ox + w]
        differs = np.any(window[rows] != board[rows], axis=2) & inside[rows]
        print(int(differs.sum()), int(inside[rows].sum()))
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
