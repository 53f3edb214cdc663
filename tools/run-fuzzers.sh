#!/usr/bin/env bash
# Builds the libFuzzer targets with the "fuzz" preset and runs each for about
# 30 seconds (FUZZ_SECONDS), starting from the seeds in fuzz/seeds and the
# corpus kept in the build folder. Fails on any crash, sanitizer report or
# failed check.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-30}"
build=build/fuzz
targets=(fuzz_event_import fuzz_profile_read)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}" >/dev/null

status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  seeds="fuzz/seeds/${target#fuzz_}"
  mkdir -p "$corpus"
  log="$build/$target.log"
  # Crash files go to the build folder, not the source tree.
  if "$build/fuzz/$target" "$corpus" "$seeds" -max_total_time="$seconds" -timeout=20 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/$target-" \
      >"$log" 2>&1; then
    echo "$target: ok ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" |
      grep -o '[0-9]*$') runs)"
  else
    echo "$target: FAILED, see $log" >&2
    tail -n 40 "$log" >&2
    status=1
  fi
done
exit $status
