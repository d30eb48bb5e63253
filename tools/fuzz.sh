#!/usr/bin/env bash
# Runs the fuzzers of the game's readers, built by the tests into <build>/fuzz:
#   tools/fuzz.sh <build folder> <runs> [reglages|personnage|riff|appel|preferences|journal ...]
# runs is a number of inputs for each fuzzer (1000000 for a long run) or a time each, such as 5s.
# New inputs go to <build>/fuzz/travail/<fuzzer>/corpus, beside the seeds of tests/fuzz/corpus, which
# are only read; an input that fails is written to <build>/fuzz/travail/<fuzzer>/ (crash-..., leak-...):
# once mended, keep it as a seed under tests/fuzz/corpus/<fuzzer>/.
set -euo pipefail
racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
construction=$(cd "$1" && pwd)
combien=$2
shift 2
fuzzers=("$@")
[ ${#fuzzers[@]} -gt 0 ] || fuzzers=(reglages personnage riff appel preferences journal)
case "$combien" in
  *s) limite=(-max_total_time="${combien%s}") ;;
  *) limite=(-runs="$combien") ;;
esac
for f in "${fuzzers[@]}"; do
  travail="$construction/fuzz/travail/$f"
  mkdir -p "$travail/corpus"
  dict=()
  [ -f "$racine/tests/fuzz/$f.dict" ] && dict=(-dict="$racine/tests/fuzz/$f.dict")
  echo "fuzz: $f, ${limite[*]}"
  "$construction/fuzz/fuzz_$f" "${limite[@]}" -timeout=10 "${dict[@]}" -print_final_stats=1 \
    -artifact_prefix="$travail/" "$travail/corpus" "$racine/tests/fuzz/corpus/$f"
done
