# The sound cues reach a real sound server: the null sink's monitor is recorded around each action.
# Usage: bash sound.sh PATH/TO/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: sound.sh PATH/TO/quibbix}

e2e_init sound
e2e_start_x
e2e_start_wm
e2e_start_sound
game_launch "$BIN"
# shellcheck disable=SC2086
e2e_move $FELT_AT

# expect_cue TAG WHAT loud|silent ACTION...: record around ACTION into TAG.wav and judge the recording.
# The monitor must be quiet first, so a cue still sounding from the last step cannot pass for this one.
expect_cue() {
    local tag=$1 what=$2 want=$3 peak
    shift 3
    e2e_wait_quiet 10 || { e2e_check "the sink goes quiet before: $what" false; return; }
    e2e_record_start "$tag"
    "$@"
    sleep 1
    peak=$(e2e_record_stop)
    if [[ $want == loud ]]; then
        e2e_check "$what: sound reaches the server (peak $peak)" e2e_loud "$peak"
    else
        e2e_check "$what: nothing plays (peak $peak)" e2e_silent "$peak"
    fi
}

point_at_roll() {
    # shellcheck disable=SC2086
    e2e_move $FELT_AT
    # shellcheck disable=SC2086
    e2e_move $ROLL_AT
}
click_roll() {
    # shellcheck disable=SC2086
    e2e_click $ROLL_AT
}
click_first_die() {
    local x y _
    read -r x y _ <<<"$(game_dice "$(game_shot "$1")" | head -n 1)"
    # shellcheck disable=SC2046
    e2e_click $(die_centre "$x" "$y")
}
click_held_die() {
    # shellcheck disable=SC2046
    e2e_click $(die_centre "${HOLDER_X[0]}" "$HOLDER_Y")
}
click_box() {
    # shellcheck disable=SC2046
    e2e_click $(score_box_at "$1")
}
reset_yes() {
    # shellcheck disable=SC2086
    e2e_click $RESET_AT
    game_question 'Quibbix!!' Return
}

expect_cue shake "shake cue on the first hover over Roll" loud point_at_roll
expect_cue shake-spent "no shake cue on the second hover" silent point_at_roll
expect_cue roll "roll cue when a roll is accepted" loud click_roll
GAME_ROLLS=1
# Five equal dice (1 in 1296) score themselves and end the turn; then roll on, as a player would.
if dice_in_start_row "$(game_dice "$(game_shot after-roll)")" 2>/dev/null; then
    e2e_log "five of a kind came up; rolling again"
    GAME_ROLLS=0
    game_roll again
fi
expect_cue die-held "die-click cue when a die goes to the holder" loud click_first_die on-table
expect_cue die-back "die-click cue when it leaves the holder" loud click_held_die
# Use up the turn's rolls; the fourth is refused in silence.
while ((GAME_ROLLS < 3)); do game_roll "roll-$((GAME_ROLLS + 1))"; done
before=$(game_shot before-refused)
expect_cue refused "a refused roll" silent click_roll
e2e_check "the refused roll moved nothing" test "$(e2e_img diff "$(game_shot after-refused)" "$before" 0 2 788 595)" -eq 0
expect_cue scored "scoring a box" silent click_box 11
expect_cue die-at-start "a click on a die in the start row" silent click_first_die start-row
expect_cue shake-again "a scored box arms the shake cue again" loud point_at_roll
expect_cue reset "reset cue after Yes" loud reset_yes

# shellcheck disable=SC2086
e2e_click $CLOSE_AT
e2e_check "the program ends after the close label" e2e_wait_exit 5
e2e_finish
