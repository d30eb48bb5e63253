#!/usr/bin/env bash
# Without any screen, or with a display that does not answer, the game says so in one French line on
# standard error and ends with a non-zero status, writing nothing.
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

essayer
# A display nobody serves: a socket folder of our own, empty.
essayer XDG_RUNTIME_DIR="$dossier" DISPLAY=:"$((RANDOM % 1000 + 5000))"
echo "sans écran: tout va bien"
