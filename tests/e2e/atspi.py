#!/usr/bin/env python3
"""Reads the game's accessibility tree over AT-SPI, as a screen reader would, for the end-to-end tests.

Usage: atspi.py COMMAND [ARGS]
  tree            one line per object below the game's window: "ROLE|NAME|STATES|ACTIONS"
  names PREFIX    the names that start with PREFIX, one a line, in the tree's order
  press NAME      runs the press action of the one object whose name starts with NAME
  wait NAME       waits up to 10 s for an object whose name is exactly NAME
  focused         the name of the object that has the focus
  dice            one line per die: "X Y FACE HELD", its top-left corner on the screen, its face
                  (1..6) and 1 when held, as its name and place tell them

The game is the application whose window is titled "QuibBix!".
"""
import sys
import time

import pyatspi

TITLE = "QuibBix!"


def game_window():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == TITLE:
                return window
    return None


def objects(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from objects(child)


def describe(obj):
    states = sorted(pyatspi.stateToString(s) for s in obj.getState().getStates())
    try:
        action = obj.queryAction()
        actions = [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        actions = []
    return "%s|%s|%s|%s" % (obj.getRoleName(), obj.name, ",".join(states), ",".join(actions))


def find_window():
    for _ in range(100):
        window = game_window()
        if window is not None:
            return window
        time.sleep(0.1)
    sys.exit("no window titled %r on the accessibility bus" % TITLE)


def main(argv):
    command = argv[1]
    window = find_window()
    if command == "tree":
        for obj in objects(window):
            print(describe(obj))
    elif command == "names":
        for obj in objects(window):
            if obj.name.startswith(argv[2]):
                print(obj.name)
    elif command == "press":
        matches = [o for o in objects(window) if o.name.startswith(argv[2])]
        if len(matches) != 1:
            sys.exit("%d objects named %r..." % (len(matches), argv[2]))
        action = matches[0].queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if "Press" not in names:
            sys.exit("%r has no Press action, only %s" % (matches[0].name, names))
        action.doAction(names.index("Press"))
    elif command == "focused":
        for obj in objects(window):
            if obj.getState().contains(pyatspi.STATE_FOCUSED):
                print(obj.name)
    elif command == "dice":
        faces = ["one", "two", "three", "four", "five", "six"]
        for obj in objects(window):
            if obj.name.startswith("Die "):
                words = obj.name.split(", ")
                x, y = obj.queryComponent().getPosition(pyatspi.DESKTOP_COORDS)
                print(x, y, faces.index(words[1]) + 1, int(words[2] == "held"))
    elif command == "wait":
        for _ in range(100):
            if any(o.name == argv[2] for o in objects(window)):
                return
            time.sleep(0.1)
        sys.exit("no object named %r" % argv[2])
    else:
        sys.exit("unknown command " + command)


if __name__ == "__main__":
    main(sys.argv)
