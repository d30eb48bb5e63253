#!/usr/bin/env bash
# Starts the game on its own X server and AT-SPI bus, as with a screen reader running, and checks over
# AT-SPI what a screen reader finds (tools/lecteur_ecran.py). Needs xvfb, dbus, at-spi2-core and
# python3-pyatspi (tools/setup-debian.sh installs them). Status 77 when one of them is missing.
#   tools/lecteur_ecran.sh [path of corsabord]   (default: build/corsabord, then build-tests/corsabord)
set -uo pipefail
racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jeu=${1:-}
[ -n "$jeu" ] || for j in "$racine/build/corsabord" "$racine/build-tests/corsabord"; do [ -x "$j" ] && jeu=$j && break; done
[ -x "$jeu" ] || { echo "lecteur_ecran: le jeu n'est pas construit" >&2; exit 1; }
jeu=$(realpath "$jeu")
for outil in Xvfb dbus-run-session dbus-send; do
  command -v $outil >/dev/null || { echo "lecteur_ecran: $outil absent, rien de vérifié"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "lecteur_ecran: python3-pyatspi absent, rien de vérifié"; exit 77; }

if [ -z "${CORSABORD_BUS_PRIVE:-}" ]; then
  export CORSABORD_BUS_PRIVE=1
  exec dbus-run-session -- bash "${BASH_SOURCE[0]}" "$jeu" 2> >(grep -v 'dbus-daemon\|SpiRegistry' >&2)
fi

tmp=$(mktemp -d /tmp/corsabord-lecteur.XXXXXX)
pids=()
nettoyer() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$tmp"
}
trap nettoyer EXIT
export XDG_RUNTIME_DIR="$tmp/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/ecran" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/ecran" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/ecran")"
# The accessibility bus first, knowing the display (its registry sends the test's keys there): the
# game's bridge joins it as it starts.
dbus-update-activation-environment DISPLAY XDG_RUNTIME_DIR 2>/dev/null
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
(cd "$tmp" && exec "$jeu") >"$tmp/jeu.log" 2>&1 &
pids+=($!)
/usr/bin/python3 "$racine/tools/lecteur_ecran.py"
