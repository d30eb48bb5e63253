#!/usr/bin/env bash
# Without any screen, or with a display that does not answer, the game says so in one French line on
# standard error and ends with a non-zero status, writing nothing. Its help and version need no screen and
# write nothing either; an unknown option is refused with status 2. Whatever else goes missing (the
# speech engine's data, the X server in the middle of a game), the terminal gets one French line and none
# of the toolkit's own, unless CORSABORD_DEBUG asks for them.
#   sans_ecran.sh <corsabord>
set -uo pipefail
jeu=$(realpath "$1")
dossier=$(mktemp -d /tmp/corsabord-sans-ecran.XXXXXX)
trap 'rm -rf "$dossier"' EXIT
echec() { echo "ÉCHEC: $*" >&2; exit 1; }

essayer() {
  (cd "$dossier" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$jeu") >"$dossier/.sortie" 2>"$dossier/.erreurs"
  statut=$?
  [ "$statut" -ne 0 ] || echec "$* : le jeu finit avec le statut 0"
  [ "$statut" -lt 128 ] || echec "$* : le jeu s'est planté (statut $statut)"
  [ "$(wc -l <"$dossier/.erreurs")" -eq 1 ] || { cat "$dossier/.erreurs" >&2; echec "$* : plus d'une ligne d'erreur"; }
  grep -q '^Corsabord : .*écran.*session graphique\.$' "$dossier/.erreurs" || { cat "$dossier/.erreurs" >&2; echec "$* : message inattendu"; }
  [ -z "$(ls "$dossier")" ] || echec "$* : le jeu a écrit $(ls "$dossier")"
}

# The command line, answered before any screen is looked for: status, the first line out, standard error.
ligne() {
  local attendu=$1 premiere=$2 erreur=$3
  shift 3
  (cd "$dossier" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$jeu" "$@") >"$dossier/.sortie" 2>"$dossier/.erreurs"
  statut=$?
  [ "$statut" -eq "$attendu" ] || echec "$* : statut $statut au lieu de $attendu"
  [ "$(head -n1 "$dossier/.sortie")" = "$premiere" ] || { cat "$dossier/.sortie" >&2; echec "$* : sortie inattendue"; }
  [ "$(cat "$dossier/.erreurs")" = "$erreur" ] || { cat "$dossier/.erreurs" >&2; echec "$* : erreurs inattendues"; }
  rm -f "$dossier/.sortie" "$dossier/.erreurs"
  [ -z "$(ls -A "$dossier")" ] || echec "$* : le jeu a écrit $(ls -A "$dossier")"
}
ligne 0 "Utilisation : corsabord [options]" "" --help
ligne 0 "Corsabord $(sed -n 's/^project(Corsabord VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")" "" --version
ligne 2 "" "Corsabord : option inconnue « --inconnu ». Essayez « corsabord --help »." --inconnu

essayer
# A display nobody serves: a socket folder of our own, empty.
essayer XDG_RUNTIME_DIR="$dossier" DISPLAY=:"$((RANDOM % 1000 + 5000))"

# The game played for a few seconds in a folder of its own, then its lines on the terminal.
jouer() {
  rm -rf "$dossier/partie" && mkdir "$dossier/partie"
  (cd "$dossier/partie" && env -u WAYLAND_DISPLAY "$@" timeout -s TERM 4 "$jeu") >/dev/null 2>"$dossier/.erreurs"
  statut=$?
}
# No sound server (none answers where PULSE_SERVER points): one line that says so, the game still running
# when it is stopped. The cases after it have no sound server either, whatever the machine has.
nulle_part="unix:$dossier/nulle-part"
sans_son="Corsabord : pas de son, aucun serveur de son ne répond à « $nulle_part » ; le jeu se joue avec la bulle du perroquet, en silence."
jouer QT_QPA_PLATFORM=offscreen PULSE_SERVER="$nulle_part"
[ "$statut" -eq 124 ] || echec "sans son : le jeu s'est arrêté de lui-même (statut $statut)"
[ "$(cat "$dossier/.erreurs")" = "$sans_son" ] || { cat "$dossier/.erreurs" >&2; echec "sans son : pas la ligne attendue, ou d'autres avec"; }
export PULSE_SERVER="$nulle_part"
# No data for the speech engine either: its line after the sound's.
mkdir -p "$dossier/vide"
jouer QT_QPA_PLATFORM=offscreen ESPEAK_DATA_PATH="$dossier/vide"
[ "$statut" -eq 124 ] || echec "sans voix : le jeu s'est arrêté de lui-même (statut $statut)"
[ "$(cat "$dossier/.erreurs")" = "$sans_son
Corsabord : pas de voix pour le perroquet, libespeak-ng ne trouve pas ses données dans $dossier/vide ; le jeu se joue avec sa bulle et les bruitages." ] ||
  { cat "$dossier/.erreurs" >&2; echec "sans voix : pas la ligne attendue, ou d'autres avec"; }
# The toolkit's own lines when asked for (the offscreen platform has a few).
jouer QT_QPA_PLATFORM=offscreen CORSABORD_DEBUG=1
grep -qv '^Corsabord : ' "$dossier/.erreurs" || echec "CORSABORD_DEBUG=1 : aucune ligne de Qt"
# The X server gone in the middle of a game.
if command -v Xvfb >/dev/null; then
  n=$((RANDOM % 1000 + 6000))
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  x=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  (sleep 2; kill $x) &
  jouer -u QT_QPA_PLATFORM DISPLAY=":$n"
  [ "$statut" -eq 1 ] || echec "écran perdu : statut $statut au lieu de 1"
  [ "$(cat "$dossier/.erreurs")" = "$sans_son
Corsabord : la connexion à l'écran « :$n » est rompue (serveur graphique arrêté ?) ; le jeu s'arrête." ] ||
    { cat "$dossier/.erreurs" >&2; echec "écran perdu : pas la ligne attendue, ou d'autres avec"; }
else
  echo "écran perdu : Xvfb absent, pas vérifié"
fi
# The Wayland compositor gone in the middle of a game (weston, when it is there).
if command -v weston >/dev/null && [ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ]; then
  mkdir -m 700 "$dossier/run"
  XDG_RUNTIME_DIR="$dossier/run" weston --backend=headless-backend.so --socket=corsabord --idle-time=0 >/dev/null 2>&1 &
  w=$!
  for _ in $(seq 50); do [ -e "$dossier/run/corsabord" ] && break; sleep 0.1; done
  (sleep 2; kill $w) &
  jouer -u DISPLAY XDG_RUNTIME_DIR="$dossier/run" WAYLAND_DISPLAY=corsabord QT_QPA_PLATFORM=wayland
  [ "$statut" -eq 1 ] || echec "compositeur perdu : statut $statut au lieu de 1"
  [ "$(cat "$dossier/.erreurs")" = "$sans_son
Corsabord : la connexion à l'écran « corsabord » est rompue (serveur graphique arrêté ?) ; le jeu s'arrête." ] ||
    { cat "$dossier/.erreurs" >&2; echec "compositeur perdu : pas la ligne attendue, ou d'autres avec"; }
else
  echo "compositeur perdu : weston ou la plateforme wayland de Qt absents, pas vérifié"
fi
echo "sans écran: tout va bien"
