# The game as a screen reader finds it over AT-SPI: every control has a role and a name; Roll's
# action rolls, and the dice's names then tell the faces the screen shows; a box's action scores, its
# name and value then read what the box shows, and the changes of value are told; no action acts
# behind an open question, then or later; Reset's action clears the values. Runs under
# dbus-run-session.
# Usage: dbus-run-session -- bash access.sh PATH/TO/quibbix PATH/TO/quibbix_card_picture

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: access.sh PATH/TO/quibbix PATH/TO/quibbix_card_picture}
GAME_CARD_PICTURE=${2:?usage: access.sh PATH/TO/quibbix PATH/TO/quibbix_card_picture}
game_read_captions

e2e_init access
game_start_accessible "$BIN"
fresh=$(game_shot fresh)

# --- the tree ----------------------------------------------------------------------------------------
tree=$(game_a11y tree)
printf '%s\n' "$tree" >"$E2E_ART/tree.txt"
e2e_check "the tree holds the board's controls ($(grep -c . <<<"$tree") objects)" test "$(grep -c . <<<"$tree")" -ge 27
e2e_check "no object is an unnamed filler" test -z "$(awk -F'|' '$1 == "filler" || $2 == ""' <<<"$tree")"
for control in "Roll, 3 rolls left" Reset Quit Minimise Close; do
    e2e_check "'$control' is a push button with a Press action" \
        eval 'grep -F "|$control|" <<<"$tree" | grep -q "^push button|.*|Press\(,\|$\)"'
done
e2e_check "five dice, each a push button named with its face" \
    test "$(grep -c '^push button|Die [1-5], six, on the table|' <<<"$tree")" -eq 5
e2e_check "thirteen open boxes, each a push button" \
    test "$(grep -c '^push button|[^|]*, open|' <<<"$tree")" -eq 13
e2e_check "bonus and total are labels" grep -q '^label|Bonus, none|' <<<"$tree"
e2e_check "the total is a label" grep -q '^label|Total, none|' <<<"$tree"
e2e_check "before any key no control has the focus" test -z "$(game_a11y focused)"
values=$(game_a11y values)
printf '%s\n' "$values" >"$E2E_ART/values.txt"
e2e_check "the thirteen boxes, the bonus and the total have values, and nothing else has" \
    test "$(grep -c . <<<"$values")" -eq 15
e2e_check "none of them holds a number yet (not even 0)" test "$(game_card_values | grep -c -x -- -)" -eq 15
for range in "Ones, open|nan|0|5" "Sixes, open|nan|0|30" "Large straight, open|nan|0|40" \
    "Bonus, none|nan|0|35"; do
    e2e_check "range and value: $range" grep -q -x -F "$range" <<<"$values"
done

# --- Roll through its action ---------------------------------------------------------------------------
e2e_check "Roll's action rolls" game_a11y_roll game_a11y press "Roll"
rolled=$(game_shot rolled)
seen=$(game_dice "$rolled")
e2e_check "the action rolled: five dice on the table" dice_on_table "$seen"
e2e_check "Roll now says two rolls are left" test "$(game_a11y_name Roll)" = "Roll, 2 rolls left"
read -r wx wy _ < <(e2e_geometry)
said=$(game_a11y dice | awk -v x="$wx" -v y="$wy" '{ print $1 - x, $2 - y, $3 }')
dice_match() {
    local x y face sx sy pips red found
    while read -r x y face; do
        found=0
        while read -r sx sy pips red; do
            near "$x" "$sx" && near "$y" "$sy" && ((pips == face)) && found=1
        done <<<"$seen"
        ((found)) || { echo "  AT-SPI says a $face at $x,$y; the screen shows: $(tr '\n' ';' <<<"$seen")" >&2; return 1; }
    done <<<"$said"
}
e2e_check "each die's name tells the face the screen shows at its place" dice_match

# --- holding through an action ----------------------------------------------------------------------
game_a11y press "Die 2,"
e2e_wait_for 5 eval 'game_a11y_name "Die 2," | grep -q ", held$"'
e2e_check "Die 2's action holds it, and its name says so" eval 'game_a11y_name "Die 2," | grep -q ", held$"'
e2e_check "a held die is checked" eval 'game_a11y tree | grep "|Die 2," | cut -d"|" -f3 | grep -q checked'
game_a11y press "Die 2,"
e2e_wait_for 5 eval 'game_a11y_name "Die 2," | grep -q ", on the table$"'

# --- scoring through an action --------------------------------------------------------------------------
sum=$(game_a11y dice | awk '{ s += $3 } END { print s }')
told=$(game_a11y watch 2 press "Chance")
printf '%s\n' "$told" >"$E2E_ART/told-score.txt"
e2e_wait_for 5 game_a11y wait "Chance, $sum"
scored=$(game_shot scored)
e2e_check "Chance's action scores the sum of the dice ($sum), and its name reads it" \
    test "$(game_a11y_name Chance)" = "Chance, $sum"
e2e_check "and so does its value" test "$(game_card_values | sed -n 12p)" = "$sum"
e2e_check "the screen shows Chance's points" score_written "$scored" "$fresh" "$(score_digits_box 11)"
e2e_check "the total says the same" test "$(game_a11y_name Total)" = "Total, $sum"
e2e_check "and so does its value" test "$(game_card_values | sed -n 15p)" = "$sum"
e2e_check "the change of Chance's value reached AT-SPI" grep -q "^Chance, [^|]*|$sum\$" <<<"$told"
e2e_check "and the change of the total's" grep -q "^Total, [^|]*|$sum\$" <<<"$told"
e2e_check "a new turn: three rolls left" test "$(game_a11y_name Roll)" = "Roll, 3 rolls left"
e2e_check "the values read through AT-SPI say what the names say" test "$(game_card_values)" = "$(game_card_a11y)"
e2e_check "the screen shows exactly the card AT-SPI reads" card_on_screen "$(game_card_values)" "$scored"

# --- a zero through an action asks first ------------------------------------------------------------------
game_a11y_roll game_a11y press "Roll"
if [[ $(game_a11y_name "Quibbix!!,") == "Quibbix!!, open" ]]; then
    game_a11y press "Quibbix!!,"
    question=$(e2e_wait_dialog 'Quibbix!!' 10)
    e2e_check "a zero through the action asks first" test -n "$question"
    # While the question is open the board takes no input: no action acts behind it, then or later.
    before=$(game_a11y tree | grep -E '^push button\|(Roll|Die|Sixes)')
    for target in Roll "Die 3," "Sixes,"; do
        game_a11y press "$target"
    done
    sleep 0.5
    e2e_check "actions on Roll, a die and a box behind the question leave them as they were" \
        test "$(game_a11y tree | grep -E '^push button\|(Roll|Die|Sixes)')" = "$before"
    e2e_check "and the question is still open" test -n "$(e2e_find_window 'Quibbix!!')"
    e2e_answer "$question" Escape
    sleep 0.5
    e2e_check "nor once it is answered" \
        test "$(game_a11y tree | grep -E '^push button\|(Roll|Die|Sixes)')" = "$before"
    e2e_check "No leaves the box open" test "$(game_a11y_name "Quibbix!!,")" = "Quibbix!!, open"
    e2e_check "with no number" test "$(game_card_values | sed -n 13p)" = -
fi

# --- Reset through its action clears the values ------------------------------------------------------------
held=$(game_card_values | grep -c -v -x -- -)
game_a11y watch "$held" press Reset >"$E2E_ART/told-reset.txt" &
watcher=$!
e2e_check "Reset's action asks first; Yes answers" game_question 'Quibbix!!' y
wait "$watcher"
told=$(cut -d, -f1 "$E2E_ART/told-reset.txt" | sort -u)
e2e_check "each of the $held places that held a number told that it holds none now" \
    test "$(grep -c '|nan$' "$E2E_ART/told-reset.txt")" -ge "$held" -a "$(grep -c . <<<"$told")" -eq "$held"
e2e_check "no place holds a number" test "$(game_card_values | grep -c -x -- -)" -eq 15
cleared=$(game_shot reset)
e2e_check "the screen shows the card empty" card_on_screen "$(game_card_values)" "$cleared"

e2e_finish
