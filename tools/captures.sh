#!/usr/bin/env bash
# Makes the software centre's screenshots: the game on a private X server at 1280 by 1024, the harbour with
# the fleet laid out (Ctrl+T), then the battle (Ctrl+E) with a few shots fired. Needs xvfb, xdotool and
# imagemagick.
#   captures.sh [corsabord] [output folder]     (defaults: build/corsabord, docs/captures)
set -euo pipefail
racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jeu=$(realpath "${1:-$racine/build/corsabord}")
sortie=$(realpath -m "${2:-$racine/docs/captures}")
for outil in Xvfb xdotool import; do
  command -v "$outil" >/dev/null || { echo "captures: $outil is missing (Debian: xvfb xdotool imagemagick)" >&2; exit 1; }
done
tmp=$(mktemp -d /tmp/corsabord-captures.XXXXXX)
xvfb=""
partie=""
nettoyer() {
  [ -n "$partie" ] && kill "$partie" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap nettoyer EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/ecran" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$tmp/ecran" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/ecran")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

(cd "$tmp" && exec "$jeu") >"$tmp/sortie" 2>&1 &
partie=$!
fenetre() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "captures: the window \"$1\" did not appear" >&2
  exit 1
}
touches() {
  local cible=$1
  shift
  xdotool windowfocus --sync "$cible"
  for t in "$@"; do xdotool key "$t"; sleep 0.4; done
}
mkdir -p "$sortie"
port=$(fenetre "Corsabord — Au port")
touches "$port" ctrl+t Right Right Down
sleep 1 # the parrot's words still in his balloon
import -window root "$sortie/port.png"
touches "$port" ctrl+e
bataille=$(fenetre "Corsabord")
sleep 4
touches "$bataille" Right Right Right Down Down space
sleep 6 # the shot, its report and the enemy's answer
touches "$bataille" Down Down Left space
sleep 6
import -window root "$sortie/bataille.png"
echo "captures: $sortie/port.png $sortie/bataille.png"
