#!/usr/bin/env bash
# Start-up time of the window program: from the moment the process is
# started to the moment the X server maps its main window, over several
# starts on a virtual X server in a fresh working folder (with the label
# file, as a user has it). The goal is a median of 100 ms.
#   bench/startup.sh [build-dir] [runs]
# The probe (bench/startup_probe) waits for the server's map event, so no
# polling program runs beside the one measured. For scale it also times a
# window program of one label built with the same toolkit, when a compiler
# and the toolkit's pkg-config files are at hand.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-10}
program="$build/app/dawnhelm"
probe="$build/bench/startup_probe"
[ -x "$program" ] || { echo "startup.sh: $program not built" >&2; exit 1; }
[ -x "$probe" ] || { echo "startup.sh: $probe not built (it needs the xcb headers)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -f "$root/data/Dawnlabel.txt" ] && cp "$root/data/Dawnlabel.txt" "$work/"
mkdir -m 700 "$work/runtime"
title="Dawnhelm $(sed -n 's/^project(dawnhelm VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"

# The yardstick: one label in a window with the same title.
yardstick=""
if command -v c++ >/dev/null && pkg-config --exists Qt6Widgets 2>/dev/null; then
  cat >"$work/label.cpp" <<'CPP'
#include <QApplication>
#include <QLabel>
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Dawnhelm"));
    label.setWindowTitle(QString::fromLocal8Bit(qgetenv("DAWN_TITLE")));
    label.show();
    return app.exec();
}
CPP
  if c++ -O2 -fPIC "$work/label.cpp" -o "$work/label" $(pkg-config --cflags --libs Qt6Widgets) 2>/dev/null; then
    yardstick="$work/label"
  fi
fi

cat >"$work/measure.sh" <<'INNER'
#!/usr/bin/env bash
# Runs inside the X server: the program and the yardstick take turns, so
# that a machine whose speed drifts slows both alike.
set -euo pipefail
probe=$1; title=$2; runs=$3; program=$4; yardstick=$5
for _ in $(seq 1 "$runs"); do
  echo "program $("$probe" "$title" 1 "$program")"
  [ -z "$yardstick" ] || echo "yardstick $(DAWN_TITLE=$title "$probe" "$title" 1 "$yardstick")"
done
INNER
chmod +x "$work/measure.sh"

cd "$work"
figures=$(LANG=en_GB.UTF-8 XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
  QT_MEDIA_BACKEND=gstreamer timeout 300 \
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$work/measure.sh" "$probe" "$title" "$runs" \
  "$program" "$yardstick")

summary() { # label, figures...
  local label=$1; shift
  local sorted count
  sorted=$(printf '%s\n' "$@" | sort -n)
  count=$(echo "$sorted" | wc -l)
  echo "$label: median $(echo "$sorted" | sed -n "$(( (count + 1) / 2 ))p") ms, fastest $(echo "$sorted" | head -1) ms, slowest $(echo "$sorted" | tail -1) ms over $count starts"
}
program_figures=$(echo "$figures" | sed -n 's/^program //p' | tr '\n' ' ')
echo "start to mapped main window (ms): $program_figures"
summary "dawnhelm" $program_figures
echo "(goal: a median of 100 ms)"
yardstick_figures=$(echo "$figures" | sed -n 's/^yardstick //p' | tr '\n' ' ')
if [ -n "$yardstick_figures" ]; then
  summary "a window of one label, for scale" $yardstick_figures
  ratios=$(paste -d' ' <(printf '%s\n' $program_figures) <(printf '%s\n' $yardstick_figures) |
    awk '{ printf "%.2f\n", $1 / $2 }' | sort -n)
  echo "dawnhelm / label, start by start: median $(echo "$ratios" | sed -n "$(( ($(echo "$ratios" | wc -l) + 1) / 2 ))p")"
fi
