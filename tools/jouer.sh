#!/usr/bin/env bash
# Installs what is missing, builds Corsabord and starts it in the current folder (where Config.txt lives).
set -euo pipefail
racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$racine/tools/setup-debian.sh"
cmake -S "$racine" -B "$racine/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORSABORD_TESTS=OFF -DCORSABORD_BENCH=OFF
# The game and what `cmake --install build` copies besides it (the menu icons rendered from the SVG).
cmake --build "$racine/build" -j"$(nproc)" --target corsabord icones
exec "$racine/build/corsabord" "$@"
