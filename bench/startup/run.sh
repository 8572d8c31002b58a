# Start-up side by side on a private X server without a window manager: the bare Qt window and the
# game, with a sound server and without one.
# Usage: bash bench/startup/run.sh BUILD_DIR [RUNS] [OTHER_PROGRAM...]
# Under dbus-run-session the programs get that session bus, as on a desktop; otherwise an address
# where no bus answers.
# Other programs (say, the game built from an older commit) run in the same rounds, after the game.
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../tests/e2e/harness.sh"
BUILD=${1:?usage: run.sh BUILD_DIR [RUNS]}
RUNS=${2:-12}
OTHERS=("${@:3}")

e2e_init startup-bench
e2e_use_session_bus || true
e2e_start_x
bench() { "$BUILD/bench/quibbix_startup_bench" --runs "$RUNS" --idle-ms 2000 "$BUILD/bench/quibbix_bare_window" "$BUILD/quibbix" "${OTHERS[@]}"; }
echo "== without a sound server"
PULSE_SERVER=unix:$E2E_TMP/run/no-such-server bench
e2e_start_sound
echo "== with a sound server (PulseAudio, null sink)"
bench
