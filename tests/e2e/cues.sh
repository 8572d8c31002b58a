# Every cue is heard, every time: a long run of play in which each cue is listened for at the sink.
# Usage: bash cues.sh PATH/TO/quibbix [ROUNDS]

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: cues.sh PATH/TO/quibbix [ROUNDS]}
ROUNDS=${2:-9}

e2e_init cues
e2e_start_x
e2e_start_wm
e2e_start_sound
e2e_listen cues
game_launch "$BIN"

PLAYED=0
HEARD=0
# cue WHAT ACTION...: ACTION plays a cue, and it must be heard.
cue() {
    e2e_after_quiet "$@" || e2e_die "the sink does not fall quiet before: $1"
    PLAYED=$((PLAYED + 1))
    if e2e_wait_for 3 e2e_heard_more "$E2E_HEARD_BEFORE"; then
        HEARD=$((HEARD + 1))
    else
        e2e_log "not heard: cue $PLAYED, $1; the board then: $(e2e_shot "not-heard-$PLAYED")"
    fi
}

hover_roll() {
    # shellcheck disable=SC2086
    e2e_move $FELT_AT 0.05
    # shellcheck disable=SC2086
    e2e_move $ROLL_AT 0.05
}
click_at() { e2e_click "$@"; }

for ((round = 1; round <= ROUNDS; round++)); do
    cue "shake, round $round" hover_roll
    # shellcheck disable=SC2086
    cue "first roll, round $round" click_at $ROLL_AT
    dice=$(game_dice "$(game_shot "round-$round")")
    if ! dice_in_start_row "$dice" 2>/dev/null; then
        read -r x y _ <<<"$(head -n 1 <<<"$dice")"
        # shellcheck disable=SC2046
        cue "die to the holder, round $round" click_at $(die_centre "$x" "$y")
        # shellcheck disable=SC2046
        cue "die back to the table, round $round" click_at $(die_centre "${HOLDER_X[0]}" "$HOLDER_Y")
        # shellcheck disable=SC2086
        cue "second roll, round $round" click_at $ROLL_AT
        # Chance never scores zero, so no question; a five of a kind may have ended the turn already.
        # shellcheck disable=SC2046
        e2e_click $(score_box_at 11)
    fi
    # shellcheck disable=SC2086
    cue "reset, round $round" eval "e2e_click $RESET_AT; game_question 'Quibbix!!' Return"
done

e2e_check "every cue is heard: $HEARD of $PLAYED" test "$HEARD" -eq "$PLAYED"
e2e_check "a long run: at least 50 cues played ($PLAYED)" test "$PLAYED" -ge 50
# shellcheck disable=SC2086
e2e_click $CLOSE_AT
e2e_check "the program ends after the close label" e2e_wait_exit 5
e2e_finish
