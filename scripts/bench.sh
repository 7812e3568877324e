#!/usr/bin/env bash
# Builds the benchmarks (Release, build-bench/) and runs every one of them. Not part of ctest:
# the figures are compared against reference runs printed side by side, never asserted.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELVAR_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
mapfile -t bersagli < <(cmake --build build-bench --target help | sed -n 's/^\(bench_[A-Za-z0-9_]*\):.*/\1/p' | grep -v "_autogen" | sort -u)
[ ${#bersagli[@]} -gt 0 ] || { echo "No benchmarks."; exit 0; }
cmake --build build-bench --target "${bersagli[@]}"
export QT_QPA_PLATFORM=offscreen
for b in "${bersagli[@]}"; do
  eseguibile=$(find build-bench/bench -type f -name "$b" -perm -u+x | head -n1)
  echo "== $b"
  "$eseguibile"
done
