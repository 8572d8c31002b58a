# Runs one fuzz target for a bounded time on a fresh copy of its seeds, so the tree's seeds are not
# changed; the run's new inputs and any finding stay in WORKDIR. Fails on any finding.
# Usage: bash fuzz.sh TARGET SEEDS DICTIONARY WORKDIR LIBFUZZER-OPTIONS...
set -u
target=${1:?usage: fuzz.sh TARGET SEEDS DICTIONARY WORKDIR LIBFUZZER-OPTIONS...}
seeds=${2:?usage: fuzz.sh TARGET SEEDS DICTIONARY WORKDIR LIBFUZZER-OPTIONS...}
dict=${3:?usage: fuzz.sh TARGET SEEDS DICTIONARY WORKDIR LIBFUZZER-OPTIONS...}
work=${4:?usage: fuzz.sh TARGET SEEDS DICTIONARY WORKDIR LIBFUZZER-OPTIONS...}
shift 4
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
cp "$seeds"/* "$work/corpus/"
command=("$target" "-dict=$dict" "-artifact_prefix=$work/findings/" "$@" "$work/corpus")
echo "running: ${command[*]}"
"${command[@]}"
rc=$?
if [[ $rc -ne 0 ]] || compgen -G "$work/findings/*" >/dev/null; then
    echo "FAIL - finding (exit $rc); replay it with: $target $work/findings/<file>"
    ls -l "$work/findings"
    exit 1
fi
echo "ok   - no finding"
