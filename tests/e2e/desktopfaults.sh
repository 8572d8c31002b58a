# Faults of the desktop around the program: the X server going away, SIGTERM and SIGINT, and two
# games at once on one display and one sound server.
# Usage: bash desktopfaults.sh PATH/TO/quibbix

source "$(dirname "$0")/game.sh"
BIN=${1:?usage: desktopfaults.sh PATH/TO/quibbix}

e2e_init desktopfaults
e2e_start_x
e2e_start_wm
e2e_start_sound
e2e_listen desktopfaults

# cpu_ticks PID: user and system clock ticks the process has used so far.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# --- SIGTERM and SIGINT: the program ends at once, as the signal's default ------------------------------
# A background job of a script starts with SIGINT ignored; a terminal's game starts with the default.
for signal in TERM INT; do
    game_launch env --default-signal=INT "$BIN"
    # shellcheck disable=SC2086
    e2e_click $ROLL_AT
    E2E_APP_RC=""
    kill -s "$signal" "$E2E_APP_PID"
    e2e_check "SIG$signal ends the program within a second" e2e_wait_exit 1
    want=$((128 + $(kill -l "$signal")))
    e2e_check "SIG$signal: exit status $want, as the signal's own (got ${E2E_APP_RC:-none})" \
        test "${E2E_APP_RC:-none}" = "$want"
done

# --- two games at once --------------------------------------------------------------------------------
game_launch "$BIN"
first_pid=$E2E_APP_PID first_wid=$E2E_WID
e2e_launch "$BIN"
second_pid=$E2E_APP_PID
second_wid=""
for _ in $(seq 100); do
    second_wid=$(e2e_find_window "$GAME_TITLE" | grep -vx "$first_wid" | head -n 1)
    [[ -n $second_wid ]] && break
    sleep 0.1
done
e2e_check "a second start opens a second window" test -n "$second_wid"
# Put the second game beside the first's Roll button, so both can be pointed at.
xdotool windowmove --sync "$first_wid" 0 0
xdotool windowmove --sync "$second_wid" 200 150
e2e_settle
for turn in first second first second; do
    if [[ $turn == first ]]; then E2E_WID=$first_wid E2E_APP_PID=$first_pid; else E2E_WID=$second_wid E2E_APP_PID=$second_pid; fi
    xdotool windowactivate --sync "$E2E_WID" >/dev/null 2>&1
    e2e_settle 0.2
    before=$(game_shot "two-$turn-before")
    # shellcheck disable=SC2086
    e2e_expect_sound "two games: the $turn game's roll is heard" e2e_click $ROLL_AT
    after=$(game_shot "two-$turn-after")
    e2e_check "two games: the $turn game rolls" \
        test "$(e2e_img diff "$after" "$before" 199 5 702 479)" -gt 0
done
E2E_APP_PID=$first_pid
e2e_check "two games: the first still runs" e2e_app_running
E2E_APP_PID=$second_pid
e2e_check "two games: the second still runs" e2e_app_running

# --- the X server goes away --------------------------------------------------------------------------
# Both games are still up. Without its display each ends within a second, with one line and a
# non-zero code, and does not spin.
kill -KILL "${E2E_PIDS[0]}"
for pid in "$first_pid" "$second_pid"; do
    E2E_APP_PID=$pid
    e2e_check "no X server: the game ($pid) ends within a second" e2e_wait_exit 1
    if e2e_app_running; then
        t0=$(cpu_ticks "$pid")
        sleep 1
        e2e_check "no X server: the game ($pid) does not spin while it hangs on" \
            test $(($(cpu_ticks "$pid") - t0)) -lt 20
    fi
    e2e_check "no X server: a non-zero code (got ${E2E_APP_RC:-none})" test "${E2E_APP_RC:-0}" -ne 0
done
e2e_check "no X server: one line on the output: $(e2e_app_log | head -c 300)" \
    test "$(e2e_app_log | grep -c .)" -eq 1
e2e_finish
