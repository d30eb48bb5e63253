#!/usr/bin/env bash
# Builds the Debian source package and its binary package from the committed sources once (the tests that need neither a display nor a
# sound server run in that build), checks it with lintian, then checks its file list and plays its game's
# command line from a scratch root. Says it is skipped when dpkg-dev, debhelper or lintian are missing.
#   paquet.sh <work folder>      (the package and its build are left in <work folder>/paquet)
set -euo pipefail
racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
travail=$(realpath -m "${1:-$racine/build-paquet}")/paquet
echec() { echo "paquet: ÉCHEC: $*" >&2; exit 1; }

manque=()
for outil in dpkg-buildpackage dh lintian fakeroot; do
  command -v "$outil" >/dev/null || manque+=("$outil")
done
if [ ${#manque[@]} -gt 0 ]; then
  echo "paquet: skipped, ${manque[*]} missing (Debian: dpkg-dev debhelper lintian fakeroot; tools/setup-debian.sh --tests)"
  exit 0
fi
version=$(dpkg-parsechangelog -l "$racine/debian/changelog" -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)

# The sources as committed plus what is changed in the work tree, in a folder of the same name each time so
# that ccache finds its earlier work (the debug information names the folder).
sources="$travail/corsabord-$version"
rm -rf "$sources" "$travail"/*.deb "$travail"/*.changes "$travail"/*.buildinfo "$travail"/*.dsc "$travail"/*.tar.*
mkdir -p "$sources"
git -C "$racine" ls-files -z --cached --others --exclude-standard | (cd "$racine" && xargs -0 cp --parents -t "$sources" 2>/dev/null || true)
[ -x "$sources/debian/rules" ] || echec "les sources n'ont pas été copiées"

options=""
if command -v ccache >/dev/null; then
  # debhelper gives the build a fresh home folder: the cache is named where it is.
  export CCACHE_DIR="${CCACHE_DIR:-$(ccache -k cache_dir 2>/dev/null || echo "$HOME/.cache/ccache")}"
  options="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
echo "paquet: building corsabord $version"
# No sound server for the tests: the ones that need one say they are skipped. No display either.
(cd "$sources" && env -u DISPLAY -u WAYLAND_DISPLAY -u PULSE_SERVER CORSABORD_CMAKE_OPTIONS="$options" \
  DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-parallel=$(nproc)}" dpkg-buildpackage -us -uc) >"$travail/construction.log" 2>&1 ||
  { tail -n 80 "$travail/construction.log" >&2; echec "dpkg-buildpackage a échoué (journal: $travail/construction.log)"; }
grep -E "tests passed|tests failed|Skipped" "$travail/construction.log" || true

paquet="$travail/corsabord_${version}_$arch.deb"
[ -f "$paquet" ] || echec "$paquet n'a pas été construit"
# The .changes names the source package (.dsc) and the .deb: lintian checks all three.
lintian --pedantic --fail-on error,warning "$travail/corsabord_${version}_$arch.changes" ||
  echec "lintian a trouvé des erreurs ou des avertissements"

# What the package holds: the game where a distribution puts games, its data where the game looks.
liste=$(dpkg-deb -c "$paquet" | awk '{print $6}' | sed 's|^\./|/|')
for f in /usr/games/corsabord /usr/share/corsabord/narrateur/perroquet.json /usr/share/corsabord/narrateur/perroquet.svg \
  /usr/share/applications/fr.corsabord.corsabord.desktop /usr/share/metainfo/fr.corsabord.corsabord.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/corsabord.svg /usr/share/icons/hicolor/48x48/apps/corsabord.png \
  /usr/share/man/man6/corsabord.6.gz /usr/share/man/fr/man6/corsabord.6.gz /usr/share/corsabord/manuel.html \
  /usr/share/doc/corsabord/copyright; do
  grep -qx "$f" <<<"$liste" || echec "$f manque au paquet"
done
! grep -E '^/usr/(bin|lib)/|/usr/local|/include/' <<<"$liste" || echec "le paquet installe des fichiers hors de leur place"

# Installed in a scratch root: the game there answers its command line without any screen and writes nothing.
racine_essai="$travail/racine"
rm -rf "$racine_essai"
dpkg-deb -x "$paquet" "$racine_essai"
essai=$(mktemp -d /tmp/corsabord-paquet.XXXXXX)
trap 'rm -rf "$essai"' EXIT
(cd "$essai" && env -u DISPLAY -u WAYLAND_DISPLAY "$racine_essai/usr/games/corsabord" --version) | grep -qx "Corsabord $version" ||
  echec "le jeu installé ne donne pas sa version $version"
(cd "$essai" && env -u DISPLAY -u WAYLAND_DISPLAY "$racine_essai/usr/games/corsabord" --help) | grep -q "/usr/share/corsabord/manuel.html" ||
  echec "l'aide du jeu installé ne montre pas le manuel"
[ -z "$(ls -A "$essai")" ] || echec "le jeu installé a écrit $(ls -A "$essai")"
echo "paquet: $paquet built, lintian clean, contents checked"
