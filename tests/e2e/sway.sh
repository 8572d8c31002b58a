# The game on sway (wlroots), natively on Wayland, played with sway's own input: a pointer through
# its virtual-pointer protocol (wlpointer.py) and keys through its virtual-keyboard protocol
# (wtype); screenshots with grim; where each window stands, from sway's IPC (swaymsg). Headless, on
# a patterned desktop. sway refuses to run as root; a root test runs it as nobody.
# Usage: bash sway.sh PATH/TO/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: sway.sh PATH/TO/quibbix}
source "$E2E_HERE/cutcheck.sh"

e2e_init sway

SCREEN_W=1024 SCREEN_H=768
# The pointer rests here between actions: off the board, and on the desktop shot as well.
REST_X=$((SCREEN_W - 1)) REST_Y=$((SCREEN_H - 1))
QUESTION_TITLE='Quibbix!'

# --- sway ------------------------------------------------------------------------------------------
SWAY_DIR=$E2E_TMP/sway
mkdir -m 700 "$SWAY_DIR"
as_sway=()
if [[ $(id -u) -eq 0 ]]; then
    chmod 711 "$E2E_TMP"
    as_sway=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# Stripes, so that a corner painted in the desktop's colour could not pass for the desktop.
convert -size 8x8 xc:'#204060' -fill '#d0a040' +antialias -draw 'line 0,0 7,7' "$SWAY_DIR/tile.png" ||
    e2e_die "convert failed"
cat >"$SWAY_DIR/config" <<EOF
output * resolution ${SCREEN_W}x$SCREEN_H position 0 0 bg $SWAY_DIR/tile.png tile
EOF
[[ ${#as_sway[@]} -gt 0 ]] && chown -R nobody:nogroup "$SWAY_DIR"

sway_up() { compgen -G "$SWAY_DIR/sway-ipc.*.sock" >/dev/null && compgen -G "$SWAY_DIR/wayland-*.lock" >/dev/null; }
e2e_bg sway env XDG_RUNTIME_DIR="$SWAY_DIR" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman "${as_sway[@]}" sway --config "$SWAY_DIR/config"
e2e_wait_for 20 sway_up || e2e_die "sway did not start: $(cat "$E2E_TMP/sway.log")"
SWAYSOCK=$(compgen -G "$SWAY_DIR/sway-ipc.*.sock" | head -n 1)
lock=$(compgen -G "$SWAY_DIR/wayland-*.lock" | head -n 1)
# The game, grim and wtype reach sway by the socket's full path; the game is told it runs on sway
# as sway tells the programs it starts.
export SWAYSOCK WAYLAND_DISPLAY=${lock%.lock}
e2e_log "sway on $WAYLAND_DISPLAY"

# sway_windows: one line per window: "X Y W H FOCUSED TITLE", FOCUSED 1 or 0, sway's title bar
# included.
sway_windows() {
    swaymsg -t get_tree -r | "$E2E_PYTHON" -c '
import json, sys
def walk(node):
    if node.get("pid") and node.get("type") in ("con", "floating_con"):
        # The window with the title bar sway draws above it, if any.
        r, d = node["rect"], node["deco_rect"]
        x0, y0, x1, y1 = r["x"], r["y"], r["x"] + r["width"], r["y"] + r["height"]
        if d["height"] > 0:
            x0, y0 = min(x0, d["x"]), min(y0, d["y"])
            x1, y1 = max(x1, d["x"] + d["width"]), max(y1, d["y"] + d["height"])
        print(x0, y0, x1 - x0, y1 - y0, int(node["focused"]), node["name"])
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}
# sway_rect TITLE: "X Y W H" of the window named exactly TITLE; fails when there is none.
sway_rect() {
    local x y w h focused title
    while read -r x y w h focused title; do
        [[ $title == "$1" ]] && { echo "$x $y $w $h"; return 0; }
    done < <(sway_windows)
    return 1
}
sway_focused() {
    local x y w h focused title
    while read -r x y w h focused title; do
        [[ $title == "$1" && $focused == 1 ]] && return 0
    done < <(sway_windows)
    return 1
}
sway_absent() { ! sway_rect "$1" >/dev/null; }

# --- input -----------------------------------------------------------------------------------------
# One virtual pointer for the whole run, made before the game starts, as a mouse is there before a
# program: sway gives the seat its pointer then, and a press and its release come from one device.
coproc POINTER { exec "$E2E_PYTHON" "$E2E_HERE/wlpointer.py" "$SCREEN_W" "$SCREEN_H" 2>"$E2E_TMP/wlpointer.log"; }
E2E_PIDS+=("$POINTER_PID")
pointer() {
    local answer
    echo "$*" >&"${POINTER[1]}" || e2e_die "the pointer is gone: $(cat "$E2E_TMP/wlpointer.log")"
    read -r -t 5 answer <&"${POINTER[0]}" && [[ $answer == ok ]] ||
        e2e_die "the pointer did not take '$*': $(cat "$E2E_TMP/wlpointer.log")"
}
pointer move "$REST_X" "$REST_Y"
# A keyboard likewise, for the whole run: without one, the seat has none until wtype makes its own,
# and the program's keyboard comes too late for that first key press. wtype's own keyboard then
# types the keys.
e2e_bg keyboard wtype -s 86400000
has_keyboard() { swaymsg -t get_inputs -r | grep -q '"type": "keyboard"'; }
e2e_wait_for 5 has_keyboard || e2e_die "wtype's keyboard never reached sway: $(cat "$E2E_TMP/keyboard.log")"

# board_at X Y: where a window-relative spot of the board is on the screen.
board_at() {
    local x y w h
    read -r x y w h < <(sway_rect "$GAME_TITLE") || e2e_die "the board is not on the screen"
    echo "$((x + $1)) $((y + $2))"
}
# sway_click X Y: move to a spot of the board and click it, as a hand does: a move on the way, a
# moment before the press, a short press.
sway_click() {
    local ax ay
    read -r ax ay < <(board_at "$1" "$2")
    pointer move "$((ax + 1))" "$((ay + 1))"
    pointer move "$ax" "$ay"
    sleep 0.15
    pointer press
    sleep 0.05
    pointer release
}
# rest: the pointer over the felt, which puts out a lit button, then off the board.
rest() {
    local ax ay
    # shellcheck disable=SC2086
    read -r ax ay < <(board_at $FELT_AT)
    pointer move "$ax" "$ay"
    sleep 0.1
    pointer move "$REST_X" "$REST_Y"
}
key() { wtype "$@" || e2e_die "wtype $* failed"; }

# --- screenshots -----------------------------------------------------------------------------------
sway_shot() {
    local seq file
    seq=$(($(cat "$E2E_TMP/shot-seq" 2>/dev/null || echo 0) + 1))
    echo "$seq" >"$E2E_TMP/shot-seq"
    file=$E2E_ART/$(printf '%02d' "$seq")-$1.png
    grim "$file" || return 1
    echo "$file"
}
# sway_settled NAME: shots until two in a row are the same, pixel for pixel. Prints the last one.
sway_settled() {
    local last="" shot i
    for ((i = 0; i < 100; i++)); do
        shot=$(sway_shot "$1") || { sleep 0.1; continue; }
        if [[ -n $last ]] && cutout same "$shot" "$last"; then
            rm -f "$last"
            echo "$shot"
            return 0
        fi
        [[ -n $last ]] && rm -f "$last"
        last=$shot
        sleep 0.05
    done
    return 1
}
# game_img SUBCOMMAND PNG ARGS...: shot.py on a screenshot, relative to the board.
game_img() {
    local sub=$1 png=$2 x y w h
    shift 2
    read -r x y w h < <(sway_rect "$GAME_TITLE")
    "$E2E_PYTHON" "$E2E_HERE/shot.py" "$sub" "$png" "$x" "$y" "$@"
}
dice_seen() { game_img dice "$(sway_settled "$1")"; }

# --- the board on the desktop ----------------------------------------------------------------------
for ((i = 0; i < 100; i++)); do
    desktop=$(sway_settled desktop) || e2e_die "sway's screen never settled"
    cutout drawn "$desktop" && break
    sleep 0.1
done
cutout drawn "$desktop" || e2e_die "sway never drew the desktop: $(cat "$E2E_TMP/sway.log")"

QT_QPA_PLATFORM=wayland e2e_launch "$BIN"
board_shown() { e2e_app_running && sway_rect "$GAME_TITLE"; }
e2e_wait_for 20 board_shown || e2e_die "the board never appeared on sway: $(e2e_app_log)"
read -r x y w h < <(sway_rect "$GAME_TITLE")
e2e_log "the board at $x,$y"
e2e_check "the board is ${GAME_W} x $GAME_H (got $w x $h)" test "$w x $h" = "$GAME_W x $GAME_H"
e2e_check "the board has the focus" sway_focused "$GAME_TITLE"
shot=$(sway_settled start)
read -r found_x found_y < <(cutout locate "$shot" "$SKIN/board.png")
e2e_check "the board is drawn where sway has its window (at $found_x,$found_y)" test "$found_x $found_y" = "$x $y"
judge_cut "sway" exact "$shot" "$desktop" "$x" "$y"
start_dice=$(game_img dice "$shot")
e2e_check "the dice lie in their start row" dice_in_start_row "$start_dice" 6

# --- Roll by click and by R --------------------------------------------------------------------------
# shellcheck disable=SC2086
sway_click $ROLL_AT
rest
rolled() { dice=$(dice_seen roll) && ! dice_in_start_row "$dice" 2>/dev/null; }
e2e_wait_for 5 rolled
e2e_check "a click on Roll rolls the dice onto the table" dice_on_table "$dice"
first=$dice
key r
rolled_again() { dice=$(dice_seen roll-by-key) && [[ $dice != "$first" ]]; }
e2e_wait_for 5 rolled_again
e2e_check "R rolls them again" dice_on_table "$dice"

# --- a drag on the felt moves the board by the pointer's movement ------------------------------------
read -r x0 y0 _ _ < <(sway_rect "$GAME_TITLE")
read -r fx fy <<<"$FELT_AT"
read -r ax ay < <(board_at "$fx" "$fy")
pointer move "$ax" "$ay"
sleep 0.15
pointer press
sleep 0.1
for s in 1 2 3 4 5 6 7 8; do
    pointer move "$((ax - 90 * s / 8))" "$((ay - 50 * s / 8))"
    sleep 0.03
done
pointer release
rest
moved() { read -r x1 y1 _ _ < <(sway_rect "$GAME_TITLE") && [[ "$x1 $y1" != "$x0 $y0" ]]; }
e2e_wait_for 5 moved
e2e_check "a drag by (-90, -50) moves the board from $x0,$y0 by as much (to $x1,$y1)" \
    test "$x1 $y1" = "$((x0 - 90)) $((y0 - 50))"
pointer move "$((REST_X - 10))" "$((REST_Y - 10))"
rest
sleep 0.3
read -r x2 y2 _ _ < <(sway_rect "$GAME_TITLE")
e2e_check "the board stays put once the button is up (at $x2,$y2)" test "$x2 $y2" = "$x1 $y1"

# --- the minimise label: sway has no minimising, and the label does nothing there -------------------
before=$(sway_settled before-minimise)
# shellcheck disable=SC2086
sway_click $MINIMISE_AT
rest
sleep 0.5
after=$(sway_settled after-minimise)
e2e_check "the minimise label leaves the board where it was" test "$(sway_rect "$GAME_TITLE")" = "$x1 $y1 $GAME_W $GAME_H"
e2e_check "and the screen as it was" cutout same "$after" "$before"
e2e_check "the board keeps the focus" sway_focused "$GAME_TITLE"

# --- a question opens over the board and takes Yes and No --------------------------------------------
# question_over_board: the question is up, has the focus and is centred on the board.
question_over_board() {
    QUESTION_AT="no question"
    local bx by bw bh qx qy qw qh
    read -r bx by bw bh < <(sway_rect "$GAME_TITLE") || return 1
    read -r qx qy qw qh < <(sway_rect "$QUESTION_TITLE") || return 1
    QUESTION_AT="the question at $qx,$qy ${qw}x$qh, the board at $bx,$by"
    local dx=$((2 * qx + qw - 2 * bx - bw)) dy=$((2 * qy + qh - 2 * by - bh))
    ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2))
}
# shellcheck disable=SC2086
sway_click $QUIT_AT
rest
e2e_wait_for 5 sway_rect "$QUESTION_TITLE" || e2e_die "the Quit question never appeared"
e2e_wait_for 5 sway_focused "$QUESTION_TITLE"
question_over_board
e2e_check "the Quit question opens centred over the board ($QUESTION_AT)" test $? -eq 0
sway_settled quit-question >/dev/null
key -k Escape
e2e_wait_for 5 sway_absent "$QUESTION_TITLE"
e2e_check "No (Escape) closes the question" sway_absent "$QUESTION_TITLE"
e2e_check "and the game goes on" e2e_app_running
e2e_wait_for 5 sway_focused "$GAME_TITLE"
# The question by its key, answered Yes.
key -M ctrl q -m ctrl
e2e_wait_for 5 sway_rect "$QUESTION_TITLE" || e2e_die "Ctrl+Q brought no question"
e2e_wait_for 5 sway_focused "$QUESTION_TITLE"
question_over_board
e2e_check "the Ctrl+Q question opens centred over the board too ($QUESTION_AT)" test $? -eq 0
key -k Return
e2e_wait_exit 5 || e2e_die "Yes to Quit did not end the game"
e2e_check "Yes (Return) ends the game with 0 (got $E2E_APP_RC)" test "$E2E_APP_RC" -eq 0

# --- the close label ---------------------------------------------------------------------------------
QT_QPA_PLATFORM=wayland e2e_launch "$BIN"
e2e_wait_for 20 board_shown || e2e_die "the board never appeared again: $(e2e_app_log)"
# shellcheck disable=SC2086
sway_click $CLOSE_AT
e2e_wait_exit 5 || e2e_die "the close label did not end the game"
e2e_check "the close label ends the game with 0 (got $E2E_APP_RC)" test "$E2E_APP_RC" -eq 0

e2e_finish
