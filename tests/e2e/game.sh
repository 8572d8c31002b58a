# The game's board as the end-to-end tests see it, on top of harness.sh: where the controls are, how
# to tell where the dice lie, and the player's actions (roll, click a die, score, answer a question).
# All positions are window-relative pixels.

source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

GAME_TITLE='QuibBix!'
GAME_W=789
GAME_H=598

# Controls: "x0 y0 x1 y1", inclusive.
ROLL_BOX="439 490 559 571"
RESET_BOX="573 501 660 567"
QUIT_BOX="676 501 763 567"
ROLL_AT="499 530"
RESET_AT="616 534"
QUIT_AT="719 534"
MINIMISE_AT="734 19"
CLOSE_AT="763 19"
# The focus mark: a band of amber, found nowhere else on the board, between two dark edges.
FOCUS_GLOW='#ffc814'
FOCUS_EDGE='#0a0800'
# Plain felt: no control and never a die.
FELT_AT="760 250"

DIE_W=70
DIE_H=67
START_X=(413 486 560 633 706)
START_Y=333
HOLDER_X=(27 107 187 267 347)
HOLDER_Y=500
# Where a rolled die's top-left may lie, and where a die put back from the holder may lie.
TABLE_X0=199 TABLE_X1=632 TABLE_Y0=5 TABLE_Y1=412
PUTBACK_X0=0 PUTBACK_X1=599 PUTBACK_Y0=0 PUTBACK_Y1=366
# The curved corners may shift what the picture analysis takes for a die's top-left corner a little.
SLACK=2

# Score box i: "x0 y0 x1 y1" of the part of the score column where its digits are written, inside the
# frame lines. The bonus and the total likewise.
score_digits_box() { echo "160 $((69 + 21 * $1)) 196 $((86 + 21 * $1))"; }
BONUS_DIGITS_BOX="160 347 196 365"
TOTAL_DIGITS_BOX="100 373 197 389"
score_box_at() { echo "120 $((77 + 21 * $1))"; }
# The whole score column with the bonus and the total: empty on a fresh card.
CARD_COLUMN_BOX="160 68 196 390"

GAME_ROLLS=0

game_launch() {
    e2e_launch "$@"
    e2e_wait_window "$GAME_TITLE"
}

# game_shot NAME: screenshot with the pointer resting on the felt, so no button shows its red hover
# picture among the dice. Prints the path.
game_shot() {
    # shellcheck disable=SC2086
    e2e_move $FELT_AT
    e2e_shot "$1"
}

# game_dice PNG: one line per die: "X Y PIPS RED".
game_dice() { e2e_img dice "$1"; }

near() { local d=$(($1 - $2)); ((d >= -SLACK && d <= SLACK)); }
within() { (($1 >= $2 - SLACK && $1 <= $3 + SLACK)); }

# dice_in_start_row DICE [PIPS]: exactly the five dice, each at its start spot (and showing PIPS).
dice_in_start_row() {
    local dice=$1 pips=${2:-} i=0 x y p red
    [[ $(grep -c . <<<"$dice") -eq 5 ]] || { echo "  expected 5 dice, saw: $(tr '\n' ';' <<<"$dice")" >&2; return 1; }
    while read -r x y p red; do
        if ! near "$x" "${START_X[i]}" || ! near "$y" "$START_Y" || [[ -n $pips && $p -ne $pips ]]; then
            echo "  die $i at $x,$y with $p pips; expected ${START_X[i]},$START_Y${pips:+ with $pips pips}" >&2
            return 1
        fi
        i=$((i + 1))
    done < <(sort -n <<<"$dice")
}

# dice_on_table DICE: five whole dice, each within the table's range, showing a face, none overlapping.
dice_on_table() {
    local dice=$1 x y p red ok=0
    local -a xs=() ys=()
    [[ $(grep -c . <<<"$dice") -eq 5 ]] || { echo "  expected 5 dice, saw: $(tr '\n' ';' <<<"$dice")" >&2; return 1; }
    while read -r x y p red; do
        if ! within "$x" $TABLE_X0 $TABLE_X1 || ! within "$y" $TABLE_Y0 $TABLE_Y1; then
            echo "  die at $x,$y lies outside the table" >&2
            ok=1
        fi
        if ((p < 1 || p > 6)); then
            echo "  die at $x,$y shows $p pips" >&2
            ok=1
        fi
        xs+=("$x") ys+=("$y")
    done <<<"$dice"
    rects_apart "${xs[*]}" "${ys[*]}" || ok=1
    return $ok
}

# rects_apart "X..." "Y...": no two die-sized boxes at these corners overlap.
rects_apart() {
    local -a xs ys
    local i j
    read -r -a xs <<<"$1"
    read -r -a ys <<<"$2"
    for ((i = 0; i < ${#xs[@]}; i++)); do
        for ((j = i + 1; j < ${#xs[@]}; j++)); do
            if ((xs[i] < xs[j] + DIE_W - SLACK && xs[j] < xs[i] + DIE_W - SLACK &&
                ys[i] < ys[j] + DIE_H - SLACK && ys[j] < ys[i] + DIE_H - SLACK)); then
                echo "  dice at ${xs[i]},${ys[i]} and ${xs[j]},${ys[j]} overlap" >&2
                return 1
            fi
        done
    done
}

# game_roll NAME: click Roll and take a screenshot (path in GAME_SHOT). Five equal dice score
# themselves and go straight back to the start row, which would hide what the test is after; that
# chance (1 in 1296) is met by rolling again, as a player would.
game_roll() {
    local name=$1 try dice
    for try in 1 2 3; do
        # shellcheck disable=SC2086
        e2e_click $ROLL_AT
        GAME_SHOT=$(game_shot "$name")
        GAME_ROLLS=$((GAME_ROLLS + 1))
        dice=$(game_dice "$GAME_SHOT")
        if dice_in_start_row "$dice" 2>/dev/null; then
            e2e_log "five of a kind came up (or the roll did nothing); rolling again"
            GAME_ROLLS=0
            continue
        fi
        return 0
    done
}

# die_centre "X Y ...": where to click a die seen at top-left X, Y.
die_centre() { echo "$(($1 + DIE_W / 2)) $(($2 + DIE_H / 2))"; }

# box_changed PNG BASE "x0 y0 x1 y1": how many pixels differ from the baseline in that box.
box_changed() {
    local -a rect
    read -r -a rect <<<"$3"
    e2e_img diff "$1" "$2" "${rect[@]}"
}

# score_written PNG BASE BOX: the box shows digits it did not show on the fresh card.
score_written() { (($(box_changed "$1" "$2" "$3") > 15)); }
score_empty() { (($(box_changed "$1" "$2" "$3") == 0)); }

# game_question TITLE KEY: wait for the question box titled TITLE and answer it with KEY
# (Return for the default Yes, Escape for No).
game_question() {
    local wid
    wid=$(e2e_wait_dialog "$1" 10) || return 1
    e2e_shot "question-${1//!/}" >/dev/null
    e2e_answer "$wid" "$2"
}

# cursor_is_no_entry: the pointer shows the 32 x 32 no-entry picture with its hot spot at (16, 15).
cursor_is_no_entry() { [[ $("$E2E_PYTHON" "$E2E_HERE/cursor.py") == "32 32 16 15" ]]; }

# --- accessibility ------------------------------------------------------------------------------------
# A test that reads the game through AT-SPI runs under dbus-run-session, which e2e_init hides from
# the program. game_start_accessible BIN starts an X server, a window manager and a sound server,
# brings that session bus back, starts the accessibility bus on it and launches the game there with
# its accessibility tree shown.
game_start_accessible() {
    e2e_start_x
    e2e_start_wm
    e2e_start_sound
    e2e_use_session_bus || e2e_die "no session bus: run this test under dbus-run-session"
    e2e_bg atspi /usr/libexec/at-spi-bus-launcher --launch-immediately
    e2e_wait_for 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress || e2e_die "the accessibility bus did not start: $(cat "$E2E_TMP/atspi.log")"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 game_launch "$1"
}

# game_a11y COMMAND ARGS...: the game's accessibility tree (see atspi.py).
game_a11y() { "$E2E_PYTHON" "$E2E_HERE/atspi.py" "$@"; }

# game_a11y_name PREFIX: the one name that starts with PREFIX.
game_a11y_name() { game_a11y names "$1"; }

# game_a11y_roll CMD...: run CMD (a key or an action that rolls) until a roll leaves the dice on the
# table, so that Roll says "2 rolls left". Five equal dice score themselves and end the turn (Roll has
# three rolls again and the Quibbix!! box changes); that chance (1 in 1296) is met by rolling again.
game_a11y_roll() {
    local try before
    for try in 1 2 3; do
        before=$(game_a11y_name "Quibbix!!,")
        "$@"
        e2e_wait_for 5 eval '[[ $(game_a11y_name Roll) == "Roll, 2 rolls left" ||
            $(game_a11y_name "Quibbix!!,") != "$before" ]]'
        [[ $(game_a11y_name Roll) == "Roll, 2 rolls left" ]] && return 0
        e2e_log "five of a kind came up (or the roll did nothing); rolling again"
    done
    return 1
}

# GAME_CAPTIONS: the names of the card's fifteen places, top to bottom, as the game speaks them,
# from the game's own table (quibbix_card_picture --captions). A test that reads the card sets
# GAME_CARD_PICTURE and calls game_read_captions first.
GAME_CARD_PICTURE=${GAME_CARD_PICTURE:-}
GAME_CAPTIONS=()
game_read_captions() {
    [[ -x $GAME_CARD_PICTURE ]] || e2e_die "no card painter: pass quibbix_card_picture to the test"
    mapfile -t GAME_CAPTIONS < <("$GAME_CARD_PICTURE" --captions)
    ((${#GAME_CAPTIONS[@]} == 15)) || e2e_die "the card painter named ${#GAME_CAPTIONS[@]} places, not 15"
}

# game_card_a11y: the thirteen boxes, the bonus and the total as AT-SPI names them, one a line, top
# to bottom: the value, or "-" for an open box (whatever it offers) or an empty bonus or total.
game_card_a11y() {
    local tree caption value
    tree=$(game_a11y tree | cut -d'|' -f2)
    for caption in "${GAME_CAPTIONS[@]}"; do
        value=$(grep -m 1 -F -- "$caption, " <<<"$tree")
        value=${value#"$caption, "}
        case $value in open | "open, "* | none | "") echo - ;; *) echo "$value" ;; esac
    done
}

# game_card_values: the same fifteen places as their value interfaces tell them: the number, or "-"
# where there is none (an open box, an empty bonus or total reads NaN).
game_card_values() {
    local values caption value
    values=$(game_a11y values)
    for caption in "${GAME_CAPTIONS[@]}"; do
        value=$(grep -m 1 -F -- "$caption, " <<<"$values" | cut -d'|' -f2)
        case $value in nan | "") echo - ;; *) echo "$value" ;; esac
    done
}

# The score places on the screen, in the order of GAME_CAPTIONS: "x0 y0 x1 y1" of each one's digits.
game_card_places() {
    local i
    for ((i = 0; i < 13; i++)); do score_digits_box "$i"; done
    echo "$BONUS_DIGITS_BOX"
    echo "$TOTAL_DIGITS_BOX"
}

# card_on_screen CARD PNG: the screenshot shows exactly CARD (fifteen lines as game_card_a11y prints
# them): every place equals, pixel for pixel, the game's own painting of that card (quibbix_card_picture,
# run on the same X server, so with the same fonts). Different digits never paint alike, so this reads
# the numbers exactly; the painting is kept beside the screenshot. A third argument, a place's index,
# leaves that place out: the one the focus mark is drawn on.
card_on_screen() {
    local card=$1 png=$2 skip=${3:--1} ref i ok=0
    local -a said wrong
    [[ -x $GAME_CARD_PICTURE ]] || e2e_die "no card painter: pass quibbix_card_picture to the test"
    mapfile -t said <<<"$card"
    ref=${png%.png}-painted.png
    "$GAME_CARD_PICTURE" "$ref" "${said[@]}" || return 1
    # shellcheck disable=SC2046
    mapfile -t wrong < <(e2e_img against "$png" "$ref" $(game_card_places))
    for ((i = 0; i < 15; i++)); do
        if ((wrong[i] != 0 && i != skip)); then
            echo "  ${GAME_CAPTIONS[i]}: AT-SPI says '${said[i]}'; ${wrong[i]} pixels of the screen differ from the game's painting of it" >&2
            ok=1
        fi
    done
    return $ok
}
