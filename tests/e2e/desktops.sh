# The board cut to its painted outline on every kind of Linux desktop, with a patterned desktop
# behind it (a plain one could hide a corner painted in the same colour): natively on Wayland and
# through Xwayland, both under a headless weston, and on X11 without a compositor, there also at a
# scale of 2. In each the corners and the two top rows show the desktop, no pixel of the key colour
# reaches the screen, the board fills its outline and the dice are cut to theirs; at 2 the pictures
# shown are the ones drawn at 2x, the outline is the 1x outline scaled, and the focus mark is drawn at
# the screen's resolution.
# Usage: bash desktops.sh PATH/TO/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: desktops.sh PATH/TO/quibbix}
source "$E2E_HERE/cutcheck.sh"

e2e_init desktops

# --- weston: screenshots through its screenshooter -----------------------------------------------------
WESTON_SOCKET=quibbix-e2e-$$

# weston_shot NAME: a screenshot of weston's output into the artifacts; prints its path. The
# screenshooter names its file by the second, so each shot is taken in a directory of its own.
weston_shot() {
    local seq dir file
    seq=$(($(cat "$E2E_TMP/shot-seq" 2>/dev/null || echo 0) + 1))
    echo "$seq" >"$E2E_TMP/shot-seq"
    file=$E2E_ART/$(printf '%02d' "$seq")-$1.png
    dir=$E2E_TMP/shot-$seq
    mkdir -p "$dir"
    (cd "$dir" && WAYLAND_DISPLAY=$WESTON_SOCKET weston-screenshooter) >/dev/null 2>&1 || return 1
    mv "$dir"/*.png "$file" 2>/dev/null || return 1
    rm -rf "$dir"
    echo "$file"
}

# weston_settled NAME: shots until two in a row are the same, pixel for pixel: every client has
# drawn what it had to draw. Prints the path of the last one.
weston_settled() {
    local last="" shot i
    for ((i = 0; i < 100; i++)); do
        shot=$(weston_shot "$1") || { sleep 0.1; continue; }
        if [[ -n $last ]] && cutout same "$shot" "$last"; then
            rm -f "$last"
            echo "$shot"
            return 0
        fi
        [[ -n $last ]] && rm -f "$last"
        last=$shot
    done
    return 1
}

# weston_game NAME: waits until the board is on weston's screen and drawn to the end; sets GAME_SHOT,
# GAME_X and GAME_Y.
weston_game() {
    local i
    for ((i = 0; i < 100; i++)); do
        e2e_app_running || e2e_die "$1: the program ended: $(e2e_app_log)"
        GAME_SHOT=$(weston_settled "$1") || e2e_die "$1: weston's screen never settled"
        if read -r GAME_X GAME_Y < <(cutout locate "$GAME_SHOT" "$SKIN/board.png" 2>/dev/null); then
            return 0
        fi
        sleep 0.1
    done
    e2e_die "$1: the board never appeared on weston's screen: $(e2e_app_log)"
}

weston_up() { [[ -S $XDG_RUNTIME_DIR/$WESTON_SOCKET ]]; }
e2e_bg weston weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
    --idle-time=0 --debug --xwayland --socket="$WESTON_SOCKET"
e2e_wait_for 20 weston_up || e2e_die "weston did not start: $(cat "$E2E_TMP/weston.log")"
# The shell's background is drawn by a client of its own, some time after weston is up; the screen
# stays black until then.
for ((i = 0; i < 100; i++)); do
    desktop=$(weston_settled weston-desktop) || e2e_die "weston's desktop never settled"
    cutout drawn "$desktop" && break
    sleep 0.1
done
cutout drawn "$desktop" || e2e_die "weston's shell never drew the desktop"
board_absent "$desktop" || e2e_die "the board is on the screen before the game started"

# Natively on Wayland.
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$WESTON_SOCKET e2e_launch "$BIN"
weston_game wayland
e2e_log "on Wayland at $GAME_X,$GAME_Y"
judge_cut "Wayland" exact "$GAME_SHOT" "$desktop" "$GAME_X" "$GAME_Y"
e2e_stop_pid "$E2E_APP_PID"

# Through Xwayland, the X server that weston starts for its X clients: it names its display in the log.
xwayland_display() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_TMP/weston.log" | head -n 1; }
e2e_wait_for 10 test -n "$(xwayland_display)" || e2e_die "weston named no Xwayland display"
desktop=$(weston_settled weston-desktop-again) || e2e_die "weston's screen never settled"
e2e_check "the Wayland window is gone from the screen" board_absent "$desktop"
QT_QPA_PLATFORM=xcb DISPLAY=$(xwayland_display) e2e_launch "$BIN"
weston_game xwayland
e2e_log "on Xwayland at $GAME_X,$GAME_Y"
# weston's window manager for X clients draws a drop shadow around the window, under its corners too.
judge_cut "Xwayland" shadow "$GAME_SHOT" "$desktop" "$GAME_X" "$GAME_Y"
e2e_stop_pid "$E2E_APP_PID"

# --- X11 without a compositor, the desktop tiled with a pattern --------------------------------------------
# Room for the window at a scale of 2.
e2e_start_x 1700x1300
e2e_start_wm
"$E2E_PYTHON" - "$E2E_TMP/tile.xbm" <<'PATTERN'
import sys
# An 8 x 8 tile of diagonal stripes, as an X bitmap.
rows = [0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88]
with open(sys.argv[1], "w") as f:
    f.write("#define tile_width 8\n#define tile_height 8\nstatic unsigned char tile_bits[] = {\n")
    f.write(", ".join(f"0x{r:02x}" for r in rows) + "};\n")
PATTERN
xsetroot -bitmap "$E2E_TMP/tile.xbm" -fg '#d0a040' -bg '#204060' || e2e_die "xsetroot failed"
desktop=$(e2e_shot x11-desktop)
e2e_launch "$BIN"
e2e_wait_window "$GAME_TITLE"
shot=$(game_shot x11)
read -r x y _ _ < <(e2e_geometry)
judge_cut "X11" exact "$shot" "$desktop" "$x" "$y"
e2e_stop_pid "$E2E_APP_PID"

# At a scale of 2, as on a high-density screen: every position and outline is the 1x one doubled, and
# the pictures are those drawn at 2x, not the 1x ones enlarged.
QT_SCALE_FACTOR=2 e2e_launch "$BIN"
e2e_wait_window "$GAME_TITLE"
read -r x y w h < <(e2e_geometry)
e2e_check "at scale 2 the window is twice the board (got $w x $h)" test "$w x $h" = "$((2 * GAME_W)) x $((2 * GAME_H))"
shape=$(e2e_shape_extents)
e2e_check "at scale 2 the bounding shape is 1578x1192+0+4 (got $shape)" test "$shape" = "1578x1192+0+4"
shot=$(game_shot x11-scale2)
judge_cut "X11 at scale 2" exact "$shot" "$desktop" "$x" "$y" 2
read -r wrong compared < <(cutout card "$shot" "$SKIN/board@2x.png" "$x" "$y")
e2e_check "at scale 2 the scorecard shows the board drawn at 2x ($wrong of $compared pixels differ)" \
    test "$compared" -gt 0 -a "$wrong" -eq 0

# The focus mark at 2: none before a key; after Tab it shows on Roll, drawn at the screen's
# resolution: across its straight sides a clean 2-pixel dark edge, 4 pixels of amber and 2 dark
# again, with no blended pixel that a 1x mark scaled up would have.
read -r rx0 ry0 rx1 ry1 <<<"$ROLL_BOX"
roll2x="$((2 * rx0)) $((2 * ry0)) $((2 * rx1 + 1)) $((2 * ry1 + 1))"
glow2x() { e2e_img count "$1" "$2" "$3" "$4" "$5" "$FOCUS_GLOW"; }
# shellcheck disable=SC2086
e2e_check "at scale 2 no focus mark before any key" \
    test "$(glow2x "$shot" 0 0 $((2 * GAME_W - 1)) $((2 * GAME_H - 1)))" -eq 0
xdotool windowactivate --sync "$E2E_WID" 2>/dev/null || xdotool windowfocus --sync "$E2E_WID"
xdotool key --clearmodifiers Tab
# shellcheck disable=SC2086
mark_shown() { marked=$(game_shot x11-scale2-focus) && (($(glow2x "$marked" $roll2x) > 0)); }
e2e_wait_for 5 mark_shown
E=$FOCUS_EDGE G=$FOCUS_GLOW
crisp="$E $E $G $G $G $G $E $E"
middle_x=$((rx0 + rx1)) middle_y=$((ry0 + ry1))
top=$(e2e_img colours "$marked" "$middle_x" $((2 * ry0)) "$middle_x" $((2 * ry0 + 7)))
left=$(e2e_img colours "$marked" $((2 * rx0)) "$middle_y" $((2 * rx0 + 7)) "$middle_y")
e2e_check "at scale 2 after Tab the mark's top side on Roll is crisp (got $top)" test "$top" = "$crisp"
e2e_check "and so is its left side (got $left)" test "$left" = "$crisp"
# A 1x mark enlarged pixel for pixel would also give those sides; its rounded corner would come in
# whole 2 x 2 blocks of one colour.
split_blocks() {
    awk '{ n = 0
        for (r = 0; r < 16; r += 2) for (c = 0; c < 16; c += 2) {
            a = $(r * 16 + c + 1)
            if (a != $(r * 16 + c + 2) || a != $((r + 1) * 16 + c + 1) || a != $((r + 1) * 16 + c + 2)) n++
        }
        print n }'
}
split=$(e2e_img colours "$marked" $((2 * rx0)) $((2 * ry0)) $((2 * rx0 + 15)) $((2 * ry0 + 15)) | split_blocks)
e2e_check "and its corner is drawn at the screen's resolution ($split of 64 blocks of 2 x 2 are not one colour)" \
    test "$split" -gt 0
# shellcheck disable=SC2086
e2e_check "and the mark shows nowhere else" test "$(glow2x "$marked" $roll2x)" -eq \
    "$(glow2x "$marked" 0 0 $((2 * GAME_W - 1)) $((2 * GAME_H - 1)))"

e2e_finish
