# Bash completion for dawnhelm-cli.
#
# The verbs and their options are read from `dawnhelm-cli help` of the very
# program being completed, so a new verb or option completes without a change
# here. Option values: file names for an option whose value is a FILE, zone
# names of the system's time-zone database for --zone, the kinds of the verb
# for --kind (almanac's as a list separated by commas), sun or moon for
# align's --body and rise or set for its --event, the names of the user's own
# events for the --event of events, alarms and graph (from --events-file, or
# the events file beside --settings), nothing for the rest (numbers and dates).

# The zone names, one a line: the zones and links of the compiled database's
# source (tzdata.zi), or else the data files under the zoneinfo folder
# without its posix/ and right/ copies.
_dawnhelm_cli_zones() {
    local zoneinfo=/usr/share/zoneinfo
    if [[ -r $zoneinfo/tzdata.zi ]]; then
        awk '$1 == "Z" { print $2 } $1 == "L" { print $3 }' "$zoneinfo/tzdata.zi"
    elif [[ -d $zoneinfo ]]; then
        (cd "$zoneinfo" && find . -path ./posix -prune -o -path ./right -prune -o \
            -type f -name '[A-Z]*' ! -name '*.tab' -print | sed 's|^\./||')
    fi
}

# The names of the user's own events, one a line: the first field of each
# line of the events file that is not empty or a comment.
_dawnhelm_cli_own_events() {
    [[ -f $1 && -r $1 ]] || return
    head -c 1048576 -- "$1" | awk -F';' '{ sub(/\r$/, "") } $0 !~ /^[ \t]*(#|$)/ { print $1 }'
}

_dawnhelm_cli() {
    local cur prev words cword split
    _init_completion -s || return

    local cli=${words[0]}
    declare -F __expand_tilde_by_ref >/dev/null && __expand_tilde_by_ref cli
    [[ $cli == */* || $(type -t "$cli") == file ]] || cli=dawnhelm-cli
    local help
    help=$("$cli" help 2>/dev/null) || return

    # The verbs are listed under "Verbs:", one a line; the usage line of each
    # verb names its options with their values: --name VALUE or [--flag].
    local verbs
    verbs=$(awk '/^Verbs:$/ { on = 1; next } on && /^$/ { exit } on { print $1 }' <<<"$help")

    if ((cword == 1)); then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W '--help --version' -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$verbs help" -- "$cur"))
        fi
        return
    fi

    local verb=${words[1]}
    if [[ $verb == help || $verb == --help || $verb == -h ]]; then
        ((cword == 2)) && COMPREPLY=($(compgen -W "$verbs" -- "$cur"))
        return
    fi
    grep -qxF -- "$verb" <<<"$verbs" || return

    local usage
    usage=$(grep -m1 -- "^dawnhelm-cli $verb\( \|\$\)" <<<"$help")
    # "--name VALUE" pairs, and flags with an empty value.
    local -A value_of=()
    local -a tokens
    read -ra tokens <<<"$usage"
    local i name
    for ((i = 2; i < ${#tokens[@]}; i++)); do
        name=${tokens[i]#[}
        name=${name%]}
        [[ $name == --* ]] || continue
        value_of[$name]=
        if [[ ${tokens[i]} != *] && $((i + 1)) -lt ${#tokens[@]} && ${tokens[i + 1]} != [\[-]* ]]; then
            value_of[$name]=${tokens[i + 1]%]}
        fi
    done

    if [[ -v value_of[$prev] && -n ${value_of[$prev]} ]]; then
        if [[ $prev == --zone ]]; then
            COMPREPLY=($(compgen -W "$(_dawnhelm_cli_zones)" -- "$cur"))
        elif [[ $prev == --kind && $verb == events ]]; then
            COMPREPLY=($(compgen -W "sun moon civil nautical astronomical noon" -- "$cur"))
        elif [[ $prev == --kind && $verb == export ]]; then
            COMPREPLY=($(compgen -W "sun moon twilight phase" -- "$cur"))
        elif [[ $prev == --kind && $verb == almanac ]]; then
            # A list separated by commas: the kinds not written yet, for the
            # last item.
            local written=${cur%"${cur##*,}"} kind kinds=
            for kind in season apsis lunar-eclipse solar-eclipse meteor-shower summer-time; do
                [[ ,$written == *,$kind,* ]] || kinds+=" $kind"
            done
            COMPREPLY=($(compgen -P "$written" -W "$kinds" -- "${cur##*,}"))
            compopt -o nospace 2>/dev/null
        elif [[ $prev == --body && $verb == align ]]; then
            COMPREPLY=($(compgen -W "sun moon" -- "$cur"))
        elif [[ $prev == --event && $verb == align ]]; then
            COMPREPLY=($(compgen -W "rise set" -- "$cur"))
        elif [[ $prev == --event && $verb =~ ^(events|alarms|graph)$ ]]; then
            # The file named on the line, else the one beside the settings.
            local file= settings=
            for ((i = 2; i < cword; i++)); do
                [[ ${words[i]} == --events-file ]] && file=${words[i + 1]-}
                [[ ${words[i]} == --settings ]] && settings=${words[i + 1]-}
            done
            [[ -z $file && -n $settings ]] && file=$(dirname -- "$settings")/Dawnevents.txt
            declare -F __expand_tilde_by_ref >/dev/null && __expand_tilde_by_ref file
            local IFS=$'\n' own
            for own in $(_dawnhelm_cli_own_events "$file"); do
                [[ $own == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$own")")
            done
        elif [[ ${value_of[$prev]} == FILE ]]; then
            _filedir
        fi
        return
    fi
    $split && return

    # The options not given yet.
    local -a left=(--help)
    for name in "${!value_of[@]}"; do
        for ((i = 2; i < cword; i++)); do
            [[ ${words[i]} == "$name" || ${words[i]} == "$name="* ]] && continue 2
        done
        left+=("$name")
    done
    COMPREPLY=($(compgen -W "${left[*]}" -- "$cur"))
} &&
    complete -F _dawnhelm_cli dawnhelm-cli
