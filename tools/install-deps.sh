#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the game needs and is not there yet.
#   tools/install-deps.sh play   what building and playing needs
#   tools/install-deps.sh test   that, plus what the tests and the package checks need
set -euo pipefail

# Building the game alone needs nothing but these.
build_and_play=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libpulse-dev libxcb1-dev libpng-dev
    fonts-dejavu-core
)
# The tests and benchmarks, the end-to-end tests (X server, window manager, sound server, and a
# headless Wayland compositor with its X server for X clients and Qt's Wayland plugin), the
# accessibility bus, its Python client and a screen reader with a voice (without one, Orca's
# speech-dispatcher has only its stand-in module, which plays a 29-second recorded notice and makes
# Orca wait for the end of it when it cuts speech short), the second compiler and its
# formatter, gdb (a test whose window never shows prints the program's threads), and the tools
# that build and check the package (gzip, part of every Debian system, compresses its manual page
# and changelog).
test_only=(
    libgtest-dev libgmock-dev libbenchmark-dev libxcb-xtest0-dev libxcb-damage0-dev
    xvfb xauth openbox pulseaudio pulseaudio-utils xdotool imagemagick x11-utils
    x11-xserver-utils sox python3 python3-numpy
    qt6-multimedia-dev libsdl2-mixer-dev
    weston xwayland qt6-wayland sway grim wtype
    clang clang-format gdb
    python3-pyatspi at-spi2-core dbus orca speech-dispatcher-espeak-ng
    dpkg-dev file lintian desktop-file-utils appstream man-db
)

packages=("${build_and_play[@]}")
if [ "${1:-play}" = test ]; then
    packages+=("${test_only[@]}")
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root or install sudo: need ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
fi
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
