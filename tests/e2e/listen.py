"""Listens to a sound server's sink as it plays: records the sink's monitor without a break and
writes what it hears as events, one a line, as soon as it hears them:

    ready                   the recording runs
    onset N T M             the N-th sound starts, T seconds into the recording, at monotonic
                            time M (its first sample louder than 1 %)
    quiet N T               silence again after it

A sound starts with the first 10 ms block louder than 1 % of full scale after at least 200 ms of
silence (every block below 0.1 %), and ends with the next 200 ms of silence; cues never fall silent
that long inside themselves.

Usage: listen.py SINK EVENTS RAW
The recording itself goes to RAW (signed 16-bit stereo at 44.1 kHz) for a later look.
"""

import os
import signal
import subprocess
import sys
import time
from array import array

RATE = 44100
CHANNELS = 2
BLOCK = RATE // 100  # frames in 10 ms
LOUD = 0.01 * 32768
SILENT = 0.001 * 32768
QUIET_BLOCKS = 20


def main():
    sink, events_path, raw_path = sys.argv[1:4]
    recorder = subprocess.Popen(
        ["parec", f"--device={sink}.monitor", "--raw", "--format=s16le", f"--channels={CHANNELS}",
         f"--rate={RATE}", "--latency-msec=10"],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    signal.signal(signal.SIGTERM, lambda *_: (recorder.terminate(), sys.exit(0)))
    events = open(events_path, "w", buffering=1)
    raw = open(raw_path, "wb")
    frames = 0
    onsets = 0
    quiet_run = 0
    armed = True  # the recording starts as if after silence
    in_sound = False
    pending = b""
    ready = False
    block_bytes = BLOCK * CHANNELS * 2
    while True:
        data = os.read(recorder.stdout.fileno(), 65536)
        if not data:
            break
        arrived = time.monotonic()
        raw.write(data)
        pending += data
        whole = len(pending) // block_bytes * block_bytes
        chunk, pending = pending[:whole], pending[whole:]
        samples = array("h", chunk)
        blocks = len(samples) // (BLOCK * CHANNELS)
        for b in range(blocks):
            part = samples[b * BLOCK * CHANNELS:(b + 1) * BLOCK * CHANNELS]
            peak = max(max(part), -min(part))
            at = frames / RATE
            # Monotonic time at which this block reached us: the newest data arrived just now.
            behind = (blocks - b) * BLOCK / RATE + len(pending) / (CHANNELS * 2 * RATE)
            if peak < SILENT:
                quiet_run += 1
                if quiet_run >= QUIET_BLOCKS:
                    armed = True
                    if in_sound:
                        in_sound = False
                        events.write(f"quiet {onsets} {at:.3f}\n")
            else:
                quiet_run = 0
            # A sound may open with a soft block or two before it is loud: what counts is the
            # silence before it.
            if peak > LOUD and armed:
                armed = False
                in_sound = True
                onsets += 1
                first = next(i for i, v in enumerate(part) if abs(v) > LOUD) // CHANNELS
                events.write(f"onset {onsets} {at + first / RATE:.4f} {arrived - behind + first / RATE:.4f}\n")
            frames += BLOCK
        if not ready and frames > 0:
            ready = True
            events.write("ready\n")
        raw.flush()


if __name__ == "__main__":
    main()
