# Bash completion for tessik-sum. The options and the algorithm identifiers come from the
# program itself (--help, --list), so they follow it without a list kept here.

_tessik_sum() {
    local program=${COMP_WORDS[0]}
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    # "--algorithm=sh" arrives as three words: the option, "=" and the value so far.
    if [[ $current == = ]]; then
        current=
    elif [[ $previous == = ]]; then
        previous=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    case $previous in
        -a | --algorithm)
            # The identifiers are lower case; -a takes any case, so "SHA3" completes as well.
            # Of several apart by commas, the last is completed.
            local given=
            [[ $current == *,* ]] && given=${current%,*},
            local last=${current##*,}
            mapfile -t COMPREPLY < <(compgen -P "$given" -W \
                "$("$program" --list 2> /dev/null | cut -d ' ' -f 1)" -- "${last,,}")
            return
            ;;
        --line-ends)
            mapfile -t COMPREPLY < <(compgen -W "crlf lf" -- "$current")
            return
            ;;
        -j | --jobs | -s | --string | --separator)
            return
            ;;
    esac
    if [[ $current == -* ]]; then
        # Option lines of the help start with the option's names, comma-separated.
        mapfile -t COMPREPLY < <(compgen -W \
            "$("$program" --help 2> /dev/null | sed -n 's/^ *\(-[^ ]*\).*/\1/p' | tr ',' ' ')" \
            -- "$current")
        return
    fi
    compopt -o filenames
    mapfile -t COMPREPLY < <(compgen -f -- "$current")
}
complete -F _tessik_sum tessik-sum
