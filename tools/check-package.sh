#!/usr/bin/env bash
# Builds the game as a distribution would (Release, Debian's hardening flags, warnings as errors,
# the program in /usr/games), runs the unit tests, makes the .deb with cpack and checks it: lintian
# without errors, the installed file list, the desktop entry and the metainfo through the
# validators distributions use, and the installed program under Xvfb, its sounds found in share/.
# Usage: tools/check-package.sh [BUILD-DIR]   (default: build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}

eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
CXXFLAGS="$CPPFLAGS $CXXFLAGS" cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUIBBIX_WERROR=ON -DQUIBBIX_BENCHMARKS=OFF -DQUIBBIX_END_TO_END=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure

rm -rf "$build/package"
(cd "$build" && cpack -G DEB)
deb=$(echo "$build"/package/quibbix_*.deb)
lintian --fail-on error "$deb"

id=io.github.quibbix.quibbix
expected=(
    usr/games/quibbix
    usr/share/applications/$id.desktop
    usr/share/metainfo/$id.metainfo.xml
    usr/share/man/man6/quibbix.6.gz
    usr/share/doc/quibbix/copyright
    usr/share/doc/quibbix/changelog.gz
    usr/share/doc/quibbix/OFL-1.1.txt
)
for sound in rolldice Shakedice softplop cheer pop2; do
    expected+=("usr/share/quibbix/sounds/$sound.wav")
done
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done
want=$(printf '%s\n' "${expected[@]}" | sort)

# The same files from `cmake --install` into a scratch root and in the package.
root=$(mktemp -d /tmp/quibbix-root.XXXXXX)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build"
installed=$(cd "$root" && find . -type f -printf '%P\n' | sort)
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub("^\\./", "", $6); print $6 }' | sort)
diff -u <(echo "$want") <(echo "$installed") || { echo "FAIL: cmake --install file list" >&2; exit 1; }
diff -u <(echo "$want") <(echo "$packaged") || { echo "FAIL: package file list" >&2; exit 1; }
echo "ok   - cmake --install and the package hold exactly the expected files"

desktop-file-validate "$root/usr/share/applications/$id.desktop"
validation=$(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml")
echo "$validation"
# Infos are advice; errors and warnings fail.
if grep -Eq '^[EW]:' <<<"$validation"; then
    echo "FAIL: appstreamcli validate reports errors or warnings" >&2
    exit 1
fi
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l -Tutf8 -Z \
    "$root/usr/share/man/man6/quibbix.6.gz" 2>&1 >/dev/null)
[[ -z $man_warnings ]] || { echo "FAIL: man page: $man_warnings" >&2; exit 1; }
echo "ok   - desktop entry, metainfo and man page pass their validators"

E2E_ARTIFACTS=$build/artifacts bash tests/e2e/installed.sh "$root/usr/games/quibbix"

# The package manager itself: install with apt-get, check every file, purge, check nothing is
# left. It changes the system, so it runs only as root (as on CI), only when no quibbix package is
# installed already, and only when apt-get would install nothing but this package, so that the purge
# leaves the machine exactly as it was.
if [[ $(id -u) -ne 0 ]]; then
    echo "skipped - apt-get install and purge (needs root)"
elif dpkg-query -W quibbix >/dev/null 2>&1; then
    echo "skipped - apt-get install and purge (a quibbix package is installed already)"
elif [[ $(apt-get install -s "./$deb" | grep -c '^Inst ') -ne 1 ]]; then
    echo "skipped - apt-get install and purge (it would install other packages too)"
else
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./$deb" >/dev/null
    listed=$(dpkg -L quibbix)
    missing=$(for file in "${expected[@]}"; do [[ -f /$file ]] || echo "/$file"; done)
    version=$(/usr/games/quibbix --version)
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -q quibbix >/dev/null
    left=$(while read -r path; do [[ ! -e $path || -d $path ]] || echo "$path"; done <<<"$listed")
    [[ -z $missing ]] || { echo "FAIL: apt-get install left out: $missing" >&2; exit 1; }
    [[ $version == "quibbix $(dpkg-deb -f "$deb" Version)" ]] || { echo "FAIL: --version: $version" >&2; exit 1; }
    [[ -z $left ]] || { echo "FAIL: purge left: $left" >&2; exit 1; }
    echo "ok   - apt-get installs every file, the program runs, purge removes every file"
fi
