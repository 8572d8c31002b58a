"""A pointer for a wlroots compositor (sway), through its virtual-pointer protocol: the compositor
takes it for one more mouse and routes its motion and buttons as it routes a real one's, to the
surface under the cursor, its grabs and its interactive moves included.

Reads one command a line on stdin and answers "ok" once the compositor has taken it:
  move X Y      the cursor to (X, Y) of the output layout
  press         the left button down
  release       the left button up
The device lives as long as this process, so a press and its release reach the client as one
pointer's (a device made and gone per command would take the seat's pointer away between them).

Usage: python3 wlpointer.py WIDTH HEIGHT   (the layout's size; WAYLAND_DISPLAY names the socket)

Plain Wayland wire protocol over the socket: no library of Debian's speaks this protocol from
Python, and it needs no file descriptors.
"""

import os
import socket
import struct
import sys
import time

BUTTON_LEFT = 0x110  # BTN_LEFT from linux/input-event-codes.h


class Connection:
    def __init__(self, path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.next_id = 2  # 1 is wl_display
        self.buffer = b""

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def send(self, target, opcode, payload=b""):
        size = 8 + len(payload)
        self.sock.sendall(struct.pack("<II", target, (size << 16) | opcode) + payload)

    def events(self):
        """Yields (object, opcode, payload) as they arrive; blocks for more."""
        while True:
            while len(self.buffer) >= 8:
                target, word = struct.unpack_from("<II", self.buffer)
                size = word >> 16
                if len(self.buffer) < size:
                    break
                payload = self.buffer[8:size]
                self.buffer = self.buffer[size:]
                yield target, word & 0xFFFF, payload
            chunk = self.sock.recv(65536)
            if not chunk:
                raise SystemExit("wlpointer: the compositor closed the connection")
            self.buffer += chunk

    def roundtrip(self):
        """Returns once the compositor has handled every request sent before; dies on a protocol
        error."""
        callback = self.new_id()
        self.send(1, 0, struct.pack("<I", callback))  # wl_display.sync
        for target, opcode, payload in self.events():
            if target == 1 and opcode == 0:  # wl_display.error
                _, code = struct.unpack_from("<II", payload)
                raise SystemExit(f"wlpointer: protocol error {code}: {string_at(payload, 8)[0]}")
            if target == callback and opcode == 0:
                return


def string_at(payload, offset):
    (length,) = struct.unpack_from("<I", payload, offset)
    text = payload[offset + 4 : offset + 4 + length - 1].decode()
    return text, offset + 4 + (length + 3) // 4 * 4


def wire_string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def main():
    width, height = int(sys.argv[1]), int(sys.argv[2])
    runtime = os.environ["XDG_RUNTIME_DIR"]
    display = os.environ.get("WAYLAND_DISPLAY", "wayland-0")
    conn = Connection(display if display.startswith("/") else os.path.join(runtime, display))

    registry = conn.new_id()
    conn.send(1, 1, struct.pack("<I", registry))  # wl_display.get_registry
    callback = conn.new_id()
    conn.send(1, 0, struct.pack("<I", callback))
    globals_ = {}
    for target, opcode, payload in conn.events():
        if target == registry and opcode == 0:
            (name,) = struct.unpack_from("<I", payload)
            interface, offset = string_at(payload, 4)
            (version,) = struct.unpack_from("<I", payload, offset)
            globals_.setdefault(interface, (name, version))
        elif target == callback and opcode == 0:
            break

    def bind(interface, version):
        if interface not in globals_:
            raise SystemExit(f"wlpointer: the compositor offers no {interface}")
        name, offered = globals_[interface]
        object_id = conn.new_id()
        conn.send(registry, 0, struct.pack("<I", name) + wire_string(interface)
                  + struct.pack("<II", min(version, offered), object_id))
        return object_id

    seat = bind("wl_seat", 1)
    manager = bind("zwlr_virtual_pointer_manager_v1", 1)
    pointer = conn.new_id()
    conn.send(manager, 0, struct.pack("<II", seat, pointer))  # create_virtual_pointer
    conn.roundtrip()

    start = time.monotonic()

    def now():
        return int((time.monotonic() - start) * 1000) & 0xFFFFFFFF

    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "move" and len(words) == 3:
            x, y = int(words[1]), int(words[2])
            conn.send(pointer, 1, struct.pack("<IIIII", now(), x, y, width, height))
        elif words[0] in ("press", "release") and len(words) == 1:
            conn.send(pointer, 2, struct.pack("<III", now(), BUTTON_LEFT, words[0] == "press"))
        else:
            raise SystemExit(f"wlpointer: not a command: {line.strip()}")
        conn.send(pointer, 4, struct.pack("<I", now()))  # frame
        conn.roundtrip()
        print("ok", flush=True)


if __name__ == "__main__":
    main()
