# The checks of the board's cut on a screenshot of any desktop, sourced after game.sh: judge_cut
# compares a screenshot of the game with one of the same desktop without it.

SKIN=$E2E_HERE/../../assets/skin
# Where the five six-pip dice lie at start, in window pixels at 1x.
DICE_X=(413 487 560 633 707)
DICE_Y=333

cutout() { "$E2E_PYTHON" "$E2E_HERE/cutout.py" "$@"; }
board_absent() { ! cutout locate "$1" "$SKIN/board.png" >/dev/null 2>&1; }

# judge_cut WHERE SHADOW SHOT DESKTOP X Y [SCALE]: every check of the cut, on one screenshot of the
# game at (X, Y) and one of the same desktop without it, against the pictures drawn at SCALE (1 or 2).
# With SHADOW "shadow" the window manager may dim the desktop around the window with its drop shadow;
# "exact" wants the desktop unchanged.
judge_cut() {
    local where=$1 shadow=$2 shot=$3 desktop=$4 x=$5 y=$6 scale=${7:-1} name cut wrong unlike outside inside n=0
    local suffix="" dice_at=()
    [[ $scale == 2 ]] && suffix=@2x
    local board=$SKIN/board$suffix.png face=$SKIN/die6$suffix.png
    for n in "${DICE_X[@]}"; do dice_at+=($((n * scale))); done
    dice_at+=($((DICE_Y * scale)))
    n=0
    e2e_check "$where: no pixel of the key colour on the screen (got $(cutout key "$shot" "$board"))" \
        test "$(cutout key "$shot" "$board")" -eq 0
    while read -r -u 3 name cut wrong unlike; do
        if [[ $shadow == shadow ]]; then
            e2e_check "$where: the desktop, at most shaded, shows through the $name ($unlike of $cut cut-away pixels are something else, $wrong shaded)" \
                test "$cut" -gt 0 -a "$unlike" -eq 0
        else
            e2e_check "$where: the desktop shows through the $name ($wrong of $cut cut-away pixels differ)" \
                test "$cut" -gt 0 -a "$wrong" -eq 0
        fi
    done 3< <(cutout corners "$shot" "$desktop" "$board" "$x" "$y")
    read -r wrong cut < <(cutout edge "$shot" "$board" "$x" "$y")
    e2e_check "$where: the board fills its outline along the edges ($wrong of $cut pixels differ)" \
        test "$cut" -gt 0 -a "$wrong" -eq 0
    # shellcheck disable=SC2086
    while read -r -u 3 outside inside; do
        e2e_check "$where: die $n is cut to its outline ($outside pixels around it hide the board, $inside of its face are wrong)" \
            test "$outside" -eq 0 -a "$inside" -eq 0
        n=$((n + 1))
    done 3< <(cutout dice "$shot" "$board" "$face" "$x" "$y" "${dice_at[@]}")
}
