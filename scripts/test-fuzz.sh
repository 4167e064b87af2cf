#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang-14, Address + UndefinedBehavior)
# and runs each over a copy of its seed corpus for a bounded time. Fails on the first
# crash, leak, sanitizer report or broken property; prints executions per target.
#   scripts/test-fuzz.sh                 ~20 s per target (CI)
#   FUZZ_SECONDS=3600 scripts/test-fuzz.sh ini_engine   one target for an hour
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh clang-14 libclang-rt-14-dev cmake ninja-build

seconds=${FUZZ_SECONDS:-20}
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(colour_text ini_engine wine_registry character_names)

echo "== Fuzzing (${seconds} s per target) =="
cmake --preset fuzz -B "$build" -DORVEX_WERROR="${ORVEX_WERROR:-OFF}" >/dev/null
cmake --build "$build" --target fuzzers

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in "${targets[@]}"; do
  corpus="$work/$target"
  mkdir -p "$corpus"
  cp tests/fuzz/corpus/"$target"/* "$corpus"/
  log="$work/$target.log"
  # Crash inputs land in the work folder; keep them on failure for the report.
  if ! (cd "$work" && "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" \
        -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 "$corpus" >"$log" 2>&1); then
    tail -n 60 "$log"
    mkdir -p "$build/crashes"
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* "$build/crashes/" \
      2>/dev/null || true
    echo "FAILED: $target (inputs kept in $build/crashes/)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$target: $runs executions in ${seconds} s, no failure"
done
