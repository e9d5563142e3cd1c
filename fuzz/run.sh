#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, each on a fresh copy of its
# seeds so that the repository's corpus stays small, as many at once as there
# are cores.
#   fuzz/run.sh <fuzz-build-dir> [seconds-for-the-whole-run]
# The run's time is shared out: the targets run in rounds of as many as there
# are cores, and each gets the run's time divided by the number of rounds (on
# two cores, ten targets run 24 s each, in five rounds of two minutes in all).
# A crash, a leak or a time-out fails the run; the input that caused it is
# kept in <fuzz-build-dir>/artifacts/ and should become a regression test.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:?usage: fuzz/run.sh <fuzz-build-dir> [seconds]}" && pwd)
total=${2:-120}
jobs=$(nproc 2>/dev/null || echo 2)
targets=(settings_file label_file command_line place_names later_rule jpeg_decoder title_layout
  saved_places horizon_profile user_events)
rounds=$(((${#targets[@]} + jobs - 1) / jobs))
seconds=$((total / rounds))
[ "$seconds" -ge 1 ] || seconds=1
artifacts="$build/artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d "${TMPDIR:-/tmp}/dawn-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT

run_one() { # target
  local target=$1
  mkdir -p "$work/$target"
  cp "$root/fuzz/corpus/$target/"* "$work/$target/"
  # The system libraries' allocations kept for the whole process (fontconfig
  # behind Qt's fonts) are no leaks of ours: the sanitizer build's list.
  LSAN_OPTIONS=suppressions="$root/.ci/lsan.supp":print_suppressions=0 \
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$work/$target" \
    >"$build/fuzz_$target.log" 2>&1
}

declare -A pids
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  echo "fuzz: $target for ${seconds} s"
  run_one "$target" &
  pids[$target]=$!
done

passed=0
failed=0
for target in "${targets[@]}"; do
  if wait "${pids[$target]}"; then
    passed=$((passed + 1))
    echo "fuzz: $target: $(grep -E '^stat::number_of_executed_units' "$build/fuzz_$target.log" | awk '{print $2}') inputs, no failure"
  else
    failed=$((failed + 1))
    echo "fuzz: $target FAILED; the last lines of $build/fuzz_$target.log:" >&2
    tail -n 40 "$build/fuzz_$target.log" >&2
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
