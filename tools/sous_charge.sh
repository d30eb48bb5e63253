#!/usr/bin/env bash
# Runs one test again and again beside busy loops, as a player's machine busy compiling or indexing, and
# counts its failures: the way to catch a test that fails without a fault, and to show it mended.
#   sous_charge.sh [-n RUNS] [-b LOOPS] [-s] -- COMMAND [ARG ...]
#     -n  how many runs (30)             -b  how many busy loops beside them (4)
#     -s  stop at the first failure (its output is kept either way)
# Each run's output goes to a folder printed at the start; a failed run's is named echec-N.log.
# Exit status 0 when every run passed, 1 otherwise. Example, from a build folder:
#   bash ../tools/sous_charge.sh -n 30 -- ctest -R '^installation$' --output-on-failure
set -uo pipefail
essais=30
boucles=4
arret=""
while [ $# -gt 0 ]; do
  case "$1" in
  -n) essais=$2; shift 2 ;;
  -b) boucles=$2; shift 2 ;;
  -s) arret=oui; shift ;;
  --) shift; break ;;
  *) break ;;
  esac
done
[ $# -gt 0 ] || { sed -n '2,9s/^# \?//p' "$0" >&2; exit 2; }

journaux=$(mktemp -d /tmp/sous-charge.XXXXXX)
pids=()
arreter() { [ ${#pids[@]} -eq 0 ] || kill "${pids[@]}" 2>/dev/null; }
trap arreter EXIT
for _ in $(seq "$boucles"); do
  (while :; do :; done) &
  pids+=($!)
done
echo "sous_charge: $essais runs of '$*' beside $boucles busy loops; logs in $journaux"

echecs=0
debut=$(date +%s)
for i in $(seq "$essais"); do
  t0=$(date +%s.%N)
  if "$@" >"$journaux/essai-$i.log" 2>&1; then
    etat=passed
  else
    etat="FAILED (status $?)"
    echecs=$((echecs + 1))
    mv "$journaux/essai-$i.log" "$journaux/echec-$i.log"
  fi
  awk -v i="$i" -v n="$essais" -v e="$etat" -v t0="$t0" -v t1="$(date +%s.%N)" \
    'BEGIN { printf "run %d/%d: %s in %.1f s\n", i, n, e, t1 - t0 }'
  [ -n "$arret" ] && [ $echecs -gt 0 ] && break
done
echo "sous_charge: $echecs failed of $i runs in $(($(date +%s) - debut)) s"
[ $echecs -eq 0 ]
