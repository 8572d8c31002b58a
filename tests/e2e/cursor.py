#!/usr/bin/env python3
"""Prints the pointer's current cursor as the X server shows it: "WIDTH HEIGHT XHOT YHOT".

The XFixes extension hands out the cursor image whatever window or toolkit set it, which is the only
reliable way to see from outside which pointer the program chose. Standard library only (ctypes).
"""
import ctypes
import ctypes.util
import sys


class XFixesCursorImage(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_short), ("y", ctypes.c_short),
        ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
        ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
        ("cursor_serial", ctypes.c_ulong),
        ("pixels", ctypes.POINTER(ctypes.c_ulong)),
        ("atom", ctypes.c_ulong),
        ("name", ctypes.c_char_p),
    ]


def main():
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(XFixesCursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                            ctypes.POINTER(ctypes.c_int)]

    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    event_base, error_base = ctypes.c_int(), ctypes.c_int()
    if not xfixes.XFixesQueryExtension(display, ctypes.byref(event_base), ctypes.byref(error_base)):
        sys.exit("the X server has no XFIXES extension")
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        sys.exit("XFixesGetCursorImage failed")
    c = image.contents
    print(c.width, c.height, c.xhot, c.yhot)
    xlib.XFree(image)
    xlib.XCloseDisplay(display)


if __name__ == "__main__":
    main()
