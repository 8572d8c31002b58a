"""Measures sound outputs for the game's cues on a running sound server: how many plays are lost and
how long each takes from the play call to its first loud sample at the sink's monitor.

Usage: cue_bench.py SINK CUE_BENCH_PROGRAM FILE PLAYS INTERVAL_MS OUTPUT...
  OUTPUT: an output of quibbix_cue_bench (pulse, qsoundeffect, qaudiosink, sdlmixer) or paplay.

The sink must be playing a silent stream of its own (see bench/cues/run.sh), so that its monitor
runs in step with the clock. The latencies include the monitor's own delay, the same for every
output: compare them with each other and with paplay, not with zero.
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
LISTEN = os.path.join(HERE, "..", "..", "tests", "e2e", "listen.py")


def onsets(events_path):
    times = []
    for line in open(events_path):
        parts = line.split()
        if parts[0] == "onset":
            times.append(float(parts[3]))
    return times


def measure(sink, program, file, plays, interval_ms, output):
    tmp = tempfile.mkdtemp(prefix="cue-bench-")
    events = os.path.join(tmp, "events")
    listener = subprocess.Popen([sys.executable, LISTEN, sink, events, os.path.join(tmp, "raw")])
    while not (os.path.exists(events) and open(events).read().startswith("ready")):
        time.sleep(0.05)
    play_times = []
    if output == "paplay":
        time.sleep(1.0)
        for _ in range(plays):
            play_times.append(time.monotonic())
            subprocess.Popen(["paplay", file])
            time.sleep(interval_ms / 1000)
    else:
        run = subprocess.run([program, output, file, str(plays), str(interval_ms)],
                             capture_output=True, text=True, check=False)
        play_times = [float(line.split()[1]) for line in run.stdout.splitlines()
                      if line.startswith("play ")]
    time.sleep(1.0)
    listener.terminate()
    listener.wait()
    heard = onsets(events)
    latencies = []
    lost = 0
    for p in play_times:
        # The first sound that starts after the call and before the next play could start one.
        match = [t for t in heard if p - 0.002 <= t < p + interval_ms / 1000 * 0.9]
        if match:
            latencies.append((match[0] - p) * 1000)
        else:
            lost += 1
    return len(play_times), lost, latencies


def main():
    sink, program, file, plays, interval_ms = sys.argv[1:6]
    print(f"{'output':<14}{'plays':>7}{'lost':>7}{'median ms':>11}{'max ms':>9}{'min ms':>9}")
    for output in sys.argv[6:]:
        n, lost, lat = measure(sink, program, file, int(plays), int(interval_ms), output)
        if lat:
            print(f"{output:<14}{n:>7}{lost:>7}{statistics.median(lat):>11.1f}{max(lat):>9.1f}"
                  f"{min(lat):>9.1f}", flush=True)
        else:
            print(f"{output:<14}{n:>7}{lost:>7}{'-':>11}{'-':>9}{'-':>9}", flush=True)


if __name__ == "__main__":
    main()
