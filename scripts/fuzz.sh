#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (STK_FUZZ_SECONDS, 60 by default) from its seed corpus. Any crash, hang or
# sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${STK_FUZZ_SECONDS:-60}"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  cmake -S . -B build-fuzz "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DSTK_FUZZ=ON -DSTK_UI=OFF -DSTK_TESTS=OFF -DSTK_BENCH=OFF \
    -DSTK_WERROR=ON
fi
cmake --build build-fuzz --parallel "$(nproc)"

status=0
for target in build-fuzz/tests/fuzz/fuzz_*; do
  name="${target##*/fuzz_}"
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="build-fuzz/$name-" "$work" "tests/fuzz/corpus/$name" \
       > "build-fuzz/$name.log" 2>&1; then
    echo "fuzz_$name found a failure:" >&2
    tail -n 40 "build-fuzz/$name.log" >&2
    status=1
  else
    grep -E 'stat::number_of_executed_units' "build-fuzz/$name.log" || true
  fi
done
exit "$status"
