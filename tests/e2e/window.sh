# The game's window under a real X server and window manager: size, shape, the desktop through the
# cut-away parts, the dice at start, the hover pictures, dragging, minimising and the close label.
# Usage: bash window.sh PATH/TO/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: window.sh PATH/TO/quibbix}

e2e_init window

# Without a display the program must say so in one line and fail, not crash in the toolkit.
no_display=":$((40000 + RANDOM % 20000))"
while [[ -e /tmp/.X11-unix/X${no_display#:} ]]; do no_display=":$((${no_display#:} + 1))"; done
DISPLAY=$no_display "$BIN" >"$E2E_TMP/nodisplay.out" 2>"$E2E_TMP/nodisplay.err" </dev/null
rc=$?
e2e_check "without a display it exits non-zero (got $rc)" test "$rc" -ne 0 -a "$rc" -lt 128
e2e_check "without a display it prints one line on stderr: $(head -c 300 "$E2E_TMP/nodisplay.err")" \
    test "$(grep -c . "$E2E_TMP/nodisplay.err")" -eq 1

# Any other failure to start shows what the platform said: here, the name of a plugin it lacks.
QT_QPA_PLATFORM=no-such-platform "$BIN" >"$E2E_TMP/noplugin.out" 2>"$E2E_TMP/noplugin.err" </dev/null
rc=$?
e2e_check "without its platform plugin it exits non-zero (got $rc)" test "$rc" -ne 0 -a "$rc" -lt 128
e2e_check "without its platform plugin it says which one: $(head -c 300 "$E2E_TMP/noplugin.err")" \
    grep -q 'no-such-platform' "$E2E_TMP/noplugin.err"

e2e_start_x
e2e_start_wm
e2e_start_sound
game_launch "$BIN"

# --- the shaped window --------------------------------------------------------------------------------
read -r wx wy ww wh < <(e2e_geometry)
e2e_check "window is ${GAME_W} x ${GAME_H} (got $ww x $wh)" test "$ww x $wh" = "$GAME_W x $GAME_H"
shape=$(e2e_shape_extents)
e2e_check "bounding shape is 789x596+0+2 (got $shape)" test "$shape" = "789x596+0+2"
frame=$(xprop -id "$E2E_WID" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ' ')
e2e_check "the window manager draws no frame around it (extents ${frame:-none})" test "$frame" = "0,0,0,0"

start=$(game_shot start)
root="48 80 160"
# Spot, and whether the desktop shows there.
while read -r -u 3 x y desktop what; do
    got=$(e2e_img pixel "$start" "$x" "$y")
    if [[ $desktop == yes ]]; then
        e2e_check "desktop shows at $x,$y ($what), got $got" test "$got" = "$root"
    else
        e2e_check "board covers $x,$y ($what), got $got" test "$got" != "$root"
    fi
done 3<<'SPOTS'
0 0 yes top-left corner
788 0 yes top-right corner
394 0 yes row 0
394 1 yes row 1
0 2 yes curved top-left corner
788 2 yes curved top-right corner
0 597 yes curved bottom-left corner
788 597 yes curved bottom-right corner
394 2 no first row of the title bar
20 300 no left edge
394 597 no bottom edge
SPOTS

dice=$(game_dice "$start")
e2e_check "five six-pip dice in the start row" dice_in_start_row "$dice" 6

# --- hover pictures ---------------------------------------------------------------------------------------
# Button, its box, where to point, and the colour its lit picture shows and the dim one does not.
while read -r -u 3 name x0 y0 x1 y1 px py colour; do
    dim=$(e2e_img count "$start" "$x0" "$y0" "$x1" "$y1" "$colour")
    e2e_move "$px" "$py"
    lit_shot=$(e2e_shot "hover-$name")
    lit=$(e2e_img count "$lit_shot" "$x0" "$y0" "$x1" "$y1" "$colour")
    e2e_check "$name lights up under the pointer ($colour pixels: $dim dim, $lit lit)" \
        test "$dim" -lt 30 -a "$lit" -gt 300
    # shellcheck disable=SC2086
    e2e_move $FELT_AT
    back_shot=$(e2e_shot "felt-after-$name")
    e2e_check "$name goes dim again over the felt" test "$(e2e_img diff "$back_shot" "$start" "$x0" "$y0" "$x1" "$y1")" -eq 0
done 3<<'BUTTONS'
roll 439 490 559 571 499 530 red
reset 573 501 660 567 616 534 yellow
quit 676 501 763 567 719 534 red
BUTTONS

# --- dragging -------------------------------------------------------------------------------------------
read -r fx fy <<<"$FELT_AT"
read -r wx wy ww wh < <(e2e_geometry)
# Drag towards whichever side has room, so the pointer and the window stay on the screen.
dx=-57 dy=-43
((wx + dx < 0)) && dx=57
((wy + dy < 0)) && dy=43
e2e_drag "$fx" "$fy" "$dx" "$dy" 1
read -r nx ny _ _ < <(e2e_geometry)
e2e_check "left drag by $dx,$dy moves the window from $wx,$wy by exactly that (now $nx,$ny)" \
    test "$nx,$ny" = "$((wx + dx)),$((wy + dy))"
e2e_drag "$fx" "$fy" "$((-dx))" "$((-dy))" 3
read -r rx ry _ _ < <(e2e_geometry)
e2e_check "right drag leaves the window at $nx,$ny (now $rx,$ry)" test "$rx,$ry" = "$nx,$ny"
# A drag faster than the window follows: every motion arrives before the last move is carried out.
# The button comes up once the window had time to get there, as a hand lets go.
read -r ax ay < <(e2e_abs "$fx" "$fy")
xdotool mousemove "$ax" "$ay" mousedown 1 mousemove "$((ax - dx / 2))" "$((ay - dy / 2))" \
    mousemove "$((ax - dx))" "$((ay - dy))" sleep 0.5 mouseup 1
e2e_settle 0.5
read -r qx qy _ _ < <(e2e_geometry)
e2e_check "a fast left drag by $((-dx)),$((-dy)) moves the window by exactly that (now $qx,$qy)" \
    test "$qx,$qy" = "$wx,$wy"
# A click on the felt and a move elsewhere that reach the program together, as input queued while it
# was busy does: the toolkit hands over the move before the release, with the button still held.
read -r ax ay < <(e2e_abs "$fx" "$fy")
"$E2E_PYTHON" -c '
import sys
sys.path.insert(0, sys.argv[1])
import monkey
s = monkey.Screen()
x, y = int(sys.argv[2]), int(sys.argv[3])
s.move(x, y); s.button(1, True); s.button(1, False); s.move(x - 150, y + 40); s.sync()
' "$E2E_HERE" "$ax" "$ay"
e2e_settle 0.5
read -r cx cy _ _ < <(e2e_geometry)
e2e_check "a click on the felt followed at once by a move leaves the window where it was (now $cx,$cy)" \
    test "$cx,$cy" = "$wx,$wy"

# --- minimise -----------------------------------------------------------------------------------------
# shellcheck disable=SC2086
e2e_click $MINIMISE_AT
iconic() { [[ $(e2e_wm_state) == Iconic ]]; }
e2e_wait_for 5 iconic
e2e_check "the minimise label iconifies the window (WM_STATE $(e2e_wm_state))" iconic
e2e_check "the program goes on while minimised" e2e_app_running
xdotool windowactivate --sync "$E2E_WID" >/dev/null 2>&1 || xdotool windowmap --sync "$E2E_WID"
normal() { [[ $(e2e_wm_state) == Normal ]]; }
e2e_wait_for 5 normal
e2e_settle
e2e_check "the window comes back from the window list" normal

# The window manager may restore the window before the program has read its minimised state, as
# when a busy program is restored from the window list at once. gdb holds the program just as it is
# about to read the first of its states (WM_STATE, _NET_WM_STATE) after the label's click, until the
# window is back (x86-64: the event is the second argument, in rsi; its atom lies 8 bytes in). The
# label must still minimise afterwards.
if [[ $(uname -m) == x86_64 ]]; then
    atom_at='*(unsigned int *)($rsi + 8)'
    wm_state=$(xlsatoms -n WM_STATE | awk '{ print $1 }')
    net_wm_state=$(xlsatoms -n _NET_WM_STATE | awk '{ print $1 }')
    restore="xdotool windowactivate --sync $E2E_WID; for i in \$(seq 100); do xprop -id $E2E_WID WM_STATE | grep -q Normal && break; sleep 0.05; done"
    gdb -p "$E2E_APP_PID" -batch -nx \
        -ex "break QXcbWindow::handlePropertyNotifyEvent if $atom_at == $wm_state || $atom_at == $net_wm_state" \
        -ex continue -ex "shell $restore" -ex delete -ex detach >"$E2E_TMP/gdb.log" 2>&1 &
    gdb_pid=$!
    e2e_wait_for 20 grep -q '^Continuing' "$E2E_TMP/gdb.log"
    # shellcheck disable=SC2086
    e2e_click $MINIMISE_AT
    e2e_wait_for 20 eval '! kill -0 $gdb_pid'
    e2e_check "the window manager restored the window while the program was held ($(grep -c \
'Breakpoint 1,' "$E2E_TMP/gdb.log") stop, WM_STATE $(e2e_wm_state))" normal
    e2e_settle
    # shellcheck disable=SC2086
    e2e_click $MINIMISE_AT
    e2e_wait_for 5 iconic
    e2e_check "the minimise label still minimises after a restore the program did not see in time \
(WM_STATE $(e2e_wm_state))" iconic
    xdotool windowactivate --sync "$E2E_WID" >/dev/null 2>&1
    e2e_wait_for 5 normal
    e2e_settle
else
    echo "skip - holding the program at its read of WM_STATE needs x86-64 registers"
fi

# openbox draws an iconify button on a question as on any window, whatever the program asks for, and
# iconifies a question together with the window it belongs to. Both must come back together: a
# board restored while its question stayed hidden would take no input ever again.
# shellcheck disable=SC2086
e2e_click $RESET_AT
question=$(e2e_wait_dialog 'Quibbix!!')
e2e_check "Reset opens its question" test -n "$question"
qframe=$(xwininfo -id "$question" -children | awk '/Parent window id/ { print $4 }')
read -r fx fy fw _ < <(e2e_geometry "$qframe")
# The buttons at the right of the title bar are close, maximise and iconify, 16 pixels each with a
# gap, in Debian's openbox theme.
xdotool mousemove $((fx + fw - 47)) $((fy + 10)) click 1
e2e_wait_for 5 iconic
e2e_check "the question's iconify button minimises the board with it (board $(e2e_wm_state), question \
$(e2e_wm_state "$question"))" test "$(e2e_wm_state),$(e2e_wm_state "$question")" = "Iconic,Iconic"
xdotool windowactivate --sync "$E2E_WID" >/dev/null 2>&1
e2e_wait_for 5 normal
e2e_check "restoring the board brings its question back (board $(e2e_wm_state), question \
$(e2e_wm_state "$question"))" test "$(e2e_wm_state),$(e2e_wm_state "$question")" = "Normal,Normal"
e2e_check "the question comes back still open and answers" e2e_answer "$question" Escape
e2e_check "the program goes on after the question is answered" e2e_app_running

# --- the close label, in the middle of a turn ---------------------------------------------------------------
game_roll mid-turn
e2e_check "a roll before closing moves the dice" dice_on_table "$(game_dice "$GAME_SHOT")"
# shellcheck disable=SC2086
e2e_click $CLOSE_AT
e2e_check "the close label ends the program at once, without a question" e2e_wait_exit 5
e2e_check "exit code 0 (got ${E2E_APP_RC:-none})" test "${E2E_APP_RC:-none}" = 0
e2e_check "no question box was left behind" test -z "$(e2e_find_window 'Quibbix!')"

e2e_finish
