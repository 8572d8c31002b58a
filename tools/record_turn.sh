#!/usr/bin/env bash
# Plays one turn of the built game under its own Xvfb and openbox and keeps a picture of each step:
# docs/turn-1-start.png .. docs/turn-5-scored.png and all five side by side in docs/turn-strip.png.
# Usage: tools/record_turn.sh [PATH/TO/quibbix]   (default: build/quibbix)

set -u
repo=$(cd "$(dirname "$0")/.." && pwd)
bin=$(realpath "${1:-$repo/build/quibbix}")
[[ -x $bin ]] || { echo "no game at $bin; build it first (cmake --build build --target quibbix)" >&2; exit 1; }
docs=$repo/docs

export E2E_ARTIFACTS=${E2E_ARTIFACTS:-/tmp/quibbix-record-turn}
# shellcheck source=../tests/e2e/game.sh
source "$repo/tests/e2e/game.sh"
e2e_init record-turn
e2e_start_x
e2e_start_wm
# A sound server keeps the run like a player's; nothing is recorded.
e2e_start_sound
game_launch "$bin"

# keep N NAME: the window's part of a screenshot, into docs.
keep() {
    local shot x y w h
    shot=$(game_shot "$2")
    read -r x y w h < <(e2e_geometry)
    convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$docs/turn-$1-$2.png" || e2e_die "cannot crop $shot"
    echo "$docs/turn-$1-$2.png"
}

keep 1 start
game_roll rolled >/dev/null
keep 2 rolled
# Hold the two dice nearest the top of the table.
while read -r -u 3 x y _; do
    # shellcheck disable=SC2046
    e2e_click $(die_centre "$x" "$y")
done 3< <(game_dice "$GAME_SHOT" | head -n 2)
keep 3 held
game_roll second-roll >/dev/null
keep 4 second-roll
# Chance: the sum of the pips, never zero, so no question.
# shellcheck disable=SC2046
e2e_click $(score_box_at 11)
keep 5 scored

montage -label '%t' -pointsize 14 \
    "$docs/turn-1-start.png" "$docs/turn-2-rolled.png" "$docs/turn-3-held.png" \
    "$docs/turn-4-second-roll.png" "$docs/turn-5-scored.png" \
    -tile 5x1 -geometry 394x299+6+6 -background '#202020' -fill white "$docs/turn-strip.png" ||
    e2e_die "montage failed"
echo "$docs/turn-strip.png"

# shellcheck disable=SC2086
e2e_click $CLOSE_AT
e2e_wait_exit 5 || e2e_die "the game did not end after the close label"
e2e_finish
