# The sound cues reach a real sound server: the null sink's monitor is recorded around each action.
# Usage: bash sound.sh PATH/TO/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: sound.sh PATH/TO/quibbix}

e2e_init sound
e2e_start_x
e2e_start_wm
e2e_start_sound
e2e_listen sound
game_launch "$BIN"
# shellcheck disable=SC2086
e2e_move $FELT_AT

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

e2e_expect_sound "shake cue on the first hover over Roll" point_at_roll
e2e_expect_silence "no shake cue on the second hover" point_at_roll
e2e_expect_sound "roll cue when a roll is accepted" click_roll
GAME_ROLLS=1
# Five equal dice (1 in 1296) score themselves and end the turn; then roll on, as a player would.
if dice_in_start_row "$(game_dice "$(game_shot after-roll)")" 2>/dev/null; then
    e2e_log "five of a kind came up; rolling again"
    GAME_ROLLS=0
    game_roll again
fi
e2e_expect_sound "die-click cue when a die goes to the holder" click_first_die on-table
e2e_expect_sound "die-click cue when it leaves the holder" click_held_die
# Use up the turn's rolls; the fourth is refused in silence.
while ((GAME_ROLLS < 3)); do game_roll "roll-$((GAME_ROLLS + 1))"; done
before=$(game_shot before-refused)
e2e_expect_silence "a refused roll" click_roll
e2e_check "the refused roll moved nothing" test "$(e2e_img diff "$(game_shot after-refused)" "$before" 0 2 788 595)" -eq 0
e2e_expect_silence "scoring a box" click_box 11
e2e_expect_silence "a click on a die in the start row" click_first_die start-row
e2e_expect_sound "a scored box arms the shake cue again" point_at_roll
e2e_expect_sound "reset cue after Yes" reset_yes

# One cue at a time: the pointer reaches Roll (shake cue, armed again by a score) and clicks it at
# once (roll cue). The recording must hold the start of the shake and then the roll cue alone.
click_box 0  # no roll yet: it only arms the shake cue
# shellcheck disable=SC2086
e2e_move $FELT_AT
e2e_wait_for 10 e2e_sink_quiet
cut_from=$(e2e_sounds_heard)
# The click follows as soon as the shake is heard, so the shake has surely started, whatever the
# machine's load, and is far from its end.
shake_then_roll() {
    local ax ay before
    # shellcheck disable=SC2086
    read -r ax ay < <(e2e_abs $ROLL_AT)
    before=$(e2e_sounds_heard)
    xdotool mousemove "$ax" "$ay"
    e2e_wait_for 3 e2e_heard_more "$before"
    xdotool click 1
}
e2e_expect_sound "shake cue cut short by the roll cue" shake_then_roll
e2e_wait_for 10 e2e_sink_quiet
e2e_check "the shake cue stops where the roll cue starts" \
    "$E2E_PYTHON" "$E2E_HERE/cut.py" "$E2E_RAW" "$E2E_EVENTS" "$cut_from" \
    "$(dirname "$BIN")/Shakedice.wav" "$(dirname "$BIN")/rolldice.wav"

# shellcheck disable=SC2086
e2e_click $CLOSE_AT
e2e_check "the program ends after the close label" e2e_wait_exit 5
e2e_finish
