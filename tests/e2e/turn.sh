# Playing with the mouse: roll, hold and release a die, the pointer over Roll, score a box, the zero
# question, Reset and Quit with their questions.
# Usage: bash turn.sh PATH/TO/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: turn.sh PATH/TO/quibbix}

e2e_init turn
e2e_start_x
e2e_start_wm
e2e_start_sound
game_launch "$BIN"
fresh=$(game_shot fresh-card)

# --- roll -----------------------------------------------------------------------------------------------
game_roll first-roll
dice=$(game_dice "$GAME_SHOT")
e2e_check "a roll moves all five dice onto the table, apart, each showing a face" dice_on_table "$dice"
e2e_check "the scorecard stays empty after a roll" score_empty "$GAME_SHOT" "$fresh" "$CARD_COLUMN_BOX"

# --- hold a die and put it back -------------------------------------------------------------------------
read -r hx hy hpips _ <<<"$(head -n 1 <<<"$dice")"
others=$(tail -n +2 <<<"$dice" | cut -d' ' -f1-3 | sort)
# shellcheck disable=SC2046
e2e_click $(die_centre "$hx" "$hy")
held_shot=$(game_shot held)
held=$(game_dice "$held_shot")
in_slot=$(awk -v x="${HOLDER_X[0]}" -v y="$HOLDER_Y" -v s="$SLACK" -v p="$hpips" \
    '($1 - x) ^ 2 <= s * s && ($2 - y) ^ 2 <= s * s && $3 == p' <<<"$held")
e2e_check "the clicked die ($hpips pips at $hx,$hy) moves to the first holder slot" test -n "$in_slot"
e2e_check "the other four dice stay where they were" \
    test "$(grep -v "^$(cut -d' ' -f1-2 <<<"$in_slot") " <<<"$held" | cut -d' ' -f1-3 | sort)" = "$others"

# shellcheck disable=SC2046
e2e_click $(die_centre "${HOLDER_X[0]}" "$HOLDER_Y")
back_shot=$(game_shot put-back)
slot_red=$(e2e_img count "$back_shot" "${HOLDER_X[0]}" "$HOLDER_Y" $((HOLDER_X[0] + DIE_W - 1)) $((HOLDER_Y + DIE_H - 1)) red)
e2e_check "a second click takes the die out of the holder ($slot_red red pixels left in the slot)" test "$slot_red" -lt 50
# The die lands on a random spot, possibly partly under another die; what is new is red that was not
# there before, and it must lie where a put-back die may lie.
read -r n x0 y0 x1 y1 < <(e2e_img newred "$back_shot" "$held_shot" 0 0 788 480)
e2e_check "the die shows up on the table again ($n new red pixels, within $x0,$y0..$x1,$y1)" \
    test "$n" -gt 500 -a "${x0:-9999}" -ge $PUTBACK_X0 -a "${y0:-9999}" -ge $PUTBACK_Y0 \
    -a "${x1:-0}" -le $((PUTBACK_X1 + DIE_W - 1)) -a "${y1:-0}" -le $((PUTBACK_Y1 + DIE_H - 1))

# --- the pointer over Roll and the refused roll ---------------------------------------------------------------
# shellcheck disable=SC2086
e2e_move $ROLL_AT
e2e_check "after one roll the pointer over Roll is the arrow" eval '! cursor_is_no_entry'
while ((GAME_ROLLS < 3)); do game_roll "roll-$((GAME_ROLLS + 1))"; done
e2e_check "the third roll still moves the dice" dice_on_table "$(game_dice "$GAME_SHOT")"
third=$GAME_SHOT
# shellcheck disable=SC2086
e2e_move $ROLL_AT
e2e_check "after the third roll the pointer over Roll is the no-entry sign" cursor_is_no_entry
# shellcheck disable=SC2086
e2e_click $ROLL_AT
refused=$(game_shot refused-roll)
e2e_check "a fourth roll is refused: nothing on the board changes" \
    test "$(e2e_img diff "$refused" "$third" 0 2 788 595)" -eq 0

# --- score a box -----------------------------------------------------------------------------------------
# Chance is the sum of the pips, never 0, so it asks nothing.
# shellcheck disable=SC2046
e2e_click $(score_box_at 11)
scored=$(game_shot scored-chance)
e2e_check "no question for a nonzero score" test -z "$(e2e_find_window 'Quibbix!!')"
e2e_check "Chance shows its points" score_written "$scored" "$fresh" "$(score_digits_box 11)"
e2e_check "the total shows" score_written "$scored" "$fresh" "$TOTAL_DIGITS_BOX"
for i in 0 1 2 3 4 5 6 7 8 9 10 12; do
    e2e_check "box $i stays empty" score_empty "$scored" "$fresh" "$(score_digits_box "$i")"
done
e2e_check "the dice go back to the start row" dice_in_start_row "$(game_dice "$scored")"
# shellcheck disable=SC2086
e2e_move $ROLL_AT
e2e_check "with a new turn the pointer over Roll is the arrow again" eval '! cursor_is_no_entry'
GAME_ROLLS=0

# A click on an open box before the turn's first roll enters nothing.
# shellcheck disable=SC2046
e2e_click $(score_box_at 0)
e2e_check "a box clicked before rolling stays empty" \
    score_empty "$(game_shot box-before-roll)" "$fresh" "$(score_digits_box 0)"

# --- the zero question ----------------------------------------------------------------------------------
game_roll before-zero
before_zero=$GAME_SHOT
# shellcheck disable=SC2046
e2e_click $(score_box_at 12)
e2e_check "box 12 asks before scoring zero (a 'Quibbix!!' question box)" game_question 'Quibbix!!' Escape
after_no=$(game_shot zero-answered-no)
e2e_check "No leaves box 12 empty" score_empty "$after_no" "$fresh" "$(score_digits_box 12)"
e2e_check "No leaves the total as it was" score_empty "$after_no" "$before_zero" "$TOTAL_DIGITS_BOX"
e2e_check "No leaves the dice where they were" \
    test "$(game_dice "$after_no")" = "$(game_dice "$before_zero")"
# shellcheck disable=SC2046
e2e_click $(score_box_at 12)
e2e_check "asked again, Return answers Yes" game_question 'Quibbix!!' Return
after_yes=$(game_shot zero-answered-yes)
e2e_check "Yes writes 0 into box 12" score_written "$after_yes" "$fresh" "$(score_digits_box 12)"
e2e_check "and ends the turn: dice back in the start row" dice_in_start_row "$(game_dice "$after_yes")"

# --- reset ------------------------------------------------------------------------------------------------
# shellcheck disable=SC2086
e2e_click $RESET_AT
e2e_check "Reset asks first (a 'Quibbix!!' question box)" game_question 'Quibbix!!' Escape
kept=$(game_shot reset-answered-no)
e2e_check "No keeps the card" score_empty "$kept" "$after_yes" "$CARD_COLUMN_BOX"
# shellcheck disable=SC2086
e2e_click $RESET_AT
e2e_check "Reset asks again; Return answers Yes" game_question 'Quibbix!!' Return
cleared=$(game_shot reset-answered-yes)
e2e_check "Yes clears every box, the bonus and the total" score_empty "$cleared" "$fresh" "$CARD_COLUMN_BOX"

# --- quit -------------------------------------------------------------------------------------------------
# shellcheck disable=SC2086
e2e_click $QUIT_AT
e2e_check "Quit asks first (a 'Quibbix!' question box)" game_question 'Quibbix!' Escape
e2e_settle
e2e_check "No keeps the game running" e2e_app_running
e2e_check "and its window on the screen" test -n "$(e2e_find_window "$GAME_TITLE")"
# shellcheck disable=SC2086
e2e_click $QUIT_AT
e2e_check "Quit asks again; Return answers Yes" game_question 'Quibbix!' Return
e2e_check "Yes ends the program" e2e_wait_exit 5
e2e_check "exit code 0 (got ${E2E_APP_RC:-none})" test "${E2E_APP_RC:-none}" = 0

e2e_finish
