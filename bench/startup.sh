#!/usr/bin/env bash
# Start-up time of the window program: from the moment the process is
# started to the moment its main window is mapped on the X server, measured
# over several starts on a virtual X server in a fresh working folder (with
# the label file, as a user has it). The goal is a median of 100 ms.
#   bench/startup.sh [build-dir] [runs]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-10}
program="$build/app/dawnhelm"
[ -x "$program" ] || { echo "startup.sh: $program not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -f "$root/data/Dawnlabel.txt" ] && cp "$root/data/Dawnlabel.txt" "$work/"

cat > "$work/measure.sh" <<'INNER'
#!/usr/bin/env bash
# Runs inside the X server: one start per run, one figure (ms) per line.
set -euo pipefail
program=$1; runs=$2
for _ in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  "$program" & pid=$!
  shown=""
  for _ in $(seq 1 2000); do
    if xwininfo -name "Dawnhelm 1.1.0.0" 2>/dev/null | grep -q "IsViewable"; then
      shown=$(date +%s%N); break
    fi
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [ -n "$shown" ] || { echo "startup.sh: the window did not appear" >&2; exit 1; }
  echo $(( (shown - start) / 1000000 ))
done
INNER
chmod +x "$work/measure.sh"

cd "$work"
figures=$(LANG=en_GB.UTF-8 XDG_CONFIG_HOME="$work/config" QT_MEDIA_BACKEND=gstreamer \
  timeout 300 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$work/measure.sh" "$program" "$runs")
sorted=$(echo "$figures" | sort -n)
count=$(echo "$sorted" | wc -l)
median=$(echo "$sorted" | sed -n "$(( (count + 1) / 2 ))p")
echo "start to first shown window, $count starts (ms): $(echo $figures | tr '\n' ' ')"
echo "median ${median} ms, fastest $(echo "$sorted" | head -1) ms, slowest $(echo "$sorted" | tail -1) ms (goal: a median of 100 ms)"
