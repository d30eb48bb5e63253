#!/usr/bin/env bash
# Installs the Debian 12 packages that building and playing Corsabord need; skips what is already there.
# With --tests, also the tools of the tests, benchmarks and fuzzers, and a sound server for the tests that
# play sound, where the desktop has none of its own.
# It never removes anything: on Debian 12 the pulseaudio package conflicts with the GNOME desktop's
# pipewire-audio, so it is installed only where no PipeWire sound server is.
#   setup-debian.sh [--tests]    (--tests: also what only the test command uses)
set -euo pipefail

# What building and playing the game need (the play command).
packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libpulse-dev libxcb1-dev
  # run: the French buttons, the speech engine with its voices
  libqt6svg6 qt6-translations-l10n
  libespeak-ng-dev espeak-ng-data
  # the player's own screen reader and braille display (voix=lecteur, braille=oui in Corsabord.ini)
  libspeechd-dev libbrlapi-dev
  # native Wayland sessions
  qt6-wayland
  # the voice and About screens' fonts (metric-compatible with the usual desktop ones)
  fonts-liberation2
)
# Only the tests, benchmarks and fuzzers use these (the test command).
paquets_tests=(
  clang-format libgtest-dev libgmock-dev libbenchmark-dev
  # the compiler cache the test command's three builds share
  ccache
  # the readers' fuzzers: clang with its libFuzzer
  clang libclang-rt-14-dev
  # Qt's other platforms, and the speech engine's own program for comparing voices
  qt6-qpa-plugins espeak-ng
  # the sound server's own tools (pactl, parec), which PipeWire's pulse server answers as well
  pulseaudio-utils
  # looking at and listening to the game, and the headless test desk
  xvfb x11-utils xauth imagemagick sox fonts-dejavu-core xdotool
  # the game's benchmark: the screen area redrawn, from the X server's damage reports
  libxdamage-dev
  # checking the install (menu entry, software centre data) and the screen reader tree
  appstream desktop-file-utils dbus at-spi2-core python3-pyatspi
)

installe() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# The game needs only the sound server's client library (libpulse0, which libpulse-dev brings): the
# desktop's PulseAudio or PipeWire serves it. The tests start a PulseAudio server of their own.
if [ "${1:-}" = "--tests" ] && ! installe pipewire-pulse && ! installe pipewire-audio; then
  packages+=(pulseaudio)
fi
# Only for the test command: a Wayland compositor to start the game on, and the Debian package's build and check.
if [ "${1:-}" = --tests ]; then
  packages+=(
    "${paquets_tests[@]}"
    weston
    # the screen reader test's own speech-dispatcher
    speech-dispatcher
    dpkg-dev debhelper lintian fakeroot
  )
fi

missing=()
for p in "${packages[@]}"; do
  installe "$p" || missing+=("$p")
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
