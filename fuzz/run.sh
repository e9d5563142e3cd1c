#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, each on a fresh copy of its
# seeds so that the repository's corpus stays small.
#   fuzz/run.sh <fuzz-build-dir> [seconds-per-target]
# A crash, a leak or a time-out fails the run; the input that caused it is
# kept in <fuzz-build-dir>/artifacts/ and should become a regression test.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:?usage: fuzz/run.sh <fuzz-build-dir> [seconds]}
seconds=${2:-60}
artifacts="$build/artifacts"
mkdir -p "$artifacts"

passed=0
failed=0
for target in settings_file label_file command_line; do
  work=$(mktemp -d "${TMPDIR:-/tmp}/dawn-fuzz-$target.XXXXXX")
  cp "$root/fuzz/corpus/$target/"* "$work/"
  echo "fuzz: $target for ${seconds} s"
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$work" >"$build/fuzz_$target.log" 2>&1; then
    echo "fuzz: $target FAILED; the last lines of $build/fuzz_$target.log:" >&2
    tail -n 40 "$build/fuzz_$target.log" >&2
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
    grep -E "^stat::number_of_executed_units|^Done" "$build/fuzz_$target.log" || true
  fi
  rm -rf "$work"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
