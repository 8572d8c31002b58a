#!/usr/bin/env python3
"""A seeded random player on the real program, with invariants read from outside as a player could.

Usage: monkey.py PATH/TO/quibbix LOGDIR ARTIFACTS RUN...
Each RUN is SEED:ACTIONS, or ACTIONS alone for a new seed (or MONKEY_SEED's); the runs follow one
another and the first finding ends them. Runs under the X server, window manager and sound server
that monkey.sh started (DISPLAY and PULSE_SERVER set). Every seed is printed.
MONKEY_RSS_GROWTH_MIB bounds how much resident memory may grow after a start's first minute.

After every action the program must answer: with no question open, Roll lights up under the pointer
within a few seconds. Every few actions (MONKEY_CHECK_EVERY) a screenshot is read: the window is
mapped and cut to its shape, five whole dice lie apart, every box that showed a value shows the same
value until Reset is answered Yes, and the total shows a value from the first entry on. The program
must end with code 0 exactly when Quit was answered Yes, the close label was clicked or the window
manager closed it, and never otherwise; after each end a new start follows.
"""
import ctypes
import ctypes.util
import os
import random
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import shot  # noqa: E402  (the dice analysis the other end-to-end tests use)

TITLE, ASK_TITLE, QUIT_TITLE = "QuibBix!", "Quibbix!!", "Quibbix!"
BOARD_W, BOARD_H = 789, 598
SHAPE = "789x596+0+2"
ROLL = (499, 530)
ROLL_BOX = (439, 490, 559, 571)
RESET, QUIT = (616, 534), (719, 534)
MINIMISE, CLOSE = (734, 19), (763, 19)
TABLE_BOX = (199, 5, 788, 489)  # where a roll places the dice: right of the card, above Roll
FELT = (760, 250)           # plain felt, never a die or a control
HOLDER = [(27 + 80 * i + 35, 500 + 33) for i in range(5)]
DIE_W, DIE_H = shot.DIE_W, shot.DIE_H
TOTAL_BOX = (100, 373, 197, 389)
BONUS_BOX = (160, 347, 196, 365)
KEYS = ["Return", "Escape", "space", "Tab", "a", "q", "r", "F1", "Up", "Delete", "BackSpace",
        "ctrl+q", "ctrl+w", "alt+F2", "super"]


def score_box(i):
    return (160, 69 + 21 * i, 196, 86 + 21 * i)


def score_at(i):
    return (120, 77 + 21 * i)


class Finding(Exception):
    """Something a player would call a fault. `evidence` is what the X server showed at that moment."""
    evidence = None


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class Screen:
    """Reads the root window straight from the X server: a screenshot in milliseconds."""

    def __init__(self):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.POINTER(XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
        self.dpy = self.x.XOpenDisplay(None)
        if not self.dpy:
            raise SystemExit("monkey: cannot open the display")
        self.root = self.x.XDefaultRootWindow(self.dpy)
        self.w, self.h = 1024, 768
        # Pointer input through the XTest extension, as xdotool sends it, without a process a call.
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst"))
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        u, i = ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int)
        self.x.XGetInputFocus.argtypes = [ctypes.c_void_p, u, i]
        self.x.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, u, u, i, i, i, i,
                                         ctypes.POINTER(ctypes.c_uint)]

    def move(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, x, y, 0)

    def button(self, number, down):
        self.xtst.XTestFakeButtonEvent(self.dpy, number, 1 if down else 0, 0)

    def sync(self):
        self.x.XSync(self.dpy, 0)

    def pointer(self):
        """Where the X server has the pointer: (x, y, the top-level window under it or 0, buttons)."""
        root, child, mask = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_uint()
        x, y, i = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
        self.x.XQueryPointer(self.dpy, self.root, ctypes.byref(root), ctypes.byref(child), ctypes.byref(x),
                             ctypes.byref(y), ctypes.byref(i), ctypes.byref(i), ctypes.byref(mask))
        return x.value, y.value, child.value, mask.value

    def buttons_down(self):
        """The mask of buttons the X server has down for the pointer, as its clients are told."""
        return self.pointer()[3] & 0x1F00

    def focus(self):
        """The window that has the keyboard's input focus."""
        w, revert = ctypes.c_ulong(), ctypes.c_int()
        self.x.XGetInputFocus(self.dpy, ctypes.byref(w), ctypes.byref(revert))
        return w.value

    def await_release(self, seconds=5):
        """Waits until the server has handed the release on. A window manager that focuses on click
        holds the pointer's events in a grab until it lets the press through; meanwhile the release
        waits, and the server may hand the next move over before it (a plain XInput client under
        openbox is sent that too). A hand cannot move far that fast, a script can: it waits as a
        hand would."""
        deadline = time.monotonic() + seconds
        while self.buttons_down():
            if time.monotonic() > deadline:
                raise Finding("the X server still has a button down %d s after its release" % seconds)
            time.sleep(0.0005)

    def pace(self, seconds=0.001):
        """Every event a millisecond after the last, as xdotool sends them: a thousand a second."""
        self.sync()
        time.sleep(seconds)

    def grab(self, x=0, y=0, w=None, h=None):
        """The screen (or a part of it, placed where it lies) as an object shot.py reads."""
        w, h = w or self.w, h or self.h
        x, y = max(0, x), max(0, y)
        w, h = min(w, self.w - x), min(h, self.h - y)
        img = self.x.XGetImage(self.dpy, self.root, x, y, w, h, 0xFFFFFFFF, 2)
        if not img:
            raise Finding("cannot read the screen")
        im = img.contents
        if im.bits_per_pixel != 32:
            raise SystemExit("monkey: needs a 24-bit screen")
        raw = ctypes.string_at(im.data, im.bytes_per_line * im.height)
        self.x.XDestroyImage(img)
        if im.bytes_per_line != 4 * w:
            raw = b"".join(raw[r * im.bytes_per_line:r * im.bytes_per_line + 4 * w] for r in range(h))
        g = shot.Image.__new__(shot.Image)
        g.w, g.h = w, h
        px = bytearray(w * h * 3)
        # BGRX in memory, RGB wanted.
        px[0::3], px[1::3], px[2::3] = raw[2::4], raw[1::4], raw[0::4]
        g.px = bytes(px)
        return g


def run(*args, check=False):
    return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          check=check).stdout


class Monkey:
    def __init__(self, screen, binary, actions, log_name, artifacts, seed):
        # log_name % n is where the program's output goes on its nth start.
        self.binary, self.actions, self.log_name, self.artifacts = binary, actions, log_name, artifacts
        self.rng = random.Random(seed)
        self.seed = seed
        self.screen = screen
        self.app = None
        self.wid = None
        self.geo = (0, 0)
        self.starts = 0
        self.events = 0
        self.done = 0
        self.check_every = int(os.environ.get("MONKEY_CHECK_EVERY", "3"))
        self.rss_growth = int(os.environ.get("MONKEY_RSS_GROWTH_MIB", "40"))
        self.rss_first = None
        self.rss_last = None
        self.trail = []
        self.rolled_last = False
        self.clicks = []        # where this action pressed a button, on the screen
        self.restores = 0       # times the board was restored after a question's iconify button
        self.pointer_at = None

    # --- the program --------------------------------------------------------------------------------
    def start(self):
        self.starts += 1
        log = open(self.log_name % self.starts, "w")
        self.app = subprocess.Popen([self.binary], stdout=log, stderr=subprocess.STDOUT,
                                    stdin=subprocess.DEVNULL)
        self.started_at = time.monotonic()
        self.rss_base = None
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            self.expect_running("before its window appeared")
            wids = self.windows(TITLE)
            if wids:
                self.wid = wids[0]
                break
            time.sleep(0.05)
        else:
            raise Finding("no window after 30 s")
        self.read_geometry()
        self.answered()
        self.card = {}          # box -> pixels it showed when first seen written
        self.fresh = None
        self.check(fresh=True)

    def expect_running(self, when):
        code = self.app.poll()
        if code is not None:
            raise Finding("the program ended %s with code %d" % (when, code))

    def expect_end(self, why):
        try:
            code = self.app.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Finding("the program did not end after %s" % why)
        if code != 0:
            raise Finding("the program ended with code %d after %s" % (code, why))
        self.trail.append("ended with 0 after %s" % why)
        self.start()

    def stop(self):
        if self.app and self.app.poll() is None:
            self.app.terminate()
            try:
                self.app.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.app.kill()
                self.app.wait()

    def resident_mib(self):
        try:
            with open("/proc/%d/status" % self.app.pid) as f:
                for line in f:
                    if line.startswith("VmRSS"):
                        return int(line.split()[1]) // 1024
        except OSError:
            return None
        return None

    # --- the X server -------------------------------------------------------------------------------
    def windows(self, title, visible=True):
        out = []
        pattern = "^" + title.replace("!", "[!]") + "$"
        for wid in run("xdotool", "search", *(["--onlyvisible"] if visible else []), "--name", pattern).split():
            if run("xdotool", "getwindowname", wid).rstrip("\n") == title:
                out.append(wid)
        return out

    def question(self, visible=True):
        """The id and title of an open question box, or None."""
        for title in (ASK_TITLE, QUIT_TITLE):
            for wid in self.windows(title, visible):
                if wid != self.wid:
                    return wid, title
        return None

    def geometry(self, wid):
        """(x, y, width, height, map state) of a window as the X server has it now, or None."""
        info = {}
        for line in run("xwininfo", "-id", str(wid)).splitlines():
            key, _, value = line.strip().partition(":")
            info[key] = value.strip()
        try:
            return (int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"]),
                    int(info["Width"]), int(info["Height"]), info["Map State"])
        except (KeyError, ValueError):
            return None

    def frame(self, wid):
        """The window manager's frame around a top-level window: the window it was reparented to."""
        for line in run("xwininfo", "-children", "-id", str(wid)).splitlines():
            if "Parent window id:" in line:
                return int(line.split()[3], 16)
        return None

    def read_geometry(self):
        g = self.geometry(self.wid)
        if g is None:
            raise Finding("the board window is gone")
        self.geo = g[:2]

    def xdo(self, *args):
        """xdotool's commands mousemove X Y, click B, mousedown B, mouseup B and key [OPTION] K: the
        pointer's through XTest straight away, keys through xdotool itself."""
        args = list(args)
        while args:
            cmd = args.pop(0)
            if cmd == "mousemove":
                self.pointer_at = (int(args.pop(0)), int(args.pop(0)))
                self.screen.move(*self.pointer_at)
                self.events += 1
                self.screen.pace()
            elif cmd in ("click", "mousedown", "mouseup"):
                b = int(args.pop(0))
                if cmd != "mouseup":
                    self.clicks.append(self.pointer_at)
                    self.screen.button(b, True)
                if cmd == "click":
                    self.screen.pace()
                if cmd != "mousedown":
                    self.screen.button(b, False)
                    self.screen.await_release()
                self.events += 2 if cmd == "click" else 1
                self.screen.pace()
            elif cmd == "key":
                self.screen.sync()
                subprocess.run(["xdotool", "key"] + args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                self.events += 2
                args = []
        self.screen.sync()

    def at(self, p):
        return str(self.geo[0] + p[0]), str(self.geo[1] + p[1])

    def table_pixels(self):
        """The felt where a roll places the dice, as raw pixels: tells whether a roll moved them."""
        return self.screen.grab(self.geo[0] + TABLE_BOX[0], self.geo[1] + TABLE_BOX[1],
                                TABLE_BOX[2] - TABLE_BOX[0] + 1, TABLE_BOX[3] - TABLE_BOX[1] + 1).px

    def roll_lit(self):
        x0, y0, x1, y1 = ROLL_BOX
        img = self.screen.grab(self.geo[0] + x0, self.geo[1] + y0, x1 - x0 + 1, y1 - y0 + 1)
        return len(shot.cells_where(img, 0, 0, 0, 0, img.w - 1, img.h - 1, shot.is_red)) > 300

    def wait_roll(self, lit, seconds=5):
        """Waits until Roll shows lit (or dim); None when it did, else an open question (or raises)."""
        deadline = time.monotonic() + seconds
        n = 0
        while time.monotonic() < deadline:
            if self.roll_lit() == lit:
                return None
            n += 1
            if n % 10 == 0:
                self.expect_running("while it should answer")
                q = self.question()
                if q:
                    return q
            time.sleep(0.005)
        self.expect_running("while it should answer")
        q = self.question()
        if q:
            return q
        evidence = self.witness()
        # Whether a slow move, a person's, wakes it: tells a lost event from a program that hangs.
        for p in (FELT, ROLL):
            self.screen.move(*map(int, self.at((p[0] + 3, p[1] + 3))))
            self.screen.pace(0.2)
            self.screen.move(*map(int, self.at(p)))
            self.screen.pace(0.3)
        finding = Finding("Roll does not %s under the pointer within %d s; after slow moves to the felt "
                          "and to Roll it %s" % ("light up" if lit else "go dim", seconds,
                                                 "lights up" if self.roll_lit() else "still does not light up"))
        finding.evidence = evidence
        raise finding

    def witness(self):
        """What the X server shows at this moment, for a finding: the whole screen saved, the board's
        place and states, the pointer and the window under it, any question. Read fresh, not from
        what the monkey last believed."""
        shot_path = os.path.join(self.artifacts, "finding-%d.png" % self.seed)
        subprocess.run(["import", "-window", "root", shot_path], stderr=subprocess.DEVNULL)
        lines = ["the screen at the finding: %s" % shot_path]
        if self.wid:
            g = self.geometry(self.wid)
            lines.append("board %s: %s; the monkey believed it at %s; WM_STATE %s"
                         % (self.wid, "at %d,%d, %dx%d, %s" % g if g else "gone", self.geo, self.wm_state()))
        px, py, top, mask = self.screen.pointer()
        if top == (self.frame(self.wid) if self.wid else None):
            under = "the board's frame %#x" % top
        elif top:
            info = run("xwininfo", "-id", str(top))
            g = self.geometry(top)
            under = "window %#x %s, %s, %s" % (top, info.split('"')[1] if '"' in info else "(no name)",
                                              "at %d,%d, %dx%d, %s" % g if g else "gone",
                                              "InputOnly" if "InputOnly" in info else "InputOutput")
        else:
            under = "no window, the desktop"
        lines.append("pointer at %d,%d, buttons %#x; under it %s" % (px, py, mask >> 8, under))
        for visible in (True, False):
            q = self.question(visible)
            if q:
                g = self.geometry(q[0])
                lines.append("question %s %r: %s; WM_STATE %s" % (q[0], q[1], "at %d,%d, %dx%d, %s" % g if g
                                                                 else "gone", self.wm_state(q[0])))
                break
        return "\n  ".join(lines)

    def answered(self):
        """The program has handled everything sent so far: Roll lights up under the pointer and goes
        dim over the felt. Answers any question that opened on the way, at random."""
        self.restore_if_iconified_with_question()
        # Each move in two steps: a pointer already at the spot would give the program no motion.
        near_felt, near_roll = (FELT[0] + 1, FELT[1] + 1), (ROLL[0] + 1, ROLL[1] + 1)
        for _ in range(20):
            self.xdo("mousemove", *self.at(near_felt), "mousemove", *self.at(FELT))
            q = self.wait_roll(False)
            if q is None:
                self.xdo("mousemove", *self.at(near_roll), "mousemove", *self.at(ROLL))
                q = self.wait_roll(True)
            if q is None:
                self.xdo("mousemove", *self.at(near_felt), "mousemove", *self.at(FELT))
                q = self.wait_roll(False)
            if q is None:
                return
            self.answer(q, self.rng.random() < 0.5)
        raise Finding("questions keep opening")

    def restore_if_iconified_with_question(self):
        """openbox draws an iconify button on a question too (it ignores a dialog's hints against
        one) and iconifies the question together with the board it belongs to. A burst of clicks
        meant for the board lands on a question that opened in its midst, and may hit that button.
        A player would then restore the game from the window list, as here; the board must come
        back with its question. Iconic for any other reason is a finding."""
        if self.wm_state() != "Iconic":
            return
        q = self.question(visible=False)
        frame = q and self.frame(q[0])
        box = frame and self.geometry(frame)
        # openbox shrinks the frame towards the bottom of the screen before it hides it: its place
        # is known again once it is hidden.
        deadline = time.monotonic() + 2
        while box and box[4] == "IsViewable" and time.monotonic() < deadline:
            time.sleep(0.02)
            box = self.geometry(frame)
        client = q and self.geometry(q[0])
        def on_decoration(p):
            x, y, w, h, _ = box
            cx, cy, cw, ch, _ = client
            inside = x <= p[0] < x + w and y <= p[1] < y + h
            return inside and not (cx <= p[0] < cx + cw and cy <= p[1] < cy + ch)
        if not (box and client and any(p and on_decoration(p) for p in self.clicks)):
            raise Finding("the board was minimised without its minimise label (WM_STATE Iconic; "
                          "question: %s, its frame at %s; this action clicked at %s)"
                          % (q, box, self.clicks))
        self.trail.append("restored with its question, iconified by its frame's button")
        self.restores += 1
        subprocess.run(["xdotool", "windowactivate", "--sync", self.wid], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        self.wait_state("Normal")
        deadline = time.monotonic() + 5
        while self.question() != q:
            if time.monotonic() > deadline:
                raise Finding("the board came back without its open question %s" % (q,))
            time.sleep(0.02)
        self.read_geometry()

    def activate(self, wid):
        """Activates a window and waits until it has the keyboard. The window manager tells it is
        active before the program has taken the focus (it is asked to take it, and answers in its
        own time); a key typed in between goes to the window that still has it, as it would."""
        subprocess.run(["xdotool", "windowactivate", "--sync", wid], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 5
        while self.screen.focus() != int(wid):
            self.expect_running("while it should take the focus")
            if time.monotonic() > deadline:
                raise Finding("window %s is active but does not take the keyboard's focus within 5 s "
                              "(the focus is on %#x)" % (wid, self.screen.focus()))
            time.sleep(0.002)

    def answer(self, q, yes):
        wid, title = q
        self.trail.append("answer %s to '%s'" % ("Yes" if yes else "No", title))
        self.activate(wid)
        self.xdo("key", "--clearmodifiers", "Return" if yes else "Escape")
        if title == QUIT_TITLE and yes:
            self.expect_end("Quit answered Yes")
            return
        deadline = time.monotonic() + 5
        while wid in self.windows(title):
            if time.monotonic() > deadline:
                raise Finding("the question '%s' stays open after it was answered" % title)
            time.sleep(0.02)
        if title == ASK_TITLE and yes and self.pending_reset:
            self.card = {}
            self.reset_answered = True
        elif title == ASK_TITLE and yes:
            # Opened by a key on a focused control: Reset's question and a zero entry's share the
            # title. The card tells them apart (check).
            self.maybe_reset = True
        self.pending_reset = False

    # --- invariants ---------------------------------------------------------------------------------
    def check(self, fresh=False):
        info = run("xwininfo", "-shape", "-id", self.wid)
        if "Map State: IsViewable" not in info:
            raise Finding("the board window is not mapped")
        extents = [ln.split(":", 1)[1].strip() for ln in info.splitlines()
                   if ln.strip().startswith(("Window shape extents", "Bounding shape extents"))]
        if not extents or extents[0].replace(" ", "") != SHAPE:
            raise Finding("the window is not cut to its shape: %s" % (extents or "no shape"))
        img = self.screen.grab()
        ox, oy = self.geo
        dice = shot.find_dice(img, ox, oy)
        self.dice_seen = [(x, y) for x, y, _, _ in dice]
        # Right after a roll that moved them every die lies apart and shows. A die put back from the
        # holder lies where it lay before and may cover another whole, until the next roll.
        if not 1 <= len(dice) <= 5 or (self.rolled_last and len(dice) != 5):
            raise Finding("%d dice visible: %s" % (len(dice), dice))
        def touches(i):
            x, y = dice[i][:2]
            return any(j != i and x < x2 + DIE_W and x2 < x + DIE_W and y < y2 + DIE_H and y2 < y + DIE_H
                       for j, (x2, y2, _, _) in enumerate(dice))

        for i, (x, y, pips, red) in enumerate(dice):
            # A die lying on or under another (put back from the holder) is not seen whole.
            if not touches(i) and (not 1 <= pips <= 6 or red < shot.FULL_DIE_RED):
                raise Finding("die at %d,%d shows %d pips and %d red pixels" % (x, y, pips, red))
            # A die put back from the holder lies where it lay before and may cover another; a
            # roll gives every die it places a spot of its own.
            for (x2, y2, _, _) in (dice[i + 1:] if self.rolled_last else []):
                if x < x2 + DIE_W - 2 and x2 < x + DIE_W - 2 and y < y2 + DIE_H - 2 and y2 < y + DIE_H - 2:
                    raise Finding("dice at %d,%d and %d,%d overlap" % (x, y, x2, y2))

        def pixels(b):
            x0, y0, x1, y1 = b
            return b"".join(img.px[3 * ((oy + y) * img.w + ox + x0):3 * ((oy + y) * img.w + ox + x1 + 1)]
                            for y in range(y0, y1 + 1))

        def covered(b):
            return any(x < b[2] + 1 and b[0] < x + DIE_W and y < b[3] + 1 and b[1] < y + DIE_H
                       for x, y, _, _ in dice)

        boxes = {i: score_box(i) for i in range(13)}
        boxes["bonus"], boxes["total"] = BONUS_BOX, TOTAL_BOX
        if fresh:
            self.fresh = {k: pixels(b) for k, b in boxes.items()}
            self.reset_answered = False
        def written(k, now):
            return sum(1 for j in range(0, len(now), 3) if now[j:j + 3] != self.fresh[k][j:j + 3]) > 15

        if self.maybe_reset:
            # Reset answered Yes empties the card; a zero entry answered Yes leaves its 0 on it.
            if not any(written(k, pixels(b)) for k, b in boxes.items() if not covered(b)):
                self.card = {}
            self.maybe_reset = False
        any_entry = False
        for k, b in boxes.items():
            if covered(b):
                any_entry = any_entry or (k in self.card and k != "total")
                continue
            now = pixels(b)
            written_now = written(k, now)
            if k in self.card and k != "total":
                any_entry = True
                if not written_now:
                    raise Finding("box %s lost its value without a reset" % k)
                if k != 12 and now != self.card[k]:
                    raise Finding("box %s changed its value without a reset" % k)
            elif written_now and k != "total":
                self.card[k] = now
                any_entry = True
            if self.reset_answered and written_now:
                raise Finding("box %s still shows a value after Reset was answered Yes" % k)
        self.reset_answered = False
        if any_entry and not covered(TOTAL_BOX):
            now = pixels(TOTAL_BOX)
            if now == self.fresh["total"]:
                raise Finding("a box shows a value but the total is empty")
        rss = self.resident_mib()
        if rss is not None:
            self.rss_first = self.rss_first or rss
            self.rss_last = rss
            if time.monotonic() - self.started_at > 60:
                if self.rss_base is None:
                    self.rss_base = rss
                elif rss > self.rss_base + self.rss_growth:
                    raise Finding("resident memory grew from %d to %d MiB" % (self.rss_base, rss))

    # --- actions ------------------------------------------------------------------------------------
    def spot(self):
        """A random spot a player might click: Roll, a die, the felt, a holder slot or a score box."""
        kind = self.rng.choice(["roll", "die", "felt", "holder", "box", "table"])
        if kind == "roll":
            return ROLL
        if kind == "holder":
            return self.rng.choice(HOLDER)
        if kind == "box":
            return score_at(self.rng.randrange(13))
        if kind == "felt":
            return FELT
        if kind == "die" and self.dice_seen:
            x, y = self.rng.choice(self.dice_seen)
            return (x + DIE_W // 2, y + DIE_H // 2)
        return (self.rng.randint(200, 700), self.rng.randint(5, 480))

    def act(self):
        r = self.rng
        kind = r.choices(
            ["roll", "click", "burst", "roll_burst", "hover", "drag", "die_drag", "minimise", "key",
             "reset", "quit", "close", "wm_close"],
            weights=[25, 30, 6, 6, 8, 4, 3, 2, 4, 3, 2, 1, 1])[0]
        self.trail.append(kind)
        self.trail = self.trail[-40:]
        self.clicks = []
        if kind not in ("hover", "key"):
            self.rolled_last = False
        if kind == "roll":
            # A refused roll (no rolls left) leaves the dice as they lay, a die put back from the
            # holder perhaps over another: only a roll that moved them places them apart.
            table = self.table_pixels()
            self.xdo("mousemove", *self.at(ROLL), "click", "1")
            self.answered()
            self.rolled_last = self.table_pixels() != table
        elif kind == "click":
            self.xdo("mousemove", *self.at(self.spot()), "click", "1")
        elif kind in ("burst", "roll_burst"):
            args = ["mousemove", *self.at(ROLL), "click", "1"] if kind == "roll_burst" else []
            spots = [self.spot() for _ in range(r.randint(3, 10))]
            for p in spots:
                args += ["mousemove", *self.at(p), "click", "1"]
            self.trail[-1] += " at %s from %s" % (spots, self.geo)
            self.xdo(*args)
            self.screen.pace(0.02)
        elif kind == "hover":
            args = []
            for _ in range(r.randint(2, 6)):
                args += ["mousemove", *self.at(r.choice([ROLL, RESET, QUIT, FELT, self.spot()]))]
            self.xdo(*args)
        elif kind == "drag":
            self.drag()
        elif kind == "die_drag":
            self.check()  # where the dice lie now: a press beside a die would drag the window
            if self.dice_seen:
                x, y = r.choice(self.dice_seen)
                before = self.geo
                sx, sy = self.at((x + DIE_W // 2, y + DIE_H // 2))
                self.xdo("mousemove", sx, sy, "mousedown", "1", "mousemove", str(int(sx) + 40),
                         str(int(sy) + 30), "mousemove", str(int(sx) + 80), str(int(sy) + 20), "mouseup", "1")
                self.answered()
                self.read_geometry()
                if self.geo != before:
                    raise Finding("a drag that started on a die moved the window from %s to %s" % (before, self.geo))
        elif kind == "minimise":
            if r.random() < 0.5:
                self.xdo("mousemove", *self.at(ROLL), "click", "1")
            self.xdo("mousemove", *self.at(MINIMISE), "click", "1")
            self.wait_state("Iconic")
            subprocess.run(["xdotool", "windowactivate", "--sync", self.wid], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            self.wait_state("Normal")
            self.read_geometry()
        elif kind == "key":
            self.activate(self.wid)
            key = r.choice(KEYS)
            self.trail[-1] += " " + key
            self.xdo("key", key)
        elif kind == "reset":
            self.xdo("mousemove", *self.at(RESET), "click", "1")
            self.ask(ASK_TITLE, reset=True)
        elif kind == "quit":
            self.xdo("mousemove", *self.at(QUIT), "click", "1")
            self.ask(QUIT_TITLE)
        elif kind == "close":
            self.xdo("mousemove", *self.at(CLOSE), "click", "1")
            self.expect_end("the close label")
        elif kind == "wm_close":
            subprocess.run(["xdotool", "windowactivate", "--sync", self.wid], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            self.xdo("key", "--clearmodifiers", "alt+F4")
            self.expect_end("the window manager closed it (Alt+F4)")

    def ask(self, title, reset=False):
        deadline = time.monotonic() + 5
        while True:
            q = self.question()
            if q and q[1] == title:
                break
            self.expect_running("while a question should open")
            if time.monotonic() > deadline:
                raise Finding("no question '%s' after its button" % title)
            time.sleep(0.02)
        self.pending_reset = reset
        self.answer(q, self.rng.random() < 0.5)

    def wm_state(self, wid=None):
        """A window's state (the board's by default) as the window manager sets it: Normal, Iconic,
        or None."""
        words = run("xprop", "-id", str(wid or self.wid), "WM_STATE").partition("window state:")[2].split()
        return words[0] if words else None

    def wait_state(self, state):
        deadline = time.monotonic() + 5
        while self.wm_state() != state:
            self.expect_running("while minimised or restored")
            if time.monotonic() > deadline:
                # Whether it comes late or never: tells a slow desktop from a lost request.
                time.sleep(10)
                raise Finding("the window does not become %s within 5 s; 10 s later its state is %s"
                              % (state, self.wm_state()))
            time.sleep(0.02)

    def drag(self):
        """A left-button drag on the felt moves the window by as much; it stays on the screen."""
        x0, y0 = self.geo
        maxx, maxy = self.screen.w - BOARD_W, self.screen.h - BOARD_H
        tx, ty = self.rng.randint(0, maxx), self.rng.randint(0, maxy)
        dx, dy = tx - x0, ty - y0
        sx, sy = x0 + FELT[0], y0 + FELT[1]
        self.xdo("mousemove", str(sx), str(sy), "mousedown", "1",
                 "mousemove", str(sx + dx // 2), str(sy + dy // 2),
                 "mousemove", str(sx + dx), str(sy + dy))
        # The button comes up once the window is there, as a hand lets go.
        deadline = time.monotonic() + 5
        while True:
            self.read_geometry()
            if self.geo == (tx, ty):
                break
            if time.monotonic() > deadline:
                self.xdo("mouseup", "1")
                raise Finding("a drag on the felt from %d,%d to %d,%d left the window at %s"
                              % (x0, y0, tx, ty, self.geo))
            time.sleep(0.02)
        self.xdo("mouseup", "1")
        time.sleep(0.1)
        self.read_geometry()
        if self.geo != (tx, ty):
            raise Finding("the window moved on after the drag ended, to %s" % (self.geo,))

    def play(self):
        self.pending_reset = False
        self.reset_answered = False
        self.maybe_reset = False
        self.dice_seen = []
        self.start()
        began = time.monotonic()
        while self.done < self.actions:
            self.act()
            self.done += 1
            self.expect_running("without being asked to")
            self.answered()
            # Right after Reset may have been answered Yes, before any other action can fill a box.
            if self.reset_answered or self.maybe_reset or self.done % self.check_every == 0:
                self.check()
        took = time.monotonic() - began
        self.check()
        return took


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    binary, logdir, artifacts, runs = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    screen, total = Screen(), 0
    for number, run_given in enumerate(runs, 1):
        seed, _, actions = run_given.rpartition(":")
        seed = int(seed or os.environ.get("MONKEY_SEED") or int.from_bytes(os.urandom(4), "little"))
        print("monkey: run %d of %d, seed %d, %s actions (replay with MONKEY_SEED=%d)"
              % (number, len(runs), seed, actions, seed), flush=True)
        log_name = os.path.join(logdir, "app-run%d-start%%d.log" % number)
        m = Monkey(screen, binary, int(actions), log_name, artifacts, seed)
        try:
            took = m.play()
        except Finding as f:
            print("monkey: FINDING after %d actions with seed %d: %s" % (m.done, seed, f), flush=True)
            print("monkey: at that moment %s" % (f.evidence or m.witness()), flush=True)
            print("monkey: last actions: %s" % "; ".join(m.trail), flush=True)
            sys.exit(1)
        finally:
            m.stop()
        total += m.done
        print("monkey: %d actions, %d X input events, %d starts in %.0f s (%.1f actions/s), seed %d, "
              "resident memory %s MiB at the first check, %s MiB at the last; restored %d times after a "
              "question's iconify button" % (m.done, m.events, m.starts, took, m.done / took, seed, m.rss_first,
                                              m.rss_last, m.restores), flush=True)
    print("monkey: %d runs, %d actions, no finding" % (len(runs), total), flush=True)


if __name__ == "__main__":
    main()
