# Runs the cue-output measurement on a private PulseAudio with a null sink (no X server needed).
# Usage: bash bench/cues/run.sh BUILD_DIR [PLAYS] [INTERVAL_MS] [OUTPUT...]
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../tests/e2e/harness.sh"
BUILD=${1:?usage: run.sh BUILD_DIR [PLAYS] [INTERVAL_MS] [OUTPUT...]}
PLAYS=${2:-200}
INTERVAL=${3:-700}
shift 3 2>/dev/null
OUTPUTS=("$@")
((${#OUTPUTS[@]})) || OUTPUTS=(paplay pulse qsoundeffect qaudiosink sdlmixer)

e2e_init cue-bench
e2e_start_sound
# The same silent stream the end-to-end tests use: the monitor then runs in step with the clock.
e2e_bg keepalive pacat --raw --format=s16le --channels=2 --rate=44100 --latency-msec=10 /dev/zero
"$E2E_PYTHON" "$HERE/cue_bench.py" "$E2E_SINK" "$BUILD/bench/quibbix_cue_bench" \
    "$BUILD/softplop.wav" "$PLAYS" "$INTERVAL" "${OUTPUTS[@]}"
