#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   e.g. scripts/fuzz.sh 600 bmp_fuzz
# Corpora grow in build/fuzz/corpus/<target>; crashing inputs land in build/fuzz/crashes/<target>.
# Seeds committed in fuzz/seeds/<target> are read too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --fuzz
seconds=${1:-60}
shift || true
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMVEX_BUILD_FUZZ=ON \
  -DLUMVEX_BUILD_TESTS=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
status=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"; crashes="$build/crashes/$t"
  mkdir -p "$corpus" "$crashes"
  seeds=()
  [ -d "fuzz/seeds/$t" ] && seeds+=("fuzz/seeds/$t")
  echo "fuzz: $t for ${seconds}s"
  "$build/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$corpus" "${seeds[@]}" 2>&1 | tail -n 15 || status=1
done
exit $status
