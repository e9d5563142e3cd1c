#!/bin/bash
# Drives the bash completion of dawnhelm-cli as bash would on Tab and checks
# what it offers: verbs, the options a verb has left, file names for FILE
# values, zone names for --zone, and nothing for numbers and dates. The rules
# are checked against a stand-in program with a fixed help, then once against
# the real one.
#   bash tests/package/check_completion.sh <dawnhelm-cli> <completion file>
set -u

cli=${1:?usage: check_completion.sh <dawnhelm-cli> <completion file>}
completion=${2:?usage: check_completion.sh <dawnhelm-cli> <completion file>}
work=$(mktemp -d "${TMPDIR:-/tmp}/dawn-completion.XXXXXX")
trap 'rm -rf "$work"' EXIT

# shellcheck disable=SC1091
source /usr/share/bash-completion/bash_completion || exit 1
# shellcheck disable=SC1090
source "$completion" || exit 1

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cat >"$work/stand-in" <<'STANDIN'
#!/bin/sh
[ "$1" = help ] || exit 2
cat <<'HELP'
dawnhelm-cli: a stand-in.

Usage: dawnhelm-cli <verb> [options]
       dawnhelm-cli help [<verb>]
       dawnhelm-cli --version

Verbs:
  export   the export file
  events   the events
  place    a place

dawnhelm-cli export --settings FILE [--labels FILE] --from YYYY-MM-DD [--moon] [--out FILE]

    --settings FILE    settings file
    --out FILE         the file (optional)

dawnhelm-cli events --lat MINUTES [--moon]

dawnhelm-cli place [--zone ZONE] --date YYYY-MM-DD
HELP
STANDIN
chmod +x "$work/stand-in"

# Files to offer, with a blank in a name, and a glob-like name that must not
# turn an option into a file name.
mkdir -p "$work/files/sub" && cd "$work/files" || exit 1
: >"a b.txt"
: >"m"

# Completes the last of the given words, split as bash splits a command line
# ("--out=x" arrives as "--out" "=" "x"), and prints the offers sorted, "|"
# between them.
offers() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_LINE=${COMP_LINE// = /=}
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _dawnhelm_cli "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd'|'
}

s=$work/stand-in
while IFS=';' read -r line want; do
  read -ra words <<<"$line"
  [[ $line == *' ' ]] && words+=("")
  got=$(offers "${words[@]}")
  [[ $got == "$want" ]] || fail "'$line' offers '$got', not '$want'"
done <<CASES
$s ;events|export|help|place
$s ex;export
$s -;--help|--version
$s help e;events|export
$s --help p;place
$s export --;--from|--help|--labels|--moon|--out|--settings
$s export --moon --settings x --out=y --;--from|--help|--labels
$s export --out ;a b.txt|m|sub
$s export --out = a;a b.txt
$s export --labels s;sub
$s export --from ;
$s events --lat ;
$s place --zone Europe/Brus;Europe/Brussels
$s place --zone = Etc/GMT+1;Etc/GMT+1|Etc/GMT+10|Etc/GMT+11|Etc/GMT+12
$s place --zone posix/;
$s frobnicate --;
CASES

# The real program: its verbs and a verb's options come from its own help.
got=$(offers "$cli" "")
[[ "|$got|" == *"|day|"* && "|$got|" == *"|help|"* ]] || fail "the real program offers '$got'"
got=$(offers "$cli" table --)
[[ "|$got|" == *"|--settings|"* ]] || fail "the real program's table offers '$got'"
got=$(offers "$cli" almanac --kind lunar)
[[ $got == lunar-eclipse ]] || fail "the real program's almanac --kind offers '$got'"
got=$(offers "$cli" almanac --kind season,s)
[[ $got == "season,solar-eclipse|season,summer-time" ]] ||
  fail "the real program's almanac --kind season,s offers '$got'"
# distance: its clock time takes no completion, its settings file a file name.
got=$(offers "$cli" distance --a)
[[ $got == --at ]] || fail "the real program's distance --a offers '$got'"
got=$(offers "$cli" distance --at "")
[[ -z $got ]] || fail "the real program's distance --at offers '$got'"

got=$(offers "$cli" align --body m)
[[ $got == moon ]] || fail "the real program's align --body offers '$got'"
got=$(offers "$cli" align --event "")
[[ $got == "rise|set" ]] || fail "the real program's align --event offers '$got'"
# The user's own events by name, quoted for the shell, from the file named on
# the line or the one beside the settings; a comment is not a name.
printf '# NAME;KIND;VALUE;WHICH\r\nDawn prayer;elevation;-18;rising\r\nPhoto light;elevation;10;both\r\n' \
  >"$work/files/Dawnevents.txt"
got=$(offers "$cli" events --events-file "$work/files/Dawnevents.txt" --event "")
[[ $got == 'Dawn\ prayer|Photo\ light' ]] || fail "events --event offers '$got'"
got=$(offers "$cli" events --settings "$work/files/Dawncode.txt" --event P)
[[ $got == 'Photo\ light' ]] || fail "events --event beside the settings offers '$got'"
for verb in alarms graph; do
  got=$(offers "$cli" $verb --settings "$work/files/Dawncode.txt" --event D)
  [[ $got == 'Dawn\ prayer' ]] || fail "$verb --event offers '$got'"
done

[[ $(complete -p dawnhelm-cli) == *_dawnhelm_cli* ]] || fail "no completion registered for dawnhelm-cli"

if ((failures > 0)); then
  echo "$failures failed" >&2
  exit 1
fi
echo "completion: all checks passed"
