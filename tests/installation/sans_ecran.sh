#!/usr/bin/env bash
# Without any screen, or with a display that does not answer, the game says so in one French line on
# standard error and ends with a non-zero status, writing nothing. Its help and version need no screen and
# write nothing either; an unknown option is refused with status 2.
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
echo "sans écran: tout va bien"
