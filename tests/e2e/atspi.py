#!/usr/bin/env python3
"""Reads the game's accessibility tree over AT-SPI, as a screen reader would, for the end-to-end tests.

Usage: atspi.py COMMAND [ARGS]
  tree            one line per object below the game's window: "ROLE|NAME|STATES|ACTIONS"
  names PREFIX    the names that start with PREFIX, one a line, in the tree's order
  press NAME      runs the press action of the one object whose name starts with NAME
  wait NAME       waits up to 10 s for an object whose name is exactly NAME
                  (these three look at the controls, not at the notification of the news)
  focused         the name of the object that has the focus
  values          one line per object with a value: "NAME|CURRENT|MINIMUM|MAXIMUM"
  watch COUNT [press NAME]
                  listens for value changes (and then runs NAME's press action) until COUNT objects
                  have told one, or 10 s have passed: one line per change, "NAME|CURRENT", the name
                  and value of the object when the change arrives
  dice            one line per die: "X Y FACE HELD", its top-left corner on the screen, its face
                  (1..6) and 1 when held, as its name and place tell them

The game is the application whose window is titled "QuibBix!".
"""
import sys
import time

import pyatspi
from gi.repository import GLib

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


def controls(node):
    """The objects below node that show the board, without the notification that tells its news
    (whose name repeats a control's, as "Die 2, four, held.")."""
    return (o for o in objects(node) if o.getRole() != pyatspi.ROLE_NOTIFICATION)


def describe(obj):
    states = sorted(pyatspi.stateToString(s) for s in obj.getState().getStates())
    try:
        action = obj.queryAction()
        actions = [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        actions = []
    return "%s|%s|%s|%s" % (obj.getRoleName(), obj.name, ",".join(states), ",".join(actions))


def value_of(obj):
    try:
        value = obj.queryValue()
    except NotImplementedError:
        return None
    return value


def number(x):
    return "nan" if x != x else "%g" % x


def press(window, name):
    matches = [o for o in controls(window) if o.name.startswith(name)]
    if len(matches) != 1:
        sys.exit("%d objects named %r..." % (len(matches), name))
    action = matches[0].queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit("%r has no Press action, only %s" % (matches[0].name, names))
    action.doAction(names.index("Press"))


# The value-change event of Qt's bridge: a property change of "accessible-value" on the object.
VALUE_CHANGED = "object:property-change:accessible-value"


def watch(window, count, then):
    loop = GLib.MainLoop()
    told = {}

    def on_change(event):
        obj = event.source
        print("%s|%s" % (obj.name, number(obj.queryValue().currentValue)), flush=True)
        told[obj.name.split(",")[0]] = True
        if len(told) >= count:
            loop.quit()

    # Registered before anything changes: the bridge only sends what some listener asked for.
    pyatspi.Registry.registerEventListener(on_change, VALUE_CHANGED)
    if then:
        GLib.idle_add(lambda: then() and False)
    GLib.timeout_add(10000, loop.quit)
    loop.run()
    pyatspi.Registry.deregisterEventListener(on_change, VALUE_CHANGED)


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
        for obj in controls(window):
            if obj.name.startswith(argv[2]):
                print(obj.name)
    elif command == "press":
        press(window, argv[2])
    elif command == "values":
        for obj in objects(window):
            value = value_of(obj)
            if value is not None:
                print("%s|%s|%s|%s" % (obj.name, number(value.currentValue),
                                       number(value.minimumValue), number(value.maximumValue)))
    elif command == "watch":
        then = None
        if len(argv) > 4 and argv[3] == "press":
            then = lambda: press(window, argv[4])
        watch(window, int(argv[2]), then)
    elif command == "focused":
        for obj in objects(window):
            if obj.getState().contains(pyatspi.STATE_FOCUSED):
                print(obj.name)
    elif command == "dice":
        faces = ["one", "two", "three", "four", "five", "six"]
        for obj in controls(window):
            if obj.name.startswith("Die "):
                words = obj.name.split(", ")
                x, y = obj.queryComponent().getPosition(pyatspi.DESKTOP_COORDS)
                print(x, y, faces.index(words[1]) + 1, int(words[2] == "held"))
    elif command == "wait":
        for _ in range(100):
            if any(o.name == argv[2] for o in controls(window)):
                return
            time.sleep(0.1)
        sys.exit("no object named %r" % argv[2])
    else:
        sys.exit("unknown command " + command)


if __name__ == "__main__":
    main(sys.argv)
