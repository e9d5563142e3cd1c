#!/bin/sh
# Checks the Debian package as a user would get it: its control fields, its
# file list (everything under /usr, the manual pages and the completion in
# their places), lintian, and an install and a removal with dpkg in an empty
# root that leave the user's own folder alone and no file behind.
#   sh tests/package/check_deb.sh <dawnhelm_VERSION_ARCH.deb>
set -eu

deb=${1:?usage: check_deb.sh <deb>}
work=$(mktemp -d "${TMPDIR:-/tmp}/dawn-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Control fields: the version is the file name's, Depends comes from the
# binaries (the Qt libraries and the C library show that dpkg-shlibdeps ran)
# and from what they open at run time (the tz database, the city list, the
# SVG plugins), under whatever name the distribution gives them.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = dawnhelm ] || fail "package name '$(field Package)'"
version=$(field Version)
arch=$(field Architecture)
[ "$(basename "$deb")" = "dawnhelm_${version}_${arch}.deb" ] || fail "file name $(basename "$deb") for version $version on $arch"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6widgets6 libqt6multimedia6 tzdata libgeonames libqt6svg6 libglib2.0-0 libical; do
  echo ", $depends" | grep -q ", $lib[a-z0-9]*\\( \\|,\\|\$\\)" || fail "Depends lacks $lib: $depends"
done

# The file list.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' | grep -v '^$' >"$work/files"
outside=$(grep -v '^/usr\(/\|$\)' "$work/files" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
for f in /usr/bin/dawnhelm /usr/bin/dawnhelm-cli /usr/libexec/dawnhelm/dawnhelm \
  /usr/libexec/dawnhelm/dawnhelm-graph /usr/libexec/dawnhelm/dawnhelm-ics \
  /usr/share/man/man1/dawnhelm.1.gz /usr/share/man/man1/dawnhelm-cli.1.gz \
  /usr/share/bash-completion/completions/dawnhelm-cli \
  /usr/share/applications/org.example.dawnhelm.desktop /usr/share/metainfo/org.example.dawnhelm.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/dawnhelm.svg /usr/share/icons/hicolor/48x48/apps/dawnhelm.png \
  /usr/share/dawnhelm/Dawnlabel.txt /usr/share/dawnhelm/sunrise.wav /usr/share/dawnhelm/help/index.html \
  /usr/share/dawnhelm/screenshots/screenshot.png /usr/share/dawnhelm/screenshots/graph.png \
  /usr/share/doc/dawnhelm/copyright /usr/share/doc/dawnhelm/changelog.gz; do
  grep -qx "$f" "$work/files" || fail "the package lacks $f"
done
grep -q '^/usr/lib/[^/]*-linux-gnu[^/]*/dawnhelm/dawnhelm-sound\.so$' "$work/files" ||
  fail "the package lacks the sound module dawnhelm-sound.so"

# Every warning and error of lintian fails; what is only information is shown.
lintian --fail-on error,warning --info --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 ||
  fail "lintian: $(cat "$work/lintian")"
grep '^[A-Z]: ' "$work/lintian" | sed 's/^/lintian: /' || true

# Install into an empty root and remove again. The root has a user whose own
# folder holds a settings file; dpkg checks no dependencies here (the fresh
# machine check installs with apt).
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/home/user/.local/share/dawnhelm"
: >"$root/var/lib/dpkg/status"
printf 'settings of the user\n' >"$root/home/user/.local/share/dawnhelm/Dawncode.txt"
(cd "$root/home" && find . | sort) >"$work/home.before"
dpkg --root="$root" --force-depends --force-not-root -i "$deb" >"$work/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$work/dpkg.log")"
grep -q "^Exec=/usr/bin/dawnhelm\$" "$root/usr/share/applications/org.example.dawnhelm.desktop" ||
  fail "the menu entry does not start /usr/bin/dawnhelm"
[ "$("$root/usr/bin/dawnhelm-cli" --version)" = "dawnhelm-cli $version" ] || fail "dawnhelm-cli --version is not $version"
[ "$("$root/usr/bin/dawnhelm" --version)" = "dawnhelm $version" ] || fail "dawnhelm --version is not $version"
"$root/usr/bin/dawnhelm-cli" ics --settings "$work/none/Dawncode.txt" --from 2024-07-01 --to 2024-07-01 |
  grep -q "^BEGIN:VCALENDAR" || fail "dawnhelm-cli ics does not run its calendar helper"
dpkg --root="$root" --force-not-root -r dawnhelm >>"$work/dpkg.log" 2>&1 || fail "dpkg -r: $(cat "$work/dpkg.log")"
left=$(cd "$root" && find . -path ./var/lib/dpkg -prune -o -path ./home -prune -o ! -type d -print)
[ -z "$left" ] || fail "files left after removal: $left"
(cd "$root/home" && find . | sort) >"$work/home.after"
cmp -s "$work/home.before" "$work/home.after" && [ "$(cat "$root/home/user/.local/share/dawnhelm/Dawncode.txt")" = "settings of the user" ] ||
  fail "the user's folder changed"

if [ "$failures" -gt 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "package $(basename "$deb"): all checks passed"
