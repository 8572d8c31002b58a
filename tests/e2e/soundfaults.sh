# Faults of the sound: cue files that are no sound this game can play, and a sound server that goes
# away in the middle of a game and comes back. The game plays on in silence, and every cue that can
# sound is heard.
# Usage: bash soundfaults.sh PATH/TO/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: soundfaults.sh PATH/TO/quibbix}
SOUNDS=$(dirname "$BIN")

e2e_init soundfaults
e2e_start_x
e2e_start_wm
e2e_start_sound
e2e_listen soundfaults

point_at_roll() {
    # shellcheck disable=SC2086
    e2e_move $FELT_AT 0.05
    # shellcheck disable=SC2086
    e2e_move $ROLL_AT
}
# shellcheck disable=SC2086
click_roll() { e2e_click $ROLL_AT; }
# Five equal dice (1 in 1296) score themselves and go back to the start row, where a click on a die
# plays nothing; then roll on, as a player would.
dice_out() {
    if dice_in_start_row "$(game_dice "$(game_shot "$1")")" 2>/dev/null; then
        game_roll "$1-again"
    fi
}
hold_first_die() {
    local x y _
    read -r x y _ <<<"$(game_dice "$(game_shot "$1")" | head -n 1)"
    # shellcheck disable=SC2046
    e2e_click $(die_centre "$x" "$y")
}
# shellcheck disable=SC2046
release_held_die() { e2e_click $(die_centre "${HOLDER_X[0]}" "$HOLDER_Y"); }
reset_yes() {
    # shellcheck disable=SC2086
    e2e_click $RESET_AT
    game_question 'Quibbix!!' Return
}
resident_mib() { echo $(($(awk '/^VmRSS/ { print $2 }' "/proc/$E2E_APP_PID/status") / 1024)); }

# A WAV header whose data chunk claims 3 GB that the file does not hold.
lying_wav() {
    printf 'RIFF\xff\xff\xff\xffWAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x44\xac\x00\x00\x88\x58\x01\x00\x02\x00\x10\x00data\x00\x00\x00\xc0' >"$1"
    head -c 1000 /dev/urandom >>"$1"
}

# play_with_bad_files LABEL: start the game from a folder whose bad files were put there by the
# caller, and play every cue that can be asked for at will. The shake and the roll cue are bad in
# both sets; the others are named in HEARD.
play_with_bad_files() {
    local label=$1 dir=$2
    shift 2
    game_launch "$dir/$(basename "$BIN")"
    e2e_check "$label: the program starts and keeps a small memory ($(resident_mib) MiB)" \
        test "$(resident_mib)" -lt 200
    e2e_expect_silence "$label: shake cue from a bad file" point_at_roll
    e2e_expect_silence "$label: roll cue from a bad file" click_roll
    dice_out "$label-roll"
    if [[ " $* " == *" softplop.wav "* ]]; then
        e2e_expect_sound "$label: die-click cue from a good file" hold_first_die "$label-rolled"
        e2e_expect_sound "$label: die-click cue again" release_held_die
    else
        e2e_expect_silence "$label: die-click cue from a bad file" hold_first_die "$label-rolled"
    fi
    e2e_expect_sound "$label: reset cue from a good file" reset_yes
    e2e_check "$label: still small after every cue ($(resident_mib) MiB)" test "$(resident_mib)" -lt 200
    e2e_check "$label: still running" e2e_app_running
    # shellcheck disable=SC2086
    e2e_click $CLOSE_AT
    e2e_check "$label: the program ends after the close label" e2e_wait_exit 5
}

# First set: a header that lies about its size, an empty file, garbage; the die-click and reset
# files are good.
first=$E2E_TMP/first
mkdir "$first"
cp "$BIN" "$SOUNDS/softplop.wav" "$SOUNDS/pop2.wav" "$first/"
lying_wav "$first/rolldice.wav"
: >"$first/Shakedice.wav"
head -c 50000 /dev/urandom >"$first/cheer.wav"
play_with_bad_files "lying, empty and garbage files" "$first" softplop.wav pop2.wav

# Second set: a truncated file, a WAV of another sample format, a pipe that nobody writes to, and a
# huge sparse file; only the reset file is good.
second=$E2E_TMP/second
mkdir "$second"
cp "$BIN" "$SOUNDS/pop2.wav" "$second/"
head -c 20000 "$SOUNDS/rolldice.wav" >"$second/rolldice.wav"
sox "$SOUNDS/Shakedice.wav" -e floating-point -b 32 "$second/Shakedice.wav"
mkfifo "$second/softplop.wav"
truncate -s 4G "$second/cheer.wav"
play_with_bad_files "truncated, float, pipe and huge files" "$second" pop2.wav

# The sound server goes away in the middle of a game and comes back.
game_launch "$BIN"
e2e_expect_sound "before the server goes: the shake cue" point_at_roll
e2e_stop_sound
before=$(game_shot before-silent-roll)
click_roll
e2e_check "without a server the roll still rolls" \
    test "$(e2e_img diff "$(game_shot after-silent-roll)" "$before" 0 2 788 595)" -gt 0
GAME_ROLLS=1
dice_out silent-roll
e2e_check "without a server the program runs on" e2e_app_running
e2e_start_sound
e2e_listen soundfaults-again
e2e_expect_sound "the server is back: the first cue is heard" hold_first_die back
e2e_expect_sound "the server is back: the next cue too" release_held_die
e2e_expect_sound "the server is back: a roll is heard" click_roll
# shellcheck disable=SC2086
e2e_click $CLOSE_AT
e2e_check "the program ends after the close label" e2e_wait_exit 5
e2e_finish
