# The command line: --help and --version in the usual form, without a display; Qt's own options
# still accepted; anything else refused with one line and exit code 2.
# Usage: bash arguments.sh PATH/TO/quibbix VERSION
set -u
bin=${1:?usage: arguments.sh PATH/TO/quibbix VERSION}
version=${2:?usage: arguments.sh PATH/TO/quibbix VERSION}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
# A runtime folder of its own, as every desktop session has: without one Qt says so on standard
# error, which the program passes on.
mkdir -m 700 "$tmp/run"

# expect WHAT RC STDOUT-PATTERN STDERR-PATTERN ARGS...: run without any display; each pattern is an
# extended regular expression that the whole output, less its last newline, must match (an empty
# one: no output at all).
expect() {
    local what=$1 rc=$2 out=$3 err=$4 got
    shift 4
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$tmp/run" "$bin" "$@" \
        >"$tmp/out" 2>"$tmp/err"
    got=$?
    if [[ $got -ne $rc || ! $(<"$tmp/out") =~ ^${out}$ || ! $(<"$tmp/err") =~ ^${err}$ ]]; then
        echo "FAIL - $what: exit $got, expected $rc"
        sed 's/^/  out: /' "$tmp/out"
        sed 's/^/  err: /' "$tmp/err"
        failed=1
    else
        echo "ok   - $what"
    fi
}

nl=$'\n'
help="Usage: [^$nl]*quibbix \[options\]$nl.*$nl  -h, --help +[^$nl]+$nl.*$nl  -v, --version +[^$nl]+"
refused="quibbix: [^$nl]+ \(see quibbix --help\)"
expect "--help" 0 "$help" "" --help
expect "-h" 0 "$help" "" -h
expect "--version" 0 "quibbix $version" "" --version
expect "-v" 0 "quibbix $version" "" -v
expect "a Qt option with --version" 0 "quibbix $version" "" -platform offscreen --version
expect "an unknown option" 2 "" "quibbix: Unknown option 'bogus'\. \(see quibbix --help\)" \
    -platform offscreen --bogus
expect "an unknown short option" 2 "" "$refused" -platform offscreen -x
expect "a stray argument" 2 "" "quibbix: unexpected argument 'extra' \(see quibbix --help\)" \
    -platform offscreen extra
exit $failed
