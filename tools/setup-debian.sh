#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Corsabord need; skips what is already there.
#   setup-debian.sh [--tests]    (--tests: also what only the test command uses)
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-multimedia-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # the readers' fuzzers: clang with its libFuzzer
  clang libclang-rt-14-dev
  # run
  qt6-qpa-plugins libqt6svg6 qt6-translations-l10n
  libespeak-ng-dev espeak-ng-data espeak-ng
  # native Wayland sessions
  qt6-wayland
  # the voice and About screens' fonts (metric-compatible with the usual desktop ones)
  fonts-liberation2
  pulseaudio pulseaudio-utils
  # looking at and listening to the game, and the headless test desk
  xvfb x11-utils xauth imagemagick sox fonts-dejavu-core xdotool
  # checking the install (menu entry, software centre data) and the screen reader tree
  appstream desktop-file-utils dbus at-spi2-core python3-pyatspi
)

# Only for the test command: a Wayland compositor to start the game on, and the Debian package's build and check.
if [ "${1:-}" = --tests ]; then
  packages+=(
    weston
    dpkg-dev debhelper lintian fakeroot
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: every package is already installed"
  exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
