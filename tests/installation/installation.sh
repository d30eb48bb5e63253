#!/usr/bin/env bash
# Installs the game into a temporary prefix and starts it as the desktop's menu would: from the home
# folder, with the menu entry's command line. The game must come up to the harbour and keep its settings
# in the player's configuration folder, never in the home folder. A game started by hand keeps them in
# the folder it is started from. Menu entry and software centre data are validated when the tools are there.
#   installation.sh <build folder>
set -euo pipefail
construction=$1
tmp=$(mktemp -d /tmp/corsabord-installation.XXXXXX)
jeu=""
xvfb=""
nettoyer() {
  [ -n "$jeu" ] && kill "$jeu" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$tmp"
}
trap nettoyer EXIT
# A failure shows what the game said last.
echec() {
  echo "ÉCHEC: $*" >&2
  [ -s "$tmp/sortie" ] && tail -n 20 "$tmp/sortie" >&2
  exit 1
}

prefixe="$tmp/prefixe"
cmake --install "$construction" --prefix "$prefixe" >/dev/null
entree="$prefixe/share/applications/fr.corsabord.corsabord.desktop"
# The program in bin/, or in games/ as a distribution's package puts it.
[ -f "$prefixe/bin/corsabord" ] || [ -f "$prefixe/games/corsabord" ] || echec "le programme n'est pas installé"
for f in share/corsabord/narrateur/perroquet.json share/metainfo/fr.corsabord.corsabord.metainfo.xml \
  share/icons/hicolor/scalable/apps/corsabord.svg share/corsabord/manuel.html share/man/man6/corsabord.6 \
  share/man/fr/man6/corsabord.6; do
  [ -f "$prefixe/$f" ] || echec "$f n'est pas installé"
done
[ -f "$entree" ] || echec "l'entrée de menu n'est pas installée"
# No address for a site or a tracker the project does not have (an example domain is no address).
! grep -rEo 'https?://[^"<> ]*example\.(org|com|net)[^"<> ]*' "$prefixe/share" || echec "une adresse fictive est installée"
for t in 16 22 24 32 48 64 128 256; do
  icone="$prefixe/share/icons/hicolor/${t}x$t/apps/corsabord.png"
  [ -f "$icone" ] || echec "icône ${t}x$t absente"
  file "$icone" 2>/dev/null | grep -q "$t x $t" || ! command -v file >/dev/null || echec "icône ${t}x$t de mauvaise taille"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entree" || echec "entrée de menu refusée"
else
  echo "desktop-file-validate absent: entrée de menu non validée"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --pedantic --no-net "$prefixe/share/metainfo/fr.corsabord.corsabord.metainfo.xml" >/dev/null ||
    echec "métadonnées AppStream refusées"
else
  echo "appstreamcli absent: métadonnées non validées"
fi

# A screen: a private X server when there is one, so that the harbour's window can be seen; the
# offscreen platform otherwise.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
if command -v Xvfb >/dev/null && command -v xwininfo >/dev/null; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/ecran" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$tmp/ecran" ] && break; sleep 0.1; done
  [ -s "$tmp/ecran" ] || echec "Xvfb ne démarre pas"
  export DISPLAY=":$(head -n1 "$tmp/ecran")"
else
  export QT_QPA_PLATFORM=offscreen
  echo "Xvfb absent: le port n'est pas vérifié à l'écran, seulement les réglages"
fi

# Waits until a file exists (up to 20 s); fails if the game has ended before.
attendre_fichier() {
  for _ in $(seq 200); do
    [ -e "$1" ] && return 0
    kill -0 "$jeu" 2>/dev/null || echec "le jeu s'est arrêté avant d'écrire $1"
    sleep 0.1
  done
  echec "$1 n'a pas été créé"
}

attendre_port() {
  [ -n "$xvfb" ] || return 0
  for _ in $(seq 200); do
    xwininfo -name "Corsabord — Au port" 2>/dev/null | grep -q IsViewable && return 0
    kill -0 "$jeu" 2>/dev/null || echec "le jeu s'est arrêté avant le port"
    sleep 0.1
  done
  echec "la fenêtre du port n'est pas apparue"
}

# Ends the game as the desktop does at logout (or Ctrl+C, or the terminal closed: the signal given): the
# same end as the window closed, with status 0, its lock and its socket removed.
finir() {
  kill -0 "$jeu" 2>/dev/null || echec "le jeu ne tourne plus"
  kill -"${1:-TERM}" "$jeu"
  for _ in $(seq 100); do kill -0 "$jeu" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$jeu" 2>/dev/null && echec "SIG${1:-TERM} n'arrête pas le jeu"
  local statut=0
  wait "$jeu" || statut=$?
  jeu=""
  [ "$statut" -eq 0 ] || echec "après SIG${1:-TERM}, le jeu finit avec le statut $statut"
  [ -z "$(find "$tmp" -name .corsabord.verrou)" ] || echec "après SIG${1:-TERM}, le verrou est resté"
  [ -z "$(ls -A "$XDG_RUNTIME_DIR/fr.corsabord.corsabord")" ] || echec "après SIG${1:-TERM}, la prise est restée"
}

# The session's own folder, where the game puts its socket; signals as a desktop leaves them (a background
# job of a script starts with Ctrl+C ignored).
export XDG_RUNTIME_DIR="$tmp/session"
mkdir -m 700 "$XDG_RUNTIME_DIR"
lancer() { exec env --default-signal=INT,HUP,TERM "$@"; }

# The menu's command line, with the program found on the PATH as the desktop finds it.
commande=$(sed -n 's/^Exec=//p' "$entree")
read -r -a commande <<<"$commande"
export PATH="$prefixe/bin:$prefixe/games:$PATH"

# From the menu, with and without XDG_CONFIG_HOME.
for xdg in oui non; do
  maison="$tmp/maison-$xdg"
  mkdir -p "$maison"
  if [ $xdg = oui ]; then
    export XDG_CONFIG_HOME="$tmp/config-perso"
    attendu="$XDG_CONFIG_HOME/corsabord/Config.Txt"
  else
    unset XDG_CONFIG_HOME
    attendu="$maison/.config/corsabord/Config.Txt"
  fi
  (cd "$maison" && HOME="$maison" lancer "${commande[@]}") >"$tmp/sortie" 2>&1 &
  jeu=$!
  attendre_fichier "$attendu"
  attendre_port
  finir
  [ "$(find "$maison" -maxdepth 1 -iname config.txt | wc -l)" -eq 0 ] || echec "Config.Txt écrit dans le dossier personnel"
  [ "$(wc -l <"$attendu")" -eq 5 ] || echec "$attendu n'a pas ses cinq lignes"
done

# By hand: the settings stay in the folder the game is started from.
main="$tmp/a-la-main"
mkdir -p "$main"
export XDG_CONFIG_HOME="$tmp/config-main"
(cd "$main" && HOME="$tmp/maison-oui" lancer corsabord) >"$tmp/sortie" 2>&1 &
jeu=$!
attendre_fichier "$main/Config.Txt"
attendre_port
[ ! -e "$XDG_CONFIG_HOME/corsabord" ] || echec "à la main, le jeu a utilisé le dossier de configuration"

# On X11, the windows carry the class the menu entry names, and the harbour belongs to the battle window.
if [ -n "$xvfb" ] && command -v xprop >/dev/null; then
  classe=$(sed -n 's/^StartupWMClass=//p' "$entree")
  [ -n "$classe" ] || echec "l'entrée de menu ne nomme pas la classe de ses fenêtres"
  port=$(xwininfo -name "Corsabord — Au port" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
  xprop -id "$port" WM_CLASS | grep -q "\"$classe\"" || echec "la fenêtre du port n'a pas la classe $classe"
  xprop -id "$port" WM_TRANSIENT_FOR | grep -q "window id" || echec "le port a sa propre entrée dans la barre des tâches"
fi

# A second start in the same folder ends at once with one line, without a box; the first plays on and comes
# to the front (on a bare X server, its harbour gets the input focus; a window manager may only flag it).
deuxieme() {
  if [ -n "$xvfb" ] && command -v xdotool >/dev/null; then
    xdotool windowfocus "$(xwininfo -root | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')" 2>/dev/null || true
    # The pointer moved over the game: the server's clock, as the game last saw it, is past that change.
    xdotool mousemove 5 5 mousemove 640 512 2>/dev/null || true
  fi
  (cd "$main" && HOME="$tmp/maison-oui" lancer corsabord) >"$tmp/seconde" 2>&1 &
  local seconde=$! statut=0
  for _ in $(seq 100); do kill -0 "$seconde" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$seconde" 2>/dev/null && { kill -9 "$seconde"; echec "la seconde partie ne s'arrête pas"; }
  wait "$seconde" || statut=$?
  [ "$statut" -eq 0 ] || echec "la seconde partie finit avec le statut $statut"
  [ "$(wc -l <"$tmp/seconde")" -eq 1 ] && grep -q "^Corsabord : une partie est déjà ouverte avec les réglages de .*a-la-main ; elle revient au premier plan" "$tmp/seconde" ||
    { cat "$tmp/seconde" >&2; echec "la seconde partie ne dit pas en une ligne que la première revient"; }
  kill -0 "$jeu" 2>/dev/null || echec "la première partie s'est arrêtée"
  if [ -n "$xvfb" ] && command -v xdotool >/dev/null && [ -n "${port:-}" ]; then
    # The focus was elsewhere (the root window) before the second start.
    [ -z "$(xdotool search --onlyvisible --pid "$seconde" 2>/dev/null)" ] || echec "la seconde partie a montré une fenêtre"
    for _ in $(seq 50); do [ "$(xdotool getwindowfocus 2>/dev/null)" = "$((port))" ] && break; sleep 0.1; done
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$((port))" ] || echec "la première partie n'est pas revenue au premier plan"
  fi
}
deuxieme

# A copy killed outright leaves its lock and its socket behind: the next start plays all the same, and
# answers a start after it.
kill -9 "$jeu"
wait "$jeu" 2>/dev/null || true
jeu=""
[ -n "$(ls -A "$XDG_RUNTIME_DIR/fr.corsabord.corsabord")" ] || echec "la partie tuée n'a pas laissé sa prise"
(cd "$main" && HOME="$tmp/maison-oui" lancer corsabord) >"$tmp/sortie" 2>&1 &
jeu=$!
attendre_port
if [ -n "$xvfb" ]; then
  port=$(xwininfo -name "Corsabord — Au port" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
fi
grep -q "déjà ouverte" "$tmp/sortie" && echec "le verrou de la partie tuée bloque la suivante"
deuxieme
finir TERM

# Ctrl+C in the terminal and the terminal closed end the game as the logout does.
for signal in INT HUP; do
  (cd "$main" && HOME="$tmp/maison-oui" lancer corsabord) >"$tmp/sortie" 2>&1 &
  jeu=$!
  attendre_port
  finir $signal
done
echo "installation: tout va bien"
