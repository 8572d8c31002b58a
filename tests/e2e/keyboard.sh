# A whole game with the keyboard alone: the focus mark (none before a key, then on Roll after Tab, on
# a die, a held die and a box), R, the digit keys, Tab and Enter through thirteen boxes, the zero
# question answered with Y, the card as AT-SPI tells it against the card on the screen, Enter held
# on Reset and on Quit (the repeats must not answer the question it opens), then Reset and Quit
# through Ctrl+N and Ctrl+Q and their questions. Runs under dbus-run-session.
# Usage: dbus-run-session -- bash keyboard.sh PATH/TO/quibbix PATH/TO/quibbix_card_picture

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: keyboard.sh PATH/TO/quibbix PATH/TO/quibbix_card_picture}
GAME_CARD_PICTURE=${2:?usage: keyboard.sh PATH/TO/quibbix PATH/TO/quibbix_card_picture}
game_read_captions

e2e_init keyboard
game_start_accessible "$BIN"
e2e_listen cues
xdotool windowactivate --sync "$E2E_WID" 2>/dev/null || xdotool windowfocus --sync "$E2E_WID"
fresh=$(game_shot fresh)

glow_in() { e2e_img count "$1" "$2" "$3" "$4" "$5" "$FOCUS_GLOW"; }
WHOLE="0 0 788 597"

press() {
    xdotool key --clearmodifiers "$@"
    e2e_settle 0.2
}

# eventually CMD...: CMD comes true within five seconds; what a key changed reaches AT-SPI a little
# after the key.
eventually() { e2e_wait_for 5 "$@"; }
focus_on() { [[ $(game_a11y focused) == "$1" ]]; }
die_is() { game_a11y_name "Die $1," | grep -q ", $2\$"; }

# --- the focus mark --------------------------------------------------------------------------------
# shellcheck disable=SC2086
e2e_check "no focus mark before any key" test "$(glow_in "$fresh" $WHOLE)" -eq 0
press Tab
on_roll=$(game_shot focus-roll)
# shellcheck disable=SC2086
e2e_check "after Tab the focus mark shows on Roll" test "$(glow_in "$on_roll" $ROLL_BOX)" -gt 200
# shellcheck disable=SC2086
e2e_check "and nowhere else" test "$(glow_in "$on_roll" $WHOLE)" -eq "$(glow_in "$on_roll" $ROLL_BOX)"
# shellcheck disable=SC2086
e2e_check "nothing but Roll changed" test "$(e2e_img diff "$on_roll" "$fresh" $WHOLE)" -eq "$(e2e_img diff "$on_roll" "$fresh" $ROLL_BOX)"
e2e_check "AT-SPI tells the focus on Roll" eventually focus_on "Roll, 3 rolls left"
press shift+Tab
e2e_check "Shift+Tab from Roll goes round to Quit" eventually focus_on Quit
press Tab Right
e2e_check "Right from Roll goes to Reset" eventually focus_on Reset
press Left
e2e_check "Left goes back to Roll" eventually focus_on "Roll, 3 rolls left"
focus=0 # place of the focus on the way: Roll 0, dice 1..5, boxes 6..18, Reset 19, Quit 20

# --- first turn: a die on the felt and held, keys 1 to 5 ----------------------------------------------
e2e_expect_sound "R rolls" press r
e2e_check "R rolled" eventually eval '[[ $(game_a11y_name Roll) != "Roll, 3 rolls left" ]] ||
    [[ $(game_a11y_name "Quibbix!!,") != "Quibbix!!, open" ]]'
# Five equal dice would have scored themselves and sent the dice home: roll on.
[[ $(game_a11y_name Roll) == "Roll, 2 rolls left" ]] || game_a11y_roll press r
press Tab
focus=1
eventually focus_on "$(game_a11y_name "Die 1,")"
on_die=$(game_shot focus-die)
die1=$(game_a11y dice | sed -n 1p)
read -r dx dy _ < <(awk -v x="$(e2e_geometry | cut -d' ' -f1)" -v y="$(e2e_geometry | cut -d' ' -f2)" \
    '{ print $1 - x, $2 - y }' <<<"$die1")
e2e_check "the focus mark shows on die 1 on the felt" \
    test "$(glow_in "$on_die" "$dx" "$dy" $((dx + DIE_W - 1)) $((dy + DIE_H - 1)))" -gt 100
press 1
e2e_check "key 1 holds die 1" eventually die_is 1 held
on_held=$(game_shot focus-held-die)
e2e_check "the focus mark shows on the held die in the first slot" \
    test "$(glow_in "$on_held" "${HOLDER_X[0]}" "$HOLDER_Y" $((HOLDER_X[0] + DIE_W - 1)) $((HOLDER_Y + DIE_H - 1)))" -gt 100
press 5
e2e_check "key 5 holds die 5" eventually die_is 5 held
press 1
press 5
e2e_check "pressed again, die 1 goes back to the table" eventually die_is 1 "on the table"
e2e_check "and so does die 5" eventually die_is 5 "on the table"
press Return
e2e_check "Enter on the focused die holds it, as a click would" eventually die_is 1 held
press space
e2e_check "Space puts it back" eventually die_is 1 "on the table"

# --- a whole game ---------------------------------------------------------------------------------------
first_open() {
    local i=0 value
    while read -r value; do
        [[ $value == - ]] && { echo "$i"; return; }
        i=$((i + 1))
    done < <(game_card_a11y | head -n 13)
    echo none
}

turn=1
zero_asked=0
while ((turn <= 20)); do
    if ((turn > 1)); then
        press r
        e2e_wait_for 5 eval '[[ $(game_a11y_name Roll) != "Roll, 3 rolls left" ]] || [[ $(first_open) == none ]]'
    fi
    if [[ $(game_a11y_name Roll) == "Roll, 3 rolls left" ]]; then
        e2e_log "turn $turn: five of a kind scored itself"
        turn=$((turn + 1))
        [[ $(first_open) == none ]] && break
        continue
    fi
    if ((turn == 2)); then
        press r
        eventually game_a11y wait "Roll, 1 roll left"
        press r
        eventually game_a11y wait "Roll, no rolls left"
        before=$(game_a11y names Die)
        press r
        e2e_check "after three rolls R is refused" test "$(game_a11y names Die)" = "$before"
        e2e_check "and Roll says no rolls are left" test "$(game_a11y_name Roll)" = "Roll, no rolls left"
    fi
    box=$(first_open)
    target=$((6 + box))
    for ((n = (target - focus + 21) % 21; n > 0; n--)); do xdotool key Tab; done
    e2e_settle 0.2
    focus=$target
    eventually eval '[[ $(game_a11y focused) =~ ^"${GAME_CAPTIONS[box]}, open, "[0-9]+" with these dice"$ ]]' ||
        e2e_check "turn $turn: Tab reaches box $box (focus on '$(game_a11y focused)')" false
    ((turn == 3)) && cp "$(game_shot focus-box)" "$E2E_ART/focus-box.png"
    press Return
    # The turn is over once Roll has its three rolls back (or the card is full); a zero asks first.
    for ((i = 0; i < 100; i++)); do
        if wid=$(e2e_find_window 'Quibbix!!' | grep -vx "$E2E_WID" | head -n 1) && [[ -n $wid ]]; then
            zero_asked=1
            e2e_answer "$wid" y
        fi
        [[ $(game_a11y_name Roll) == "Roll, 3 rolls left" || $(game_a11y_name Roll) == "Roll, card full" ]] && break
        sleep 0.1
    done
    [[ $(game_a11y_name "${GAME_CAPTIONS[box]},") != *", open" ]] ||
        e2e_check "turn $turn: Enter scores box $box" false
    turn=$((turn + 1))
    [[ $(first_open) == none ]] && break
done
# The focus goes on to Reset, off the card, so that the mark crosses no digits on the screen.
for ((n = 19 - focus; n > 0; n--)); do xdotool key Tab; done
e2e_settle 0.2
e2e_check "Tab from the last box goes on to Reset" eventually focus_on Reset
full=$(game_shot card-full)
card=$(game_card_a11y)
printf '%s\n' "$card" >"$E2E_ART/card.txt"
e2e_check "the card is full after $((turn - 1)) turns" test "$(head -n 13 <<<"$card" | grep -c -x -- -)" -eq 0
e2e_check "Roll says the card is full" test "$(game_a11y_name Roll)" = "Roll, card full"
e2e_check "Roll is disabled for AT-SPI" eval '! game_a11y tree | grep "|Roll, card full|" | cut -d"|" -f3 | grep -q enabled'
e2e_check "the total is the sum of the card" \
    test "$(sed -n 15p <<<"$card")" = "$(head -n 14 <<<"$card" | awk '$1 != "-" { s += $1 } END { print s }')"
e2e_check "the values read through AT-SPI say what the names say" test "$(game_card_values)" = "$card"
e2e_check "the card read through AT-SPI is exactly the card on the screen" card_on_screen "$card" "$full"
((zero_asked)) && e2e_log "a zero was asked about and answered with Y"

# --- a held Enter never answers the question it opens ----------------------------------------------------
# Held for a second and a half, the key repeats into the question; only a fresh press answers.
hold_return() { xdotool keydown Return; sleep 1.5; xdotool keyup Return; }
hold_return
question=$(e2e_wait_dialog 'Quibbix!!' 5)
e2e_check "Enter held on Reset opens the Reset question" test -n "$question"
e2e_check "and its repeats do not answer it" test -n "$(e2e_find_window 'Quibbix!!')"
[[ -n $question ]] && e2e_answer "$question" Escape
e2e_settle
e2e_check "the card is as it was" test "$(game_card_a11y)" = "$card"
xdotool windowactivate --sync "$E2E_WID" 2>/dev/null
press Right
e2e_check "Right from Reset goes to Quit" eventually focus_on Quit
hold_return
question=$(e2e_wait_dialog 'Quibbix!' 5)
e2e_check "Enter held on Quit opens the Quit question" test -n "$question"
e2e_check "and its repeats do not answer it" test -n "$(e2e_find_window 'Quibbix!')"
e2e_check "the game runs on" e2e_app_running
[[ -n $question ]] && e2e_answer "$question" Escape
e2e_settle
xdotool windowactivate --sync "$E2E_WID" 2>/dev/null

# --- Reset and Quit by their keys ------------------------------------------------------------------------
press ctrl+n
e2e_check "Ctrl+N asks the Reset question; N answers No" game_question 'Quibbix!!' n
e2e_settle
e2e_check "No keeps the card" test "$(game_card_a11y)" = "$card"
press ctrl+n
e2e_check "Ctrl+N asks again; Y answers Yes" game_question 'Quibbix!!' y
cleared_card() { [[ $(game_card_a11y | grep -c -x -- -) -eq 15 ]]; }
e2e_check "Yes clears the card" eventually cleared_card
cleared=$(game_shot reset)
e2e_check "the screen shows the card empty" score_empty "$cleared" "$fresh" "$CARD_COLUMN_BOX"
e2e_check "and no place holds a number" test "$(game_card_values | grep -c -x -- -)" -eq 15
e2e_check "Roll has three rolls again" test "$(game_a11y_name Roll)" = "Roll, 3 rolls left"

press ctrl+q
e2e_check "Ctrl+Q asks the Quit question; Escape answers No" game_question 'Quibbix!' Escape
e2e_settle
e2e_check "No keeps the game running" e2e_app_running
xdotool windowactivate --sync "$E2E_WID" 2>/dev/null
press ctrl+q
e2e_check "Ctrl+Q asks again; Return answers Yes" game_question 'Quibbix!' Return
e2e_check "Yes ends the program" e2e_wait_exit 5
e2e_check "exit code 0 (got ${E2E_APP_RC:-none})" test "${E2E_APP_RC:-none}" = 0

e2e_finish
