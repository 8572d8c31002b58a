# A seeded random player on the real program (monkey.py): every action a player could take on the
# board, its questions and the window, with the invariants read from outside after each.
# Usage: bash monkey.sh PATH/TO/quibbix [ACTIONS]
# MONKEY_SEED=N replays a run (the seed is printed on every run); ACTIONS defaults to 300.

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: monkey.sh PATH/TO/quibbix [ACTIONS]}
ACTIONS=${2:-300}

e2e_init "monkey-$ACTIONS"
e2e_start_x
e2e_start_wm
e2e_start_sound
e2e_check "$ACTIONS random actions break none of the invariants" \
    "$E2E_PYTHON" "$E2E_HERE/monkey.py" "$BIN" "$ACTIONS" "$E2E_TMP" "$E2E_ART"
e2e_finish
