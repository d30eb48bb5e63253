#!/usr/bin/env bash
# Installs what is missing, builds Corsabord with its tests and runs them all (no display needed).
# Three builds of the same sources: the plain one, which runs every test; the sanitizers' one
# (AddressSanitizer and UndefinedBehaviorSanitizer), which runs them again but for the sound-server test's
# long cases; and the Debian package, which runs none again and is checked by lintian and its contents.
# Each build compiles while the tests of the one before it run: the tests hold on a busy machine, as a
# player's is, and the command takes half the time.
set -euo pipefail
racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
construction="$racine/build-tests"
sanitizers="$racine/build-asan"
"$racine/tools/setup-debian.sh" --tests
debut=$(date +%s)
etape() { echo "tester: $* ($(($(date +%s) - debut)) s)"; }

# A compiler cache, where the machine has one: every build of every clone shares it (paths are taken from
# the clone's root, and the folder a file is compiled in is left out of its key, though the debug
# information then names the folder of the clone that compiled it first), so a second run of the command,
# from any clone, is much shorter.
cache=()
if command -v ccache >/dev/null 2>&1; then
  cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$racine" CCACHE_NOHASHDIR=true
fi
# Here, unlike a plain build, every compiler warning stops the build.
cmake -S "$racine" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORSABORD_WERROR=ON "${cache[@]}"
# The fuzzers, which carry both sanitizers already, and the benchmarks are left out of that build.
cmake -S "$racine" -B "$sanitizers" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORSABORD_SANITIZE=ON "${cache[@]}" \
  -DCORSABORD_WERROR=ON -DCORSABORD_BENCH=OFF -DCORSABORD_FUZZ=OFF
cmake --build "$construction" -j"$(nproc)"
etape "plain build done"

# The tests that play sound need a sound server: start a private one on a null sink when none runs.
pulse_lance=""
if command -v pulseaudio >/dev/null 2>&1 && ! pactl info >/dev/null 2>&1; then
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/corsabord-xdg.XXXXXX)}"
  chmod 700 "$XDG_RUNTIME_DIR"
  if pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=corsabord_tests" \
      --load="module-native-protocol-unix" >/dev/null 2>&1; then
    pulse_lance=oui
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl set-default-sink corsabord_tests >/dev/null 2>&1 || true
  else
    echo "tester: no sound server could be started; the tests that need one will say they are skipped"
  fi
fi
journaux=$(mktemp -d /tmp/corsabord-tester.XXXXXX)
enfants=()
finir() {
  [ ${#enfants[@]} -eq 0 ] || kill "${enfants[@]}" 2>/dev/null || true
  [ -n "$pulse_lance" ] && pulseaudio --kill >/dev/null 2>&1 || true
}
trap finir EXIT

# Runs "$2..." in the background, its output kept in $journaux/$1.log; attendre prints it once it ends.
lancer() {
  local nom=$1
  shift
  "$@" >"$journaux/$nom.log" 2>&1 &
  enfants+=($!)
  eval "pid_$nom=$!"
}
# Waits for the job named $1 and prints its output; a failure is counted, and the command fails at the end
# of the stage, once the job beside it has said all it has to say too.
echecs=0
attendre() {
  local nom=$1 pid etat=0
  pid=$(eval "echo \$pid_$nom")
  wait "$pid" || etat=$?
  cat "$journaux/$nom.log"
  if [ "$etat" -ne 0 ]; then
    etape "$nom FAILED (status $etat)"
    echecs=$((echecs + 1))
  else
    etape "$nom done"
  fi
}
fin_d_etape() { [ "$echecs" -eq 0 ] || { etape "$echecs step(s) failed"; exit 1; }; }

# a suppressed leak is not the game's: the tests that read what the game printed see only its own lines
lancer tests_simples env -C "$construction" QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
lancer construction_sanitizers cmake --build "$sanitizers" -j"$(nproc)"
attendre construction_sanitizers
attendre tests_simples
fin_d_etape

echo "tester: the tests again under the sanitizers, beside the Debian package's build"
lancer tests_sanitizers env -C "$sanitizers" LSAN_OPTIONS="suppressions=$racine/tools/lsan.supp:print_suppressions=0" \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 900
# The Debian package: one more build, whose tests would only repeat the plain build's, then lintian and its
# contents (skipped when dpkg-dev, debhelper or lintian are missing).
lancer paquet env -u PULSE_SERVER DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" bash "$racine/tools/paquet.sh" "$construction"
attendre paquet
attendre tests_sanitizers
fin_d_etape
etape "every test passed"
