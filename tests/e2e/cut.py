"""Checks in a recording of the sink (listen.py) that one cue cut another short: sound N+1 starts
with the first cue's opening samples, and from the moment the second cue starts the recording holds
that cue alone, sample for sample, to its end.

Usage: cut.py RAW EVENTS N FIRST.wav SECOND.wav
"""

import sys
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
    recording = np.fromfile(raw_path, dtype="<i2").astype(np.float64).reshape(-1, 2)
    left, right = recording[:, 0], recording[:, 1]
    first, second = cue(first_path), cue(second_path)
    start = max(0, int(onset * RATE) - RATE // 10)
    window = left[start:start + len(first) + len(second) + RATE]

    # Where the second cue starts: the best match of its opening 100 ms.
    probe = second[:RATE // 10]
    scores = np.correlate(window[:len(window) - len(probe)], probe, mode="valid")
    at = int(np.argmax(scores))
    played = window[at:at + len(second)]
    if len(played) < len(second):
        print("  the recording ends before the second cue does", file=sys.stderr)
        return 1
    rest = np.sum((played - second) ** 2) / np.sum(second ** 2)
    # Where the first cue starts: the first loud sample of the sound.
    loud = np.nonzero(np.abs(window) > 0.01 * 32768)[0]
    first_start = int(loud[0]) - int(np.nonzero(np.abs(first) > 0.01 * 32768)[0][0])
    heard_first = at - first_start
    opening = window[first_start:at]
    first_rest = np.sum((opening - first[:len(opening)]) ** 2) / max(1.0, np.sum(first[:len(opening)] ** 2))
    print(f"  first cue heard for {heard_first / RATE * 1000:.0f} ms of {len(first) / RATE * 1000:.0f} ms "
          f"(difference {first_rest:.2e}); then the second cue alone (difference {rest:.2e})")
    ok = (0 < heard_first < len(first) and first_rest < 1e-3 and rest < 1e-3
          and np.array_equal(left[start:start + len(window)], right[start:start + len(window)]))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
