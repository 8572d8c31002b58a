# A click to the last pixels it changes, side by side on a private X server without a window
# manager, with a sound server (the game plays a cue on every roll): the game's Roll and a die
# against a bare Qt window that moves five widgets.
# Usage: bash bench/click/run.sh BUILD_DIR [ROLLS]
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../tests/e2e/harness.sh"
BUILD=${1:?usage: run.sh BUILD_DIR [ROLLS]}
ROLLS=${2:-102}

e2e_init click-bench
e2e_start_x
e2e_start_sound
"$BUILD/bench/quibbix_click_bench" --rolls "$ROLLS" "$BUILD/quibbix" "$BUILD/bench/quibbix_bare_mover"
