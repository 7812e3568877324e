#!/usr/bin/env bash
# Configures and builds into build/ (the program folder is staged at build/station/). With
# arguments, builds only those targets (`station`: the station and its demo plant, no tests).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ $# -gt 0 ]; then
  cmake --build build --parallel "$(nproc)" --target "$@"
else
  cmake --build build --parallel "$(nproc)"
fi
