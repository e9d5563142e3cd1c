#!/usr/bin/env bash
# Wall time and peak memory of a one-year `dawnhelm-cli events` call, the
# sun's rise and set at one place for 2026, start-up included. Each run
# starts the program afresh with its output going to /dev/null. The wall
# time runs from posix_spawn (as a shell or a script starts it) to the
# moment the finished program is reaped. The peak memory (largest resident
# set) is read in runs of its own from /usr/bin/time: the kernel's account
# of a child spawned straight from this script would also hold the
# interpreter's memory from before the program was loaded. The figures are
# the medians of the runs; the goal is at most 5 ms and 5 MB.
#   bench/cli_events.sh [build-dir] [runs]
# DAWN_CLI=/path/to/dawnhelm-cli measures another build of the program.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-20}
program="${DAWN_CLI:-$build/cli/dawnhelm-cli}"
[ -x "$program" ] || { echo "cli_events.sh: $program not built" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "cli_events.sh: /usr/bin/time is missing (the time package)" >&2; exit 1; }

exec python3 - "$runs" "$program" events --lat 3047 --lon 328 --tz 60 \
  --from 2026-01-01 --to 2026-12-31 <<'PYTHON'
import os, statistics, subprocess, sys, time

runs, argv = int(sys.argv[1]), sys.argv[2:]
lines = subprocess.run(argv, check=True, capture_output=True).stdout.count(b"\n")
if lines != 730:
    sys.exit(f"cli_events.sh: the call wrote {lines} lines, not 730")

null = os.open(os.devnull, os.O_WRONLY)
walls, peaks = [], []
for _ in range(runs):
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, os.environ,
                         file_actions=[(os.POSIX_SPAWN_DUP2, null, 1)])
    _, status = os.waitpid(pid, 0)
    walls.append((time.perf_counter() - start) * 1000)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"cli_events.sh: the call failed ({status})")
for _ in range(runs):
    timed = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    peaks.append(int(timed.stderr.strip().splitlines()[-1]))  # KiB

peak = statistics.median(peaks)
print(" ".join(["dawnhelm-cli"] + argv[1:]))
print(f"{runs} runs: median wall {statistics.median(walls):.2f} ms "
      f"(fastest {min(walls):.2f}, slowest {max(walls):.2f}), "
      f"median peak memory {peak / 1024:.2f} MiB ({peak:.0f} KiB) (goal: 5 ms and 5 MB)")
PYTHON
