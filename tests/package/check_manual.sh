#!/bin/sh
# Checks the manual pages as they are installed: man reads them without a
# warning, and dawnhelm-cli(1) documents what `dawnhelm-cli help` lists. Each
# verb has its own subsection under VERBS with the verb's usage line exactly as
# the help prints it and an entry for each of its options; the global options
# appear too; and no subsection is left for a verb that is gone.
#   sh tests/package/check_manual.sh <dawnhelm-cli> <dawnhelm-cli.1.gz> [<other page>...]
# With DAWN_HELP_FILE set, the help text is read from that file instead (the
# self-check below uses it to prove that a forgotten verb or option fails).
set -eu

cli=${1:?usage: check_manual.sh <dawnhelm-cli> <dawnhelm-cli.1.gz> [<page>...]}
page=${2:?usage: check_manual.sh <dawnhelm-cli> <dawnhelm-cli.1.gz> [<page>...]}
shift 2
work=$(mktemp -d "${TMPDIR:-/tmp}/dawn-manual.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for p in "$page" "$@"; do
  [ -f "$p" ] || {
    fail "no manual page $p"
    continue
  }
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$p" >/dev/null 2>"$work/warnings" || fail "man cannot show $p"
  [ -s "$work/warnings" ] && fail "man warns about $p: $(cat "$work/warnings")"
done

if [ -n "${DAWN_HELP_FILE:-}" ]; then
  cp "$DAWN_HELP_FILE" "$work/help"
else
  "$cli" help >"$work/help" || fail "$cli help failed"
fi
# A width no line reaches, so that no usage line is broken or hyphenated.
LC_ALL=C.UTF-8 MANWIDTH=1000 man -E UTF-8 -l "$page" 2>/dev/null | sed 's/ *$//' >"$work/page"

# The verbs: the first word of each line of the list under "Verbs:".
awk '/^Verbs:$/ { on = 1; next } on && /^$/ { exit } on { print $1 }' "$work/help" >"$work/verbs"
[ -s "$work/verbs" ] || fail "no verbs in the help of $cli"

# The subsections under VERBS, one file each.
awk -v dir="$work" '
  /^[A-Z]/ { in_verbs = ($0 == "VERBS"); name = ""; next }
  in_verbs && /^   [^ ]/ { name = substr($0, 4); print name >> (dir "/sections"); next }
  in_verbs && name != "" { print >> (dir "/section." name) }
' "$work/page"
touch "$work/sections"

while read -r verb; do
  section="$work/section.$verb"
  if ! grep -qx "$verb" "$work/sections"; then
    fail "dawnhelm-cli(1) has no section for the verb '$verb'"
    continue
  fi
  usage=$(grep -m1 "^dawnhelm-cli $verb\( \|\$\)" "$work/help" || true)
  [ -n "$usage" ] || fail "the help shows no usage line for '$verb'"
  grep -qxF "       $usage" "$section" || fail "the section '$verb' of dawnhelm-cli(1) lacks the usage line: $usage"
  for option in $(printf '%s\n' "$usage" | grep -o -- '--[a-z0-9-]*'); do
    grep -q -- "^       $option\( \|,\|\$\)" "$section" ||
      fail "the section '$verb' of dawnhelm-cli(1) does not describe $option"
  done
done <"$work/verbs"

while read -r name; do
  grep -qx "$name" "$work/verbs" || fail "dawnhelm-cli(1) has a section for '$name', which is no verb"
done <"$work/sections"

# The options before any verb, from the usage lines at the top of the help.
for option in $(awk '/^Usage:/ { on = 1 } on && /^$/ { exit } on' "$work/help" | grep -o -- '--[a-z0-9-]*' | sort -u); do
  grep -q -- "^       .*$option\( \|,\|\$\)" "$work/page" || fail "dawnhelm-cli(1) does not describe $option"
done

# The check must notice what it is there for: a help with one verb more, and
# one option more on the first verb, fails with both named.
if [ -z "${DAWN_HELP_FILE:-}" ]; then
  first=$(head -n1 "$work/verbs")
  awk -v first="$first" '
    { print }
    /^Verbs:$/ { print "  frobnicate   a verb the page lacks" }
  ' "$work/help" | sed "s/^\(dawnhelm-cli $first .*\)\$/\1 [--frobnicate]/" >"$work/help.more"
  if DAWN_HELP_FILE="$work/help.more" sh "$0" "$cli" "$page" >/dev/null 2>"$work/self"; then
    fail "the check passes a help with a verb and an option more"
  fi
  grep -q "no section for the verb 'frobnicate'" "$work/self" || fail "the check misses a new verb: $(cat "$work/self")"
  grep -q "section '$first' .* does not describe --frobnicate" "$work/self" ||
    fail "the check misses a new option: $(cat "$work/self")"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "manual pages: all checks passed"
