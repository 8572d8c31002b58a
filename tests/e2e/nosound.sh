# Without its sound files, and without any sound server, the game plays on in silence and prints
# nothing per cue.
# Usage: bash nosound.sh PATH/TO/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: nosound.sh PATH/TO/quibbix}

e2e_init nosound
e2e_start_x
e2e_start_wm
e2e_start_sound
e2e_listen nosound

# play_a_turn TAG LABEL: every cue's moment once; the dice must have left the start row.
play_a_turn() {
    local tag=$1 label=$2 x y _ shot
    # shellcheck disable=SC2086
    e2e_move $FELT_AT
    sleep 0.5
    log_before=$(e2e_app_log | wc -l)
    # shellcheck disable=SC2086
    e2e_move $ROLL_AT
    # Five equal dice (1 in 1296) score themselves and go back to the start row: game_roll rolls on.
    game_roll "$tag-rolled"
    shot=$GAME_SHOT
    e2e_check "$label: the roll moves the dice" dice_on_table "$(game_dice "$shot")"
    read -r x y _ <<<"$(game_dice "$shot" | head -n 1)"
    # shellcheck disable=SC2046
    e2e_click $(die_centre "$x" "$y")
    # shellcheck disable=SC2086
    e2e_click $ROLL_AT
    # shellcheck disable=SC2046
    e2e_click $(score_box_at 11)
    # shellcheck disable=SC2086
    e2e_click $RESET_AT
    game_question 'Quibbix!!' Return
    sleep 0.5
    e2e_check "$label: the program is still running" e2e_app_running
    e2e_check "$label: nothing printed for the cues: $(e2e_app_log | tail -n +$((log_before + 1)) | head -n 3 | tr '\n' '|')" \
        test "$(e2e_app_log | wc -l)" -eq "$log_before"
}

# --- the program alone, without its sound files --------------------------------------------------------------
mkdir "$E2E_TMP/alone"
cp "$BIN" "$E2E_TMP/alone/"
game_launch "$E2E_TMP/alone/$(basename "$BIN")"
play_a_turn missing-files "missing files"
sleep 1
e2e_check "missing files: nothing reaches the sound server" test "$(e2e_sounds_heard)" -eq 0
# shellcheck disable=SC2086
e2e_click $CLOSE_AT
e2e_check "missing files: the program ends after the close label" e2e_wait_exit 5

# --- no sound server at all ---------------------------------------------------------------------------------
e2e_stop_sound
export PULSE_SERVER=unix:$E2E_TMP/run/no-such-server
# And no starting one of its own behind our back.
mkdir -p "$HOME/.config/pulse"
echo 'autospawn = no' >"$HOME/.config/pulse/client.conf"
export PULSE_CLIENTCONFIG=$HOME/.config/pulse/client.conf
game_launch "$BIN"
play_a_turn no-server "no sound server"
# shellcheck disable=SC2086
e2e_click $CLOSE_AT
e2e_check "no sound server: the program ends after the close label" e2e_wait_exit 5
e2e_finish
