"""Checks in a recording of the sink (listen.py) that one cue cut another short: sound N+1 opens
with the first cue, sample for sample, for at least 10 ms but not to its end, and once the second
cue starts the recording holds that cue alone, sample for sample, to its end. The sink mixes in
blocks, so the first cue may still sound in the block where the second begins: at most 25 ms.

Usage: cut.py RAW EVENTS N FIRST.wav SECOND.wav
"""

import os
import sys
import time
import wave

import numpy as np

RATE = 44100


def cue(path):
    with wave.open(path) as w:
        assert w.getframerate() == RATE and w.getsampwidth() == 2
        samples = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(np.float64)
        return samples.reshape(-1, w.getnchannels())[:, 0]


def main():
    raw_path, events_path, n, first_path, second_path = sys.argv[1:6]
    onset = None
    for line in open(events_path):
        parts = line.split()
        if parts[0] == "onset" and int(parts[1]) == int(n) + 1:
            onset = float(parts[2])
    if onset is None:
        print(f"  no sound {int(n) + 1} in the recording", file=sys.stderr)
        return 1
    first, second = cue(first_path), cue(second_path)
    start = max(0, int(onset * RATE) - RATE // 10)
    # The sink goes quiet before the second cue's file ends (its last tenth of a second is silence),
    # and the listener may not have written that far yet: wait until the recording holds the whole
    # stretch looked at. The listener records on without a break, so it grows as time passes.
    wanted_bytes = (start + len(first) + len(second) + RATE) * 4
    deadline = time.monotonic() + 15
    while os.path.getsize(raw_path) < wanted_bytes and time.monotonic() < deadline:
        time.sleep(0.05)
    recording = np.fromfile(raw_path, dtype="<i2").astype(np.float64).reshape(-1, 2)
    left, right = recording[:, 0], recording[:, 1]
    window = left[start:start + len(first) + len(second) + RATE]

    # Where the second cue starts: the best match of its opening 100 ms.
    probe = second[:RATE // 10]
    scores = np.correlate(window[:len(window) - len(probe)], probe, mode="valid")
    at = int(np.argmax(scores))
    played = window[at:at + len(second)]
    if len(played) < len(second):
        print("  the recording ends before the second cue does", file=sys.stderr)
        return 1
    residue = np.nonzero(np.abs(played - second) > 2)[0]
    lingers = int(residue[-1]) + 1 if len(residue) else 0
    # Where the first cue starts, found the same way, and for how long the recording follows it.
    probe = first[:RATE // 20]
    scores = np.correlate(window[:at], probe, mode="valid")
    first_start = int(np.argmax(scores))
    opening = window[first_start:first_start + len(first)]
    differs = np.nonzero(np.abs(opening - first[:len(opening)]) > 2)[0]
    heard_first = int(differs[0]) if len(differs) else len(opening)
    print(f"  first cue heard for {heard_first / RATE * 1000:.0f} ms of {len(first) / RATE * 1000:.0f} ms; "
          f"the second cue starts {(at - first_start) / RATE * 1000:.0f} ms after it, the first lingers "
          f"{lingers / RATE * 1000:.1f} ms into it, then the second is heard alone to its end")
    ok = (RATE // 100 <= heard_first < len(first) and lingers <= RATE * 25 // 1000
          and np.array_equal(left[start:start + len(window)], right[start:start + len(window)]))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
