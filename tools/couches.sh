#!/usr/bin/env bash
# The game's folders from the bottom up. A folder's code may include the folders below it, and the
# folders on its own line may not include one another: every arrow between folders points down, so
# there is no circle, and a forward declaration counts as an arrow. Prints the arrows found; fails, naming
# the file, on one that points up or across.
set -euo pipefail
racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
couches=(
  "model"
  "base"
  "audio"
  "narrator"
  "screens"
  "battle placement"
  "app"
)
declare -A rang
for i in "${!couches[@]}"; do
  for dossier in ${couches[$i]}; do rang[$dossier]=$i; done
done

fautes=0
declare -A fleches
for dossier in "${!rang[@]}"; do
  for fichier in "$racine/$dossier"/*.cpp "$racine/$dossier"/*.h; do
    [ -e "$fichier" ] || continue
    while read -r cible; do
      [ "$cible" = "$dossier" ] && continue
      if [ -z "${rang[$cible]+x}" ]; then
        echo "couches: ${fichier#"$racine"/} includes $cible/, a folder of no layer" >&2
        fautes=$((fautes + 1))
      elif [ "${rang[$cible]}" -ge "${rang[$dossier]}" ]; then
        echo "couches: ${fichier#"$racine"/} includes $cible/, which is not below $dossier/" >&2
        fautes=$((fautes + 1))
      fi
      fleches["$dossier -> $cible"]=1
    done < <(sed -n 's|^#include "\([a-z_]*\)/.*|\1|p' "$fichier" | sort -u)
  done
done
# A forward declaration is an arrow too, which includes do not show: a type declared in a folder's code
# must be defined in that folder or one below it.
declare -A definie
for dossier in "${!rang[@]}"; do
  for fichier in "$racine/$dossier"/*.h; do
    [ -e "$fichier" ] || continue
    while read -r type; do definie[$type]=$dossier; done \
      < <(sed -n 's/^\(class\|struct\) \([A-Za-z_][A-Za-z0-9_]*\)\( final\)\?\( *:[^;]*\)\? *{\?$/\2/p' "$fichier")
  done
done
for dossier in "${!rang[@]}"; do
  for fichier in "$racine/$dossier"/*.cpp "$racine/$dossier"/*.h; do
    [ -e "$fichier" ] || continue
    while read -r type; do
      cible=${definie[$type]:-}
      [ -n "$cible" ] && [ "$cible" != "$dossier" ] || continue
      if [ "${rang[$cible]}" -ge "${rang[$dossier]}" ]; then
        echo "couches: ${fichier#"$racine"/} declares $type, a type of $cible/, which is not below $dossier/" >&2
        fautes=$((fautes + 1))
      fi
    done < <(sed -n 's/^\(class\|struct\) \([A-Za-z_][A-Za-z0-9_]*\);$/\2/p' "$fichier")
  done
done

printf '%s\n' "${!fleches[@]}" | sort
[ "$fautes" -eq 0 ] || { echo "couches: $fautes arrow(s) against the layers" >&2; exit 1; }
echo "couches: every arrow between folders points down"
