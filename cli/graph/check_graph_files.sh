#!/bin/sh
# The graph verb's files: standard output with --out -, the exact bytes of a
# name in another encoding, refusals of what is not a regular file, and a
# settings file that cannot be read. Run by ctest with dawnhelm-cli's path.
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
graph() { "$cli" graph --settings "$work/none.txt" --date 2024-06-01 "$@"; }

graph --out - >"$work/stdout.pdf" 2>"$work/err" || fail "--out - exits $? ($(cat "$work/err"))"
[ "$(head -c 5 "$work/stdout.pdf")" = "%PDF-" ] || fail "--out - writes no PDF"
graph --out - --format png >"$work/stdout.png" 2>"$work/err" || fail "--format png exits $?"
[ "$(head -c 4 "$work/stdout.png" | tail -c 3)" = "PNG" ] || fail "--format png writes no PNG"
[ ! -e "$work/-" ] || fail "--out - made a file named -"

# A name that is not UTF-8 (Latin-1 "été.png") keeps its bytes.
name=$(printf '%s/\351t\351.png' "$work")
graph --out "$name" 2>"$work/err" || fail "a Latin-1 name exits $? ($(cat "$work/err"))"
[ -s "$name" ] || fail "the Latin-1 name was not written as given"

# Nothing but a regular file is replaced: a pipe, a folder, a link to a pipe.
mkfifo "$work/pipe.pdf"
mkdir "$work/folder.pdf"
ln -s "$work/pipe.pdf" "$work/link.pdf"
for target in pipe.pdf folder.pdf link.pdf; do
    graph --out "$work/$target" 2>"$work/err"
    status=$?
    [ "$status" -eq 1 ] || fail "$target: exit $status, not 1"
    grep -q "^dawnhelm-cli: graph: Cannot write" "$work/err" || fail "$target: $(cat "$work/err")"
done
[ -p "$work/pipe.pdf" ] && [ -d "$work/folder.pdf" ] && [ -L "$work/link.pdf" ] ||
    fail "a target that is not a regular file was replaced"

# A settings file that cannot be read fails with exit 1, promising nothing.
"$cli" graph --settings "$work/folder.pdf" --date 2024-06-01 --out "$work/g.png" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "unreadable settings: exit $status, not 1"
grep -q "Is a directory" "$work/err" && ! grep -q "\.bak" "$work/err" ||
    fail "unreadable settings: $(cat "$work/err")"
[ ! -e "$work/g.png" ] || fail "a graph was drawn for the default place"

# The twilight bands shade the sun's graph only, the phases mark the moon's;
# without them the picture is the one drawn before.
graph --format png --out "$work/plain.png" || fail "a plain PNG exits $?"
graph --format png --out "$work/again.png" || fail "a second plain PNG exits $?"
cmp -s "$work/plain.png" "$work/again.png" || fail "the plain PNG is not drawn the same twice"
graph --twilight --format png --out "$work/bands.png" 2>"$work/err" || fail "--twilight exits $?"
[ -s "$work/bands.png" ] && ! cmp -s "$work/plain.png" "$work/bands.png" ||
    fail "--twilight drew no bands"
graph --twilight --moon --out "$work/moon.png" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] || fail "--twilight --moon: exit $status, not 2"
[ ! -e "$work/moon.png" ] || fail "--twilight --moon drew a picture"
graph --moon --format png --out "$work/moon.png" || fail "a moon PNG exits $?"
graph --moon --phases --format png --out "$work/phases.png" || fail "--phases exits $?"
! cmp -s "$work/moon.png" "$work/phases.png" || fail "--phases marked no phases"
graph --phases --out "$work/sunphases.png" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] || fail "--phases without --moon: exit $status, not 2"

# From a height, behind a skyline and with one of your own events the sun's
# graph draws something else; none of them goes with --moon, and an event the
# file does not hold is refused.
jagged=$(dirname "$0")/../../astro/testdata/jagged_horizon.txt
printf 'Ridge;offset;0;visible sunrise;alarm=-10,both\n' >"$work/Dawnevents.txt"
for options in "--height 100" "--horizon $jagged" "--event Ridge --events-file $work/Dawnevents.txt"; do
    # shellcheck disable=SC2086
    graph $options --format png --out "$work/seen.png" 2>"$work/err" ||
        fail "$options exits $? ($(cat "$work/err"))"
    ! cmp -s "$work/plain.png" "$work/seen.png" || fail "$options drew nothing more"
    # shellcheck disable=SC2086
    graph $options --moon --format png --out "$work/seenmoon.png" 2>"$work/err"
    status=$?
    [ "$status" -eq 2 ] && [ ! -e "$work/seenmoon.png" ] || fail "$options --moon: exit $status"
done
graph --event Nobody --events-file "$work/Dawnevents.txt" --out "$work/nobody.png" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] && grep -q "Nobody" "$work/err" && [ ! -e "$work/nobody.png" ] ||
    fail "an unknown --event: exit $status ($(cat "$work/err"))"

# The sky view goes the same way: PDF on standard output, a PNG file, the
# same picture twice, a pipe left alone, a bad date refused.
sky() { "$cli" skyview --settings "$work/none.txt" "$@"; }
sky --date 2024-06-21 --out - >"$work/sky.pdf" 2>"$work/err" || fail "skyview --out - exits $?"
[ "$(head -c 5 "$work/sky.pdf")" = "%PDF-" ] || fail "skyview --out - writes no PDF"
sky --date 2024-06-21 --out "$work/sky.png" || fail "skyview PNG exits $?"
sky --date 2024-06-21 --out "$work/sky2.png" || fail "a second skyview PNG exits $?"
cmp -s "$work/sky.png" "$work/sky2.png" || fail "the sky view is not drawn the same twice"
sky --date 2024-12-21 --out "$work/winter.png" || fail "a winter skyview exits $?"
! cmp -s "$work/sky.png" "$work/winter.png" || fail "the sky view does not follow the date"
sky --date 2024-06-21 --out "$work/pipe.pdf" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] && [ -p "$work/pipe.pdf" ] || fail "skyview into a pipe: exit $status"
sky --date 2024-02-30 --out "$work/bad.png" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] && [ ! -e "$work/bad.png" ] || fail "skyview of a bad date: exit $status"

[ "$failures" -eq 0 ]
