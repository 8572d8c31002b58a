# A whole game by keys with Orca, the screen reader, listening: its debug log holds every
# "SPEECH OUTPUT" it would say aloud, and that is what this test hears. After each roll Orca must
# say the five faces the screen shows and the rolls left; after each hold and release, the die and
# its place; after each score, the box's points, the bonus when it comes and the total, each equal
# to the number the card on the screen shows; a question must be read when it opens; a reset must
# be told. Runs under dbus-run-session.
# Usage: dbus-run-session -- bash orca.sh PATH/TO/quibbix PATH/TO/quibbix_card_picture

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: orca.sh PATH/TO/quibbix PATH/TO/quibbix_card_picture}
GAME_CARD_PICTURE=${2:?usage: orca.sh PATH/TO/quibbix PATH/TO/quibbix_card_picture}
game_read_captions
command -v orca >/dev/null || e2e_die "no orca: install Debian's orca"
# A real voice, as a player has. Without one speech-dispatcher falls back to a stand-in that plays a
# 29-second recorded notice, and Orca, which cuts speech short at every key, waits until that ends.
[[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ]] ||
    e2e_die "no voice for Orca: install Debian's speech-dispatcher-espeak-ng"

# Orca runs once per user, whatever the display: a second Orca started with --replace kills the
# first. So runs of this test wait for each other, and the test refuses to start beside an Orca it
# did not start (a developer's own screen reader) rather than replace it.
exec {ORCA_LOCK}>"${TMPDIR:-/tmp}/quibbix-e2e-orca-$(id -u).lock"
flock --timeout 300 "$ORCA_LOCK" || e2e_die "another run of this test kept Orca for five minutes"
other_orca=$(pgrep -u "$(id -u)" -x orca | tr '\n' ' ')
[[ -z $other_orca ]] || e2e_die "an Orca of this user runs already (process $other_orca); stop it to run this test"

e2e_init orca
game_start_accessible "$BIN"
xdotool windowactivate --sync "$E2E_WID" 2>/dev/null || xdotool windowfocus --sync "$E2E_WID"

# Orca with settings of its own (the test's home) and none from a desktop's settings store. Orca
# writes its debug log through a buffer of some kilobytes, so the last words would reach a file
# only later; to a terminal Python writes each line at once. So the log goes to a pseudo-terminal,
# which script(1) copies to the file as it comes.
# Orca speaks through speech-dispatcher, into the test's own sound server. Started here rather than
# by Orca's first words, it stops with the test, and its log is kept with the others.
mkdir -p "$XDG_RUNTIME_DIR/speech-dispatcher" "$E2E_TMP/speechd"
e2e_bg speechd speech-dispatcher --run-single --timeout 0 --communication-method unix_socket \
    --socket-path "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" --log-dir "$E2E_TMP/speechd" --log-level 4
e2e_wait_for 10 test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ||
    e2e_die "speech-dispatcher did not start: $(cat "$E2E_TMP/speechd.log")"
ORCA_LOG=$E2E_TMP/orca-debug.txt
: >"$ORCA_LOG"
GSETTINGS_BACKEND=memory e2e_bg orca bash -c 'exec script --quiet --flush --return --command "$1" "$2" >/dev/null' \
    script "orca --debug-file=/dev/stdout" "$ORCA_LOG" </dev/null
E2E_KEEP+=(orca-debug.txt speechd)
# Orca itself is stopped at the end too, and waited for: it outlives script(1) by a moment, and
# the next run must not find it.
orca_pid() { pgrep -u "$(id -u)" -x orca; }
e2e_wait_for 10 orca_pid || e2e_die "Orca did not start: $(cat "$E2E_TMP/orca.log")"
E2E_PIDS+=("$(orca_pid | head -n 1)")

# What Orca said, one utterance a line, from line FROM of its log on. Its echo of each key ("tab",
# "r") is left out: the test hears what the game made Orca say.
said_from() {
    tail -n +"$1" "$ORCA_LOG" | tr -d '\r' | sed -n "s/^.* - SPEECH OUTPUT: '\(.*\)' *{.*$/\1/p" |
        grep -v -x -E '[[:alnum:]+_]+ ?'
}
mark() { wc -l <"$ORCA_LOG"; }
SINCE=1
# heard PATTERN: Orca said a line matching the extended regular expression since the last key.
heard() { said_from "$SINCE" | grep -q -E -- "$1"; }
# key KEY WAIT-PATTERN: press KEY and wait until Orca says what matches; SAID is then the matching
# line. Fails, with what Orca did say, if it says nothing of the kind within ten seconds.
SAID=""
key() {
    SINCE=$(($(mark) + 1))
    xdotool key --clearmodifiers "$1"
    if ! e2e_wait_for 10 heard "$2"; then
        echo "  after $1 Orca said: $(said_from "$SINCE" | tr '\n' '|')" >&2
        return 1
    fi
    SAID=$(said_from "$SINCE" | grep -E -- "$2" | tail -n 1)
}

e2e_wait_for 20 grep -q "SPEECH OUTPUT: 'QuibBix!'" "$ORCA_LOG" ||
    e2e_die "Orca did not find the game's window: $(said_from 1 | tr '\n' '|')"
e2e_check "Orca reads the focus: Tab reaches Roll" key Tab "^Roll, 3 rolls left push button"

WORDS=(zero one two three four five six)
FACE_RE='(one|two|three|four|five|six)'
declare -A PIPS=([one]=1 [two]=2 [three]=3 [four]=4 [five]=5 [six]=6)
FACES=()  # die 1..5 as Orca last named them after a roll: one..six
CARD=()   # the fifteen places of the card as Orca told them, "-" for blank
for ((i = 0; i < 15; i++)); do CARD[i]=-; done
BAD=0

# When Orca falls silent: which windows the X server holds, and where the game, the window manager
# and Orca are waiting; only the test's output reaches a CI log.
stall_report() {
    local pid w
    echo "--- the game's windows:"
    for w in $(xwininfo -root -tree 2>&1 | grep -i -E '^ +0x[0-9a-f]+ "quibbix' | awk '{ print $1 }'); do
        xwininfo -id "$w" 2>&1 | grep -E 'Window id|Map State' | tr -s ' \n' ' '
        echo
    done
    echo "--- program output:"
    e2e_app_log | tail -n 20
    command -v gdb >/dev/null || return 0
    # Orca runs in a session of its own, under script(1).
    for pid in "$E2E_APP_PID" $(pgrep -s 0 -x openbox) $(pgrep -s 0 -f '^speech-dispatcher ') \
        $(orca_pid); do
        echo "--- process $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline"); $(grep -E '^State' "/proc/$pid/status")"
        timeout 60 gdb -p "$pid" -batch -nx -ex 'thread apply all bt 12' 2>&1 | grep -E '^(Thread|#)' | head -n 80
    done
}

# --- rolls -------------------------------------------------------------------------------------------
# roll: R, then Orca must say "Rolled f1, ..., f5." (and rolls left, or the award), the faces those
# the screen shows. Sets ROLLED to what it said.
roll() {
    local faces screen spoken face
    key r "^notification Rolled $FACE_RE(, $FACE_RE){4}\." || return 1
    ROLLED=${SAID#notification }
    faces=${ROLLED#Rolled }
    faces=${faces%%.*}
    IFS=', ' read -r -a FACES <<<"${faces//, / }"
    screen=$(game_dice "$(game_shot "roll-$TURN-$ROLL")" | awk '{ print $3 }' | sort | tr '\n' ' ')
    spoken=$(for face in "${FACES[@]}"; do echo "${PIPS[$face]}"; done | sort | tr '\n' ' ')
    if [[ $spoken != "$screen" ]]; then
        echo "  Orca said '$ROLLED'; the screen shows pips: $screen" >&2
        return 1
    fi
}

# rolls_left N: what Orca says after a roll that leaves N rolls in the turn.
rolls_left() {
    case $1 in 0) echo "No rolls left" ;; 1) echo "1 roll left" ;; *) echo "$1 rolls left" ;; esac
}

# --- scores --------------------------------------------------------------------------------------------
# Takes the card sentences of one utterance ("Chance, 23." "Bonus, 35." "Total, 58.") into CARD.
take_card() {
    local sentence caption value i
    while IFS= read -r sentence; do
        caption=${sentence%, *}
        value=${sentence##*, }
        for ((i = 0; i < 15; i++)); do
            [[ ${GAME_CAPTIONS[i]} == "$caption" ]] && CARD[i]=$value
        done
    done < <(grep -o -E '(^|\. )[A-Z][A-Za-z !]*, [0-9]+' <<<"$1" | sed 's/^\. //')
}
card_text() { printf '%s\n' "${CARD[@]}"; }

# ---------------------------------------------------------------------------------------------------
# Thirteen turns, each scored in the next open box from the top. In the upper boxes the dice of that
# face are held and the turn rolls three times, so holds and releases are spoken throughout;
# elsewhere one roll. A five of a kind ends its turn at once, with the award.
TURN=0
BOX=-1           # the box the focus is on; -1: Roll
heard_bonus=0
heard_award=0
heard_question=0
for ((TURN = 1; TURN <= 13; TURN++)); do
    ROLL=1
    HELD=()
    e2e_check "turn $TURN: R rolls, and Orca says the faces the screen shows" roll || { BAD=1; break; }
    if [[ $ROLLED == *"Five of a kind scored"* ]]; then
        heard_award=1
        e2e_check "turn $TURN: the award is told with the box and the total" \
            grep -q -E 'Five of a kind scored\. Quibbix!!, [0-9]+\. Total, [0-9]+\.$' <<<"$ROLLED"
        take_card "$ROLLED"
        e2e_check "turn $TURN: and the card on the screen shows what Orca said" \
            card_on_screen "$(card_text)" "$(game_shot "award-$TURN")" "$BOX"
        continue
    fi
    e2e_check "turn $TURN: and then the rolls left" grep -q -E "\. $(rolls_left 2)\.$" <<<"$ROLLED"
    next=$((BOX + 1))
    while [[ ${CARD[next]} != - ]]; do next=$((next + 1)); done
    if ((TURN == 1)); then
        e2e_check "key 1 holds die 1, and Orca says so" \
            key 1 "^notification Die 1, ${FACES[0]}, held\.$"
        e2e_check "key 1 again puts it back, and Orca says so" \
            key 1 "^notification Die 1, ${FACES[0]}, on the table\.$"
    fi
    if ((next < 6)); then
        want=${WORDS[next + 1]}
        for ROLL in 2 3; do
            for ((d = 1; d <= 5; d++)); do
                if [[ ${FACES[d - 1]} == "$want" && ${HELD[d]:-0} -eq 0 ]]; then
                    e2e_check "turn $TURN: key $d holds a $want, and Orca says so" \
                        key "$d" "^notification Die $d, $want, held\.$"
                    HELD[d]=1
                fi
            done
            e2e_check "turn $TURN: roll $ROLL is told" roll || { BAD=1; break 2; }
            [[ $ROLLED == *"Five of a kind scored"* ]] && break
            e2e_check "turn $TURN: with the rolls left" \
                grep -q -E "\. $(rolls_left $((3 - ROLL)))\.$" <<<"$ROLLED"
        done
        if [[ $ROLLED == *"Five of a kind scored"* ]]; then
            heard_award=1
            take_card "$ROLLED"
            e2e_check "turn $TURN: the award's card is on the screen" \
                card_on_screen "$(card_text)" "$(game_shot "award-$TURN")" "$BOX"
            continue
        fi
    fi
    # The focus walks to the box: from Roll through the dice with Tab, then down the boxes.
    while ((BOX < next)); do
        if ((BOX == -1)); then
            for ((d = 1; d <= 5; d++)); do key Tab "^Die $d, " >/dev/null; done
            key Tab "^Ones, " >/dev/null
            BOX=0
        else
            BOX=$((BOX + 1))
            e2e_check "turn $TURN: the focus on ${GAME_CAPTIONS[BOX]} tells what it would score" \
                key Down "^${GAME_CAPTIONS[BOX]}, open, [0-9]+ with these dice push button" >/dev/null
        fi
    done
    offer=$(said_from 1 | grep -E "^${GAME_CAPTIONS[BOX]}, open, [0-9]+ with these dice" | tail -n 1)
    offer=${offer#"${GAME_CAPTIONS[BOX]}, open, "}
    offer=${offer%% *}
    SINCE=$(($(mark) + 1))
    xdotool key --clearmodifiers Return
    if [[ $offer == 0 ]]; then
        e2e_check "turn $TURN: a zero opens the question, and Orca reads it" \
            e2e_wait_for 10 heard "Score ZERO points here\?"
        # Answered as a listener does, once Orca has read the focus on Yes: a key pressed before the
        # question has the keyboard goes to no window.
        e2e_check "turn $TURN: and then the focus on Yes" e2e_wait_for 10 heard "^Yes push button"
        if ((heard_question == 0)); then
            # Each key reaches the question through Orca; the same key twice is two presses.
            e2e_check "turn $TURN: Tab moves the focus to No" key Tab "^No push button"
            e2e_check "turn $TURN: and Tab again back to Yes" key Tab "^Yes push button"
        fi
        heard_question=1
        key Return "^notification ${GAME_CAPTIONS[BOX]}, 0\." || { BAD=1; break; }
        score=$SAID
        # Back on the board Orca reads the window and the focus; the news comes after them, or
        # they would cut it short.
        e2e_check "turn $TURN: the news follows Orca's reading of the board after the question" \
            eval 'said_from "$SINCE" | grep -v "^notification" | tail -n 1 | grep -q "^${GAME_CAPTIONS[BOX]}, 0 push button" &&
                said_from "$SINCE" | tail -n 1 | grep -q "^notification"'

    else
        e2e_wait_for 10 heard "^notification ${GAME_CAPTIONS[BOX]}, $offer\." || {
            echo "  after Return Orca said: $(said_from "$SINCE" | tr '\n' '|')" >&2
            BAD=1
            break
        }
        score=$(said_from "$SINCE" | grep "^notification ${GAME_CAPTIONS[BOX]}, " | tail -n 1)
    fi
    # The total is told when it changes: after a zero only if it was blank.
    if [[ $offer == 0 && ${CARD[14]} != - ]]; then told="( The card is full\.)?$"; else told=" Total, [0-9]+\."; fi
    e2e_check "turn $TURN: ${GAME_CAPTIONS[BOX]} scored what its name offered ($offer), and the total is told" \
        grep -q -E "^notification ${GAME_CAPTIONS[BOX]}, $offer\.( Bonus, 35\.)?$told" <<<"$score"
    [[ $score == *"Bonus, 35."* ]] && heard_bonus=1
    take_card "${score#notification }"
    # The box under the focus mark is read from the screen at the next score, when the focus has
    # moved on.
    e2e_check "turn $TURN: the card on the screen shows what Orca said" \
        card_on_screen "$(card_text)" "$(game_shot "score-$TURN")" "$BOX"
    [[ ${CARD[12]} != - && $(grep -c -x -- - < <(printf '%s\n' "${CARD[@]:0:13}")) -eq 0 ]] && break
done
if ((BAD != 0)); then
    stall_report >&2
    e2e_die "the game by keys stopped early; Orca's words are in $E2E_ART/orca-debug.txt"
fi
e2e_check "the last score says the card is full" grep -q "The card is full\.$" <<<"$score"
e2e_log "heard: the bonus $((heard_bonus ? 1 : 0)), an award $((heard_award ? 1 : 0)), the zero question $((heard_question ? 1 : 0))"
e2e_check "a refused roll is told" key r "^notification The card is full\.$"
# Tab goes on down the card (past a five-of-a-kind box filled by an award) to Reset.
to_reset() {
    local i
    for ((i = BOX; i < 13; i++)); do
        key Tab " push button\.$" || return 1
        [[ $SAID == "Reset push button." ]] && return 0
    done
    return 1
}
e2e_check "Tab takes the focus off the card to Reset" to_reset
e2e_check "the whole card on the screen shows what Orca said" \
    card_on_screen "$(card_text)" "$(game_shot card-full)"

# --- reset ---------------------------------------------------------------------------------------------
e2e_check "Ctrl+N opens the reset question, and Orca reads it" \
    key ctrl+n "Are you sure you want to reset the game\?"
e2e_check "and the focus on Yes" e2e_wait_for 10 heard "^Yes push button"
e2e_check "the reset is told" key Return "^notification New game, the card is clear\.$"
e2e_check "and the card on the screen is clear" \
    card_on_screen "$(printf -- '-\n%.0s' {1..15})" "$(game_shot reset)"
e2e_finish
