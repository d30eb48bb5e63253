#!/usr/bin/env bash
# The game on a Wayland desktop: started on a headless weston of its own, with no X display, it must open
# its windows natively (Qt's Wayland platform), named after the menu entry, the harbour tied to the battle
# window, and keep playing. Skipped when weston or Qt's Wayland platform is not installed.
#   wayland.sh <corsabord>
set -uo pipefail
jeu=$(realpath "$1")
passe() { echo "skipped: $*"; exit 77; }
echec() { echo "ÉCHEC: $*" >&2; exit 1; }
command -v weston >/dev/null || passe "weston is not installed (Debian: weston)"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
  passe "Qt's Wayland platform is not installed (Debian: qt6-wayland)"

tmp=$(mktemp -d /tmp/corsabord-wayland.XXXXXX)
chmod 700 "$tmp"
compositeur=""
partie=""
nettoyer() {
  [ -n "$partie" ] && kill "$partie" 2>/dev/null
  [ -n "$compositeur" ] && kill "$compositeur" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap nettoyer EXIT
export XDG_RUNTIME_DIR="$tmp"
weston --backend=headless-backend.so --socket=corsabord --idle-time=0 >"$tmp/weston.log" 2>&1 &
compositeur=$!
for _ in $(seq 100); do [ -S "$tmp/corsabord" ] && break; sleep 0.1; done
[ -S "$tmp/corsabord" ] || { cat "$tmp/weston.log" >&2; echec "weston ne démarre pas"; }

# As a Wayland session starts it: no X display, no platform forced; the protocol's log shows the windows.
mkdir "$tmp/jeu"
(cd "$tmp/jeu" && exec env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=corsabord XDG_SESSION_TYPE=wayland \
  WAYLAND_DEBUG=client "$jeu") >"$tmp/sortie" 2>&1 &
partie=$!
for _ in $(seq 300); do
  grep -q 'set_title("Corsabord — Au port")' "$tmp/sortie" && break
  kill -0 "$partie" 2>/dev/null || { tail -20 "$tmp/sortie" >&2; echec "le jeu s'est arrêté"; }
  sleep 0.1
done
grep -q 'set_title("Corsabord — Au port")' "$tmp/sortie" || { tail -20 "$tmp/sortie" >&2; echec "la fenêtre du port n'est pas apparue"; }
[ "$(grep -c 'xdg_toplevel@[0-9]*\.set_app_id("fr.corsabord.corsabord")' "$tmp/sortie")" -ge 2 ] ||
  echec "les fenêtres ne portent pas le nom de l'entrée de menu"
grep -q 'xdg_toplevel@[0-9]*\.set_parent(xdg_toplevel@' "$tmp/sortie" || echec "le port n'est pas rattaché à la bataille"
sleep 2
kill -0 "$partie" 2>/dev/null || { tail -20 "$tmp/sortie" >&2; echec "le jeu ne tourne plus"; }
[ -f "$tmp/jeu/Config.Txt" ] || echec "Config.Txt n'a pas été écrit"
echo "wayland: tout va bien"
