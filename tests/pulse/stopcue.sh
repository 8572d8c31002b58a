# A new cue stops the one still playing, also when its own file is missing or no sound the output
# can play: the cue before must not play on to its end. The game's sound output alone is asked for
# cues (CueRequests.cpp) on a private PulseAudio with a null sink, and the streams the server holds
# are looked at.
# Usage: bash stopcue.sh PATH/TO/quibbix_cue_requests

source "$(dirname "$0")/../e2e/harness.sh"
REQUESTS=${1:?usage: stopcue.sh PATH/TO/quibbix_cue_requests}

e2e_init stopcue
e2e_start_sound

# Far longer than any wait below: a long cue that is still there after one was not stopped.
long=$E2E_TMP/long.wav
sox -n -r 8000 -c 1 -b 16 -e signed-integer "$long" synth 120 sine 440 vol 0.5 ||
    e2e_die "sox cannot make the long cue"

# The files that play nothing, as "LABEL|PATH".
bad=$E2E_TMP/bad
mkdir "$bad" "$bad/folder.wav"
: >"$bad/empty.wav"
printf 'no sound in here\n' >"$bad/text.wav"
sox -n -r 8000 -c 1 -b 32 -e floating-point "$bad/float.wav" synth 1 sine 440 ||
    e2e_die "sox cannot make the float file"
head -c 20000 "$long" >"$bad/truncated.wav"
CASES=(
    "a missing file|$bad/missing.wav"
    "an empty file|$bad/empty.wav"
    "a text file|$bad/text.wav"
    "a WAV of float samples|$bad/float.wav"
    "a WAV cut short|$bad/truncated.wav"
    "a folder|$bad/folder.wav"
)

coproc REQUESTER { exec "$REQUESTS" 2>"$E2E_TMP/requester-errors.log"; }
requester=$REQUESTER_PID
E2E_PIDS+=("$requester")

# ask PATH: the output has been asked for PATH once this returns.
ask() {
    local reply=""
    printf '%s\n' "$1" >&"${REQUESTER[1]}"
    if ! read -r -t 10 reply <&"${REQUESTER[0]}" || [[ $reply != "asked $1" ]]; then
        e2e_die "the requester did not take $1 (it answered '$reply')"
    fi
}
# A failed listing is never taken for an empty one.
streams() { pactl list short sink-inputs; }
long_cue_plays() { streams | grep -q 's16le 1ch 8000Hz'; }
nothing_plays() {
    local list
    list=$(streams) && [[ -z $list ]]
}

# The output connects in the background, and a cue asked for before the connection is made may come
# too late to be played at all: the long cue is asked for until the server holds it.
for ((try = 0; try < 20; try++)); do
    ask "$long"
    e2e_wait_for 1 long_cue_plays && break
done
e2e_check "the output connects and plays the long cue" long_cue_plays

for case in "${CASES[@]}"; do
    what=${case%%|*}
    ask "$long"
    e2e_check "$what: the long cue plays first" e2e_wait_for 10 long_cue_plays
    ask "${case#*|}"
    e2e_check "$what: it stops the long cue" e2e_wait_for 5 nothing_plays
done

# The end of the input closes the output and ends the requester.
eval "exec ${REQUESTER[1]}>&-"
requester_ended() { ! kill -0 "$requester" 2>/dev/null; }
if e2e_wait_for 10 requester_ended; then
    wait "$requester"
    rc=$?
    e2e_check "the requester ends well at the end of its input (status $rc)" test "$rc" -eq 0
else
    e2e_check "the requester ends at the end of its input" false
fi
e2e_check "nothing printed: $(head -c 300 "$E2E_TMP/requester-errors.log")" \
    test ! -s "$E2E_TMP/requester-errors.log"
e2e_finish
