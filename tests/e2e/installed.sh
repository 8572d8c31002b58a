# The installed program under its own Xvfb, openbox and PulseAudio: it starts from an installed
# tree with no sound file beside it, finds its sounds in ../share/quibbix/sounds and plays one.
# Usage: bash installed.sh PATH/TO/INSTALLED/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: installed.sh PATH/TO/INSTALLED/quibbix}

e2e_init installed
no_sound_beside() { ! compgen -G "$(dirname "$BIN")/*.wav" >/dev/null; }
e2e_check "no sound file lies beside the installed program" no_sound_beside
e2e_check "the sounds lie in ../share/quibbix/sounds" \
    test -f "$(dirname "$BIN")/../share/quibbix/sounds/Shakedice.wav"
e2e_start_x
e2e_start_wm
e2e_start_sound
e2e_listen installed
game_launch "$BIN"
point_at_roll() {
    # shellcheck disable=SC2086
    e2e_move $FELT_AT
    # shellcheck disable=SC2086
    e2e_move $ROLL_AT
}
e2e_expect_sound "the shake cue from the installed sounds" point_at_roll
# shellcheck disable=SC2086
e2e_click $CLOSE_AT
e2e_check "the program ends after the close label" e2e_wait_exit 5
e2e_check "and exits with 0 (got ${E2E_APP_RC:-none})" test "${E2E_APP_RC:-1}" -eq 0
e2e_finish
