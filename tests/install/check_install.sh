#!/bin/sh
# Installs a build into temporary prefixes and checks what a desktop sees:
# the files in their places, a desktop entry and AppStream data that pass
# their validators, and a launcher that prepares the user's own folder and
# starts the program inside it.
#   sh tests/install/check_install.sh <build-dir>
set -eu

build=${1:?usage: check_install.sh <build-dir>}
work=$(mktemp -d "${TMPDIR:-/tmp}/dawn-install.XXXXXX")
program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
need() { [ -e "$1" ] || fail "missing after install: $1"; }

# A prefix with a blank in it checks that nothing relies on plain paths.
prefix="$work/pre fix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
  cat "$work/install.log" >&2
  echo "FAIL: cmake --install" >&2
  exit 1
}

app_id=org.example.dawnhelm
need "$prefix/bin/dawnhelm"
need "$prefix/bin/dawnhelm-cli"
need "$prefix/libexec/dawnhelm/dawnhelm"
need "$prefix/libexec/dawnhelm/dawnhelm-graph"
need "$prefix/libexec/dawnhelm/dawnhelm-ics"
# The sound player's module, in the library folder the program looks in.
sound_module=
for f in "$prefix"/lib*/dawnhelm/dawnhelm-sound.so "$prefix"/lib/*/dawnhelm/dawnhelm-sound.so; do
  [ -f "$f" ] && sound_module=$f
done
[ -n "$sound_module" ] || fail "missing after install: the sound module dawnhelm-sound.so under $prefix/lib"
for f in Dawnlabel.txt sunrise.wav sunset.wav sunrise.jpg sunset.jpg help/index.html; do
  need "$prefix/share/dawnhelm/$f"
done
for size in 16 22 24 32 48 64 128 256; do
  need "$prefix/share/icons/hicolor/${size}x${size}/apps/dawnhelm.png"
done
need "$prefix/share/icons/hicolor/scalable/apps/dawnhelm.svg"
desktop="$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
need "$desktop"
need "$metainfo"
need "$prefix/share/man/man1/dawnhelm.1.gz"
need "$prefix/share/man/man1/dawnhelm-cli.1.gz"
need "$prefix/share/bash-completion/completions/dawnhelm-cli"
# Every screenshot of the AppStream data is shipped under the name it has on
# the home page.
for image in $(grep -o '<image[^>]*>[^<]*' "$metainfo" | sed 's/.*>//'); do
  need "$prefix/share/dawnhelm/screenshots/${image##*/}"
done

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || {
  cat "$work/appstream.log" >&2
  fail "appstreamcli rejects $metainfo"
}
grep -qx "Exec=\"$prefix/bin/dawnhelm\"" "$desktop" || fail "Exec does not name the installed launcher: $(grep '^Exec=' "$desktop")"
grep -qx "TryExec=$prefix/bin/dawnhelm" "$desktop" || fail "TryExec does not name the installed launcher"
"$prefix/bin/dawnhelm-cli" --help >/dev/null || fail "the installed dawnhelm-cli does not run"
# The installed graph verb finds its drawing helper in the program folder.
"$prefix/bin/dawnhelm-cli" graph --settings "$work/none/Dawncode.txt" --date 2024-07-01 \
  --out "$work/graph.png" 2>"$work/graph.log" || { cat "$work/graph.log" >&2; fail "the installed graph verb"; }
need "$work/graph.png"
# And the ics verb its calendar helper.
"$prefix/bin/dawnhelm-cli" ics --settings "$work/none/Dawncode.txt" --from 2024-07-01 --to 2024-07-01 \
  >"$work/day.ics" 2>"$work/ics.log" || { cat "$work/ics.log" >&2; fail "the installed ics verb"; }
grep -q "^BEGIN:VCALENDAR" "$work/day.ics" || fail "the installed ics verb wrote no calendar"

# One version everywhere: the launcher, dawnhelm-cli and the AppStream release.
cli_version=$("$prefix/bin/dawnhelm-cli" --version) || fail "dawnhelm-cli --version"
version=${cli_version#dawnhelm-cli }
[ "$(env -i PATH=/usr/bin:/bin "$prefix/bin/dawnhelm" --version)" = "dawnhelm $version" ] ||
  fail "the launcher's --version is not $version"
grep -q "<release version=\"$version\"" "$metainfo" || fail "no AppStream release for $version"
env -i PATH=/usr/bin:/bin "$prefix/bin/dawnhelm" --help | grep -q -- "--version" || fail "the launcher's --help"

# A plain prefix gets a plain Exec line.
plain="$work/plain"
cmake --install "$build" --prefix "$plain" >/dev/null 2>&1 || fail "install into $plain"
grep -qx "Exec=$plain/bin/dawnhelm" "$plain/share/applications/$app_id.desktop" ||
  fail "plain Exec line: $(grep '^Exec=' "$plain/share/applications/$app_id.desktop")"

# The launcher, with a fake home.
home="$work/home"
mkdir -p "$home"
launch() { env -i PATH=/usr/bin:/bin HOME="$home" "$@"; }

folder=$(launch "$prefix/bin/dawnhelm" --print-folder) || fail "launcher --print-folder"
[ "$folder" = "$home/.local/share/dawnhelm" ] || fail "default folder is '$folder'"
for f in Dawnlabel.txt sunrise.wav sunset.wav sunrise.jpg sunset.jpg; do
  cmp -s "$prefix/share/dawnhelm/$f" "$folder/$f" || fail "launcher did not seed $f"
done

# What the user changed stays; what the user deleted comes back.
printf 'my own labels\r\n' >"$folder/Dawnlabel.txt"
rm "$folder/sunset.wav"
launch "$prefix/bin/dawnhelm" --print-folder >/dev/null || fail "second launcher start"
[ "$(cat "$folder/Dawnlabel.txt")" = "$(printf 'my own labels\r')" ] || fail "launcher replaced the user's label file"
cmp -s "$prefix/share/dawnhelm/sunset.wav" "$folder/sunset.wav" || fail "launcher did not restore sunset.wav"

# XDG_DATA_HOME is followed when absolute and ignored when relative.
xdg="$work/xdg data"
got=$(launch XDG_DATA_HOME="$xdg" "$prefix/bin/dawnhelm" --print-folder) || fail "launcher with XDG_DATA_HOME"
[ "$got" = "$xdg/dawnhelm" ] && [ -f "$xdg/dawnhelm/Dawnlabel.txt" ] || fail "XDG_DATA_HOME folder is '$got'"
got=$(launch XDG_DATA_HOME=relative "$prefix/bin/dawnhelm" --print-folder) || fail "launcher with a relative XDG_DATA_HOME"
[ "$got" = "$home/.local/share/dawnhelm" ] || fail "a relative XDG_DATA_HOME gave '$got'"

# A folder that cannot be made is a clear error, not a start elsewhere.
: >"$work/not-a-folder"
if launch XDG_DATA_HOME="$work/not-a-folder" "$prefix/bin/dawnhelm" --print-folder >/dev/null 2>"$work/err"; then
  fail "launcher accepted a data home that is a file"
fi
grep -q "cannot create the folder" "$work/err" || fail "no clear message for an unusable folder: $(cat "$work/err")"

# A real start: the program runs with the per-user folder as its working
# folder (the launcher execs it, so the pid stays the same).
env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen "$prefix/bin/dawnhelm" >"$work/program.log" 2>&1 &
program_pid=$!
cwd=
i=0
while [ $i -lt 100 ]; do
  cwd=$(readlink "/proc/$program_pid/cwd" 2>/dev/null || true)
  exe=$(readlink "/proc/$program_pid/exe" 2>/dev/null || true)
  case "$exe" in */libexec/dawnhelm/dawnhelm) [ "$cwd" = "$folder" ] && break ;; esac
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
  i=$((i + 1))
done
case "$exe" in */libexec/dawnhelm/dawnhelm) ;; *) fail "the launcher did not start the program (exe '$exe')"; cat "$work/program.log" >&2 ;; esac
[ "$cwd" = "$folder" ] || fail "the program runs in '$cwd', not in $folder"
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
program_pid=

# Nothing lands in the home folder's root.
stray=$(find "$home" -mindepth 1 -maxdepth 1 ! -name .local ! -name .config ! -name .cache)
[ -z "$stray" ] || fail "files in the home folder's root: $stray"

if [ "$failures" -gt 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "install and launcher: all checks passed"
