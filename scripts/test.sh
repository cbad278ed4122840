#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: the layer check, the normal build, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, the ThreadSanitizer
# build of the concurrency tests, and every fuzz target for a bounded time.
# FUZZ_SECONDS (default 30) sets the time per fuzz target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"

jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-30}

echo "== Layers"
scripts/check-layers.sh

echo "== Build and test"
scripts/build.sh build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build-test --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTF_SANITIZE=address,undefined \
  -DTF_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$root/tests/lsan.supp":print_suppressions=0 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

if [[ -x build-test/tests/test_concurrency ]]; then
  echo "== ThreadSanitizer (concurrency tests)"
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTF_SANITIZE=thread \
    -DTF_BUILD_BENCH=OFF >/dev/null
  cmake --build build-tsan --target test_concurrency
  TSAN_OPTIONS="halt_on_error=1 suppressions=$root/tests/tsan.supp" build-tsan/tests/test_concurrency
fi

echo "== Fuzz targets, ${fuzz_seconds}s each"
CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTF_BUILD_FUZZ=ON \
  -DTF_BUILD_TESTS=OFF -DTF_BUILD_BENCH=OFF -DTF_SANITIZE=address,undefined,fuzzer-no-link
fuzz_passed=0
for target in build-fuzz/fuzz/fuzz_*; do
  [[ -x $target ]] || continue
  name=$(basename "$target")
  corpus_name=${name#fuzz_}
  work=$(mktemp -d)
  seeds=fuzz/corpus/$corpus_name
  [[ -d $seeds ]] && cp -r "$seeds/." "$work/"
  echo "-- $name"
  LSAN_OPTIONS=suppressions="$root/tests/lsan.supp":print_suppressions=0 \
    "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
    "$work" 2>&1 | tail -n 3
  rm -rf "$work"
  fuzz_passed=$((fuzz_passed + 1))
done
echo "fuzz: ${fuzz_passed} passed, 0 failed"
