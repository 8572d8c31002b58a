# Shared helpers for the end-to-end tests: each test sources this file, starts the servers it needs
# (Xvfb, openbox, PulseAudio with a null sink), drives the program with xdotool and judges what
# the X server and the sound server saw. Everything started here is stopped by the EXIT trap.
#
# Coordinates given to the e2e_* pointer and image helpers are relative to the game window's top-left
# corner, so a test reads the same wherever the window manager placed the window.

set -u

E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_NAME=""
E2E_TMP=""
E2E_ART=""
E2E_PIDS=()          # every background process we started, in start order
E2E_KEEP=()          # what a test wrote in E2E_TMP that is kept with the artifacts, passed or failed
E2E_APP_PID=""
E2E_WID=""
E2E_FAILED=0
E2E_CHECKS=0
E2E_ROOT_COLOUR="#3050a0"
E2E_SINK=e2e_sink
# Debian's own interpreter: a version manager's shim in PATH can cost half a second a call.
E2E_PYTHON=$(command -v /usr/bin/python3 || command -v python3)

e2e_log() { printf '[%s] %s\n' "$E2E_NAME" "$*"; }

# The session bus the test was started under (dbus-run-session), if any: e2e_init hides it from the
# program, and e2e_use_session_bus gives it back to what starts next.
E2E_SESSION_BUS=${DBUS_SESSION_BUS_ADDRESS:-}
e2e_use_session_bus() {
    [[ -n $E2E_SESSION_BUS ]] || return 1
    export DBUS_SESSION_BUS_ADDRESS=$E2E_SESSION_BUS
}

# e2e_init NAME: temp dir for sockets and logs, artifact dir for screenshots and recordings (kept
# after the run as evidence), and the trap that stops everything.
e2e_init() {
    E2E_NAME=$1
    E2E_TMP=$(mktemp -d "/tmp/quibbix-e2e-$E2E_NAME.XXXXXX")
    E2E_ART=${E2E_ARTIFACTS:-/tmp/quibbix-e2e-artifacts}/$E2E_NAME
    rm -rf "$E2E_ART"
    mkdir -p "$E2E_ART" "$E2E_TMP/run" "$E2E_TMP/home"
    chmod 700 "$E2E_TMP/run"
    # Our own runtime dir and home: nothing of the user's session (sound server, X cookies, configs) leaks in.
    export XDG_RUNTIME_DIR=$E2E_TMP/run HOME=$E2E_TMP/home
    unset DISPLAY WAYLAND_DISPLAY SWAYSOCK PULSE_SERVER SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
    export QT_QPA_PLATFORM=xcb
    # A session bus that is not there, as on a desktop whose bus is down. With no address at all,
    # the D-Bus library would fork to start a bus for the display, and a child forked while the
    # sanitizers' allocator is locked by another thread waits on that lock for ever: the program
    # never got past its start. Tests that need a bus run under their own (dbus-run-session).
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/run/no-session-bus
    # On a build under the sanitizers, every report goes to a file of its own, one per process, so
    # that no report is lost when a later start of the program truncates app.log; any such file
    # fails the test (see e2e_cleanup).
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$E2E_TMP/sanitizer"
    export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}log_path=$E2E_TMP/sanitizer"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    e2e_log "artifacts in $E2E_ART"
}

e2e_stop_pid() {
    local pid=$1 i
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null
    for i in $(seq 30); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

e2e_cleanup() {
    local rc=$? i
    trap - EXIT
    # Reverse start order: the program first, the X server last.
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        e2e_stop_pid "${E2E_PIDS[i]}"
    done
    e2e_sanitizer_reports && rc=1
    for i in "${E2E_KEEP[@]}"; do
        cp -r "$E2E_TMP/$i" "$E2E_ART"/ 2>/dev/null
    done
    if [[ $rc -ne 0 || $E2E_FAILED -ne 0 ]]; then
        cp -r "$E2E_TMP"/*.log "$E2E_ART"/ 2>/dev/null
        e2e_log "FAILED; screenshots, recordings and logs in $E2E_ART"
        rc=1
    fi
    [[ -n $E2E_TMP ]] && rm -rf "$E2E_TMP"
    exit "$rc"
}

# e2e_sanitizer_reports: true, after printing them, when a sanitizer reported anything.
e2e_sanitizer_reports() {
    local report found=1
    for report in "$E2E_TMP"/sanitizer.*; do
        [[ -e $report ]] || continue
        echo "FAIL - the sanitizers reported in ${report##*/}:" >&2
        cat "$report" >&2
        cp "$report" "$E2E_ART"/
        found=0
    done
    return $found
}

# e2e_bg LOGNAME CMD...: start a background process we own; its pid ends up in E2E_LAST_PID.
e2e_bg() {
    local log=$1
    shift
    "$@" >"$E2E_TMP/$log.log" 2>&1 &
    E2E_LAST_PID=$!
    E2E_PIDS+=("$E2E_LAST_PID")
}

# e2e_wait_for SECONDS CMD...: poll CMD every 0.05 s until it succeeds.
e2e_wait_for() {
    local seconds=$1 i
    shift
    for ((i = 0; i < seconds * 20; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

e2e_die() {
    echo "FAIL: $*" >&2
    E2E_FAILED=1
    [[ -n ${DISPLAY:-} ]] && e2e_shot "failure" >/dev/null 2>&1
    exit 1
}

# e2e_check DESCRIPTION CMD...: a soft check; the test goes on and fails at the end.
e2e_check() {
    local what=$1
    shift
    E2E_CHECKS=$((E2E_CHECKS + 1))
    if "$@"; then
        echo "ok   - $what"
    else
        echo "FAIL - $what" >&2
        E2E_FAILED=1
    fi
}

e2e_finish() {
    if [[ $E2E_FAILED -ne 0 ]]; then
        e2e_log "some checks failed"
        exit 1
    fi
    e2e_log "all $E2E_CHECKS checks passed"
    exit 0
}

# --- servers -----------------------------------------------------------------------------------------

# Xvfb picks a free display itself (-displayfd), so tests never clash over a display number.
# e2e_start_x [WxH]: the screen's size, 1024x768 unless given.
e2e_start_x() {
    local fifo=$E2E_TMP/displayfd n
    : >"$fifo"
    e2e_bg xvfb Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$fifo"
    e2e_wait_for 10 test -s "$fifo" || e2e_die "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    n=$(tr -dc 0-9 <"$fifo")
    export DISPLAY=:$n
    e2e_wait_for 10 xdpyinfo || e2e_die "display $DISPLAY does not answer"
    xsetroot -solid "$E2E_ROOT_COLOUR" || e2e_die "xsetroot failed"
    e2e_log "Xvfb on $DISPLAY"
}

e2e_wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

e2e_start_wm() {
    e2e_bg openbox openbox --sm-disable
    e2e_wait_for 10 e2e_wm_ready || e2e_die "openbox did not start: $(cat "$E2E_TMP/openbox.log")"
    # openbox paints the root on start; put the known desktop colour back.
    xsetroot -solid "$E2E_ROOT_COLOUR"
}

# PulseAudio as a plain user daemon with no default script: only the socket and one null sink, whose
# monitor is what the tests listen to. Root is fine here since nothing else is loaded. Called again
# after e2e_stop_sound, it starts a new server on the same socket, as a desktop's restarts.
e2e_start_sound() {
    local sock=$E2E_TMP/run/pulse.sock
    e2e_bg pulse pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
        -L "module-native-protocol-unix socket=$sock auth-anonymous=1" \
        -L "module-null-sink sink_name=$E2E_SINK rate=44100 channels=2"
    E2E_PULSE_PID=$E2E_LAST_PID
    export PULSE_SERVER=unix:$sock
    e2e_wait_for 10 pactl info || e2e_die "PulseAudio did not start: $(cat "$E2E_TMP/pulse.log")"
    pactl set-default-sink "$E2E_SINK" || e2e_die "cannot make $E2E_SINK the default sink"
}

e2e_stop_sound() {
    e2e_stop_pid "$E2E_LISTEN_PID"
    e2e_stop_pid "$E2E_KEEPALIVE_PID"
    e2e_stop_pid "$E2E_PULSE_PID"
}

# --- the program -------------------------------------------------------------------------------------

# e2e_launch CMD...: start the program under test; its output goes to app.log.
e2e_launch() {
    e2e_bg app "$@"
    E2E_APP_PID=$E2E_LAST_PID
}

e2e_app_log() { cat "$E2E_TMP/app.log"; }

e2e_app_running() { kill -0 "$E2E_APP_PID" 2>/dev/null; }

# e2e_wait_exit SECONDS: wait for the program to end; sets E2E_APP_RC. Fails if it is still running.
e2e_wait_exit() {
    local seconds=$1 i
    for ((i = 0; i < seconds * 10; i++)); do
        if ! e2e_app_running; then
            wait "$E2E_APP_PID" 2>/dev/null
            E2E_APP_RC=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# e2e_find_window TITLE: ids of the mapped top-level windows whose name is exactly TITLE, one a line.
# xdotool matches names without regard to case, and "QuibBix!" must not pass for "Quibbix!", so every
# candidate's name is compared exactly.
e2e_find_window() {
    local re wid
    re="^$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')\$"
    for wid in $(xdotool search --onlyvisible --name "$re" 2>/dev/null); do
        [[ $(xdotool getwindowname "$wid" 2>/dev/null) == "$1" ]] && echo "$wid"
    done
}

# e2e_missing_window_report TITLE: what the X server holds and what the program is doing, for a
# window that never showed; only the test's output reaches a CI log, so it is printed there.
e2e_missing_window_report() {
    echo "--- named windows on $DISPLAY:"
    xwininfo -root -tree 2>&1 | grep -E '^ +0x' | grep -v 'has no name' | head -n 40
    echo "--- windows named like '$1', visible or not:"
    xdotool search --name "$1" 2>&1 | while read -r w; do
        xwininfo -id "$w" 2>&1 | grep -E 'Window id|Map State|geometry'
    done
    echo "--- program output:"
    e2e_app_log | tail -n 40
    if [[ -n $E2E_APP_PID ]] && e2e_app_running; then
        local pid
        for pid in "$E2E_APP_PID" $(pgrep -P "$E2E_APP_PID"); do
            echo "--- process $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline"); $(grep -E '^State' "/proc/$pid/status")"
            command -v gdb >/dev/null || continue
            timeout 60 gdb -p "$pid" -batch -nx -ex 'thread apply all bt 25' 2>&1 |
                grep -E '^(Thread|#)' | head -n 200
        done
    fi
}

# e2e_wait_window TITLE [SECONDS]: wait for the window and remember its id in E2E_WID.
e2e_wait_window() {
    local title=$1 seconds=${2:-20} i wid=""
    for ((i = 0; i < seconds * 10; i++)); do
        wid=$(e2e_find_window "$title" | head -n 1)
        [[ -n $wid ]] && break
        [[ -n $E2E_APP_PID ]] && ! e2e_app_running && e2e_die "program ended before its window appeared: $(e2e_app_log)"
        sleep 0.1
    done
    if [[ -z $wid ]]; then
        e2e_missing_window_report "$title" >&2
        e2e_die "no window titled '$title' after ${seconds}s"
    fi
    E2E_WID=$wid
    # Let the first paint finish before anyone looks at it.
    e2e_settle
}

# e2e_wait_dialog TITLE [SECONDS]: echo the id of a question box, or nothing.
e2e_wait_dialog() {
    local title=$1 seconds=${2:-10} i wid
    for ((i = 0; i < seconds * 10; i++)); do
        wid=$(e2e_find_window "$title" | grep -vx "$E2E_WID" | head -n 1)
        if [[ -n $wid ]]; then
            echo "$wid"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# e2e_dialog_gone WID: true once the window is no longer mapped.
e2e_dialog_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# e2e_answer WID KEY: give the question box the focus and press KEY (Return or Escape).
e2e_answer() {
    local wid=$1 key=$2
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
    xdotool key --clearmodifiers "$key"
    e2e_wait_for 5 e2e_dialog_gone "$wid"
}

# e2e_geometry [WID]: "X Y W H" of a window, X and Y on the screen.
e2e_geometry() {
    xwininfo -id "${1:-$E2E_WID}" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
        END { print x, y, w, h }'
}

# e2e_shape_extents [WID]: "WxH+X+Y" of the bounding shape; xwininfo calls it "Window shape extents"
# (older releases "Bounding shape extents").
e2e_shape_extents() {
    xwininfo -shape -id "${1:-$E2E_WID}" |
        sed -n 's/^ *\(Window\|Bounding\) shape extents: *\([^ ]*\).*/\2/p' | head -n 1 | tr -d ' '
}

e2e_wm_state() { xprop -id "${1:-$E2E_WID}" WM_STATE | sed -n 's/^[[:space:]]*window state: *//p'; }

# Let the program react to the last event and repaint: wait until the X server has handled
# everything sent so far, then a little for the program's own event loop.
e2e_settle() {
    xdotool sleep 0 >/dev/null 2>&1
    sleep "${1:-0.3}"
}

# --- pointer -----------------------------------------------------------------------------------------

e2e_abs() {
    local x y w h
    read -r x y w h < <(e2e_geometry)
    echo "$((x + $1)) $((y + $2))"
}

# e2e_move X Y: move the pointer to a window-relative spot. Moving in two steps gives the program a
# motion event inside the target even when the pointer was already close.
e2e_move() {
    local ax ay
    read -r ax ay < <(e2e_abs "$1" "$2")
    xdotool mousemove "$((ax + 1))" "$((ay + 1))"
    xdotool mousemove "$ax" "$ay"
    e2e_settle "${3:-0.2}"
}

# e2e_click X Y [BUTTON]: move there and click.
e2e_click() {
    e2e_move "$1" "$2" 0.15
    xdotool click "${3:-1}"
    e2e_settle
}

# e2e_drag X Y DX DY BUTTON: press at a window-relative spot, move by (DX, DY) in steps, release.
e2e_drag() {
    local x=$1 y=$2 dx=$3 dy=$4 button=$5 ax ay s
    read -r ax ay < <(e2e_abs "$x" "$y")
    xdotool mousemove "$ax" "$ay"
    e2e_settle 0.2
    xdotool mousedown "$button"
    sleep 0.1
    for s in 1 2 3 4; do
        xdotool mousemove "$((ax + dx * s / 4))" "$((ay + dy * s / 4))"
        sleep 0.1
    done
    xdotool mouseup "$button"
    e2e_settle 0.5
}

# --- screenshots -------------------------------------------------------------------------------------

# e2e_shot NAME: screenshot of the whole screen into the artifacts; prints its path.
# Numbered in the order taken; the count lives in a file because callers take shots inside $(...).
e2e_shot() {
    local seq file
    seq=$(($(cat "$E2E_TMP/shot-seq" 2>/dev/null || echo 0) + 1))
    echo "$seq" >"$E2E_TMP/shot-seq"
    file=$E2E_ART/$(printf '%02d' "$seq")-$1.png
    import -window root "$file" || return 1
    echo "$file"
}

# e2e_img SUBCOMMAND PNG ARGS...: analyse a screenshot relative to the game window (see shot.py).
e2e_img() {
    local sub=$1 png=$2 x y w h
    shift 2
    read -r x y w h < <(e2e_geometry)
    "$E2E_PYTHON" "$E2E_HERE/shot.py" "$sub" "$png" "$x" "$y" "$@"
}

# --- sound -------------------------------------------------------------------------------------------

E2E_LISTEN_PID=""
E2E_KEEPALIVE_PID=""
E2E_PULSE_PID=""
E2E_EVENTS=""
E2E_RAW=""
E2E_HEARD_BEFORE=0

# e2e_listen NAME: listen to the null sink from now on (listen.py), without a break, into
# NAME.raw in the artifacts. A null sink with no stream of its own renders far ahead and hands its
# monitor the sound in bursts; a silent stream at a low latency keeps it rendering in step with the
# clock, as a desktop's sink does, so that the monitor hears each cue whole and when it plays.
e2e_listen() {
    E2E_EVENTS=$E2E_ART/$1.events
    E2E_RAW=$E2E_ART/$1.raw
    e2e_bg keepalive pacat --raw --format=s16le --channels=2 --rate=44100 --latency-msec=10 /dev/zero
    E2E_KEEPALIVE_PID=$E2E_LAST_PID
    e2e_bg listen "$E2E_PYTHON" "$E2E_HERE/listen.py" "$E2E_SINK" "$E2E_EVENTS" "$E2E_RAW"
    E2E_LISTEN_PID=$E2E_LAST_PID
    e2e_wait_for 10 grep -q '^ready' "$E2E_EVENTS" || e2e_die "the listener did not start: $(cat "$E2E_TMP/listen.log")"
    e2e_wait_for 10 e2e_sink_quiet || e2e_die "the sink is not quiet at the start"
}

# How many sounds the sink has played since e2e_listen.
e2e_sounds_heard() { grep -c '^onset' "$E2E_EVENTS"; }

# True while nothing plays: the last sound heard (if any) has ended.
e2e_sink_quiet() { tail -n 1 "$E2E_EVENTS" | grep -q '^\(ready\|quiet\)'; }

# e2e_after_quiet WHAT ACTION...: waits for the sink to be quiet, so that a sound still playing
# cannot pass for one that ACTION makes, notes how many sounds it has heard so far
# (E2E_HEARD_BEFORE) and runs ACTION. Fails, and says so as a check, if the sink does not fall
# quiet.
e2e_after_quiet() {
    local what=$1
    shift
    if ! e2e_wait_for 10 e2e_sink_quiet; then
        e2e_check "the sink goes quiet before: $what" false
        return 1
    fi
    E2E_HEARD_BEFORE=$(e2e_sounds_heard)
    "$@"
    return 0  # what ACTION returns is for the checks that follow to judge
}

# e2e_expect_sound WHAT ACTION...: ACTION makes a sound that reaches the server.
e2e_expect_sound() {
    e2e_after_quiet "$@" || return 0
    e2e_check "$1: a sound reaches the server" e2e_wait_for 3 e2e_heard_more "$E2E_HEARD_BEFORE"
}

# e2e_expect_silence WHAT ACTION...: no sound starts within a second of ACTION.
e2e_expect_silence() {
    e2e_after_quiet "$@" || return 0
    sleep 1
    e2e_check "$1: nothing plays" test "$(e2e_sounds_heard)" -eq "$E2E_HEARD_BEFORE"
}

e2e_heard_more() { (($(e2e_sounds_heard) > $1)); }
