#!/usr/bin/env bash
# Makes docs/screenshot.png: the main window as a new user sees it, started
# in a fresh folder that holds the label file and the default media, on a
# virtual X server.
#   scripts/screenshot.sh [build-dir] [output.png]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$(realpath -m "${2:-$root/docs/screenshot.png}")
program="$build/app/dawnhelm"
[ -x "$program" ] || { echo "screenshot.sh: $program not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for f in Dawnlabel.txt sunrise.wav sunset.wav sunrise.jpg sunset.jpg; do
  [ -f "$root/data/$f" ] && cp "$root/data/$f" "$work/"
done

cat > "$work/shoot.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
program=$1; out=$2
"$program" & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
# Wait for the main window, then give it a moment to paint.
for _ in $(seq 1 100); do
  id=$(xwininfo -root -tree 2>/dev/null | awk '/"Dawnhelm 1\.1\.0\.0"/ {print $1; exit}')
  [ -n "$id" ] && break
  sleep 0.1
done
[ -n "${id:-}" ] || { echo "screenshot.sh: the window did not appear" >&2; exit 1; }
sleep 1.5
import -window "$id" "$out"
INNER
chmod +x "$work/shoot.sh"

mkdir -p "$(dirname "$out")"
(cd "$work" && LANG=en_GB.UTF-8 LC_ALL= XDG_CONFIG_HOME="$work/config" QT_MEDIA_BACKEND=gstreamer \
  timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" "$work/shoot.sh" "$program" "$out")
echo "screenshot.sh: wrote $out"
