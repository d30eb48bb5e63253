#!/usr/bin/env bash
# Installs what is missing, builds Corsabord with its tests and runs them all (no display needed).
set -euo pipefail
racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
construction="$racine/build-tests"
"$racine/tools/setup-debian.sh" --tests
# A compiler cache, where the machine has one, makes a second run of the command much shorter.
cache=()
command -v ccache >/dev/null 2>&1 && cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Here, unlike a plain build, every compiler warning stops the build.
cmake -S "$racine" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORSABORD_WERROR=ON "${cache[@]}"
cmake --build "$construction" -j"$(nproc)"
# The same tests again under AddressSanitizer and UndefinedBehaviorSanitizer (the fuzzers, which carry
# both already, and the benchmarks are left out of that build).
sanitizers="$racine/build-asan"
cmake -S "$racine" -B "$sanitizers" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORSABORD_SANITIZE=ON "${cache[@]}" \
  -DCORSABORD_WERROR=ON -DCORSABORD_BENCH=OFF -DCORSABORD_FUZZ=OFF
cmake --build "$sanitizers" -j"$(nproc)"

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
arreter_pulse() { [ -n "$pulse_lance" ] && pulseaudio --kill >/dev/null 2>&1 || true; }
trap arreter_pulse EXIT

cd "$construction"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
echo "tester: the tests again under the sanitizers"
cd "$sanitizers"
# a suppressed leak is not the game's: the tests that read what the game printed see only its own lines
LSAN_OPTIONS="suppressions=$racine/tools/lsan.supp:print_suppressions=0" QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 900
# The Debian package: one more build, with the tests that need no sound server, then lintian and its contents
# (skipped when dpkg-dev, debhelper or lintian are missing).
echo "tester: the Debian package"
env -u PULSE_SERVER bash "$racine/tools/paquet.sh" "$construction"
