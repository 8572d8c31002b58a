# A seeded random player on the real program (monkey.py): every action a player could take on the
# board, its questions and the window, with the invariants read from outside after each.
# Usage: bash monkey.sh PATH/TO/quibbix [ACTIONS]          one run; MONKEY_SEED=N replays seed N
#        bash monkey.sh PATH/TO/quibbix --replay FILE      each "SEED ACTIONS" line of FILE in turn
#        bash monkey.sh PATH/TO/quibbix --seeds N [ACTIONS]  N new seeds in a row
# ACTIONS defaults to 300; every seed is printed, and the first finding ends the runs.

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: monkey.sh PATH/TO/quibbix [ACTIONS | --replay FILE | --seeds N [ACTIONS]]}
runs=()
case ${2:-} in
    --replay)
        while read -r seed actions _; do
            [[ $seed =~ ^[0-9]+$ ]] && runs+=("$seed:$actions")
        done <"${3:?--replay needs a file of seeds}"
        name=replay ;;
    --seeds)
        for ((i = 0; i < ${3:?--seeds needs a count}; i++)); do runs+=("${4:-300}"); done
        name=seeds-$3 ;;
    *)
        runs=("${2:-300}")
        name=monkey-${2:-300} ;;
esac

e2e_init "$name"
e2e_start_x
e2e_start_wm
e2e_start_sound
e2e_check "${#runs[@]} runs of random actions break none of the invariants" \
    "$E2E_PYTHON" "$E2E_HERE/monkey.py" "$BIN" "$E2E_TMP" "$E2E_ART" "${runs[@]}"
e2e_finish
