# bash completion for certpluck-gbc(1): its commands first, then its flags
# (and the c++ command's after it), folders as the argument of -i and -o (as
# the next word or after '='), the protocols after --apply, and
# schema files (.bond, .json) or @listfiles as operands.
# Installed under the command's name, bash-completion loads it on first use.

_certpluck_gbc()
{
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    local option=$previous attached=
    # With '=' among the word breaks, as bash has it by default,
    # "--output-dir=ou" arrives as the words "--output-dir", "=" and "ou".
    if [[ $current == = ]]; then
        current=
    elif [[ $previous == = ]] && ((COMP_CWORD >= 2)); then
        option=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $current == --*=* ]]; then
        option=${current%%=*}
        attached=$option=
        current=${current#*=}
    fi
    case $option in
    -i | --import-dir | -o | --output-dir)
        mapfile -t COMPREPLY < <(compgen -d -- "$current")
        COMPREPLY=("${COMPREPLY[@]/#/$attached}")
        return
        ;;
    --apply)
        mapfile -t COMPREPLY < <(compgen -W 'compact fast simple' -- "$current")
        COMPREPLY=("${COMPREPLY[@]/#/$attached}")
        return
        ;;
    --max-output-mib | --jobs | -n | --namespace | -u | --using | -h | --header | --export-attribute)
        COMPREPLY=()
        return
        ;;
    esac

    local word command=
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
        schema | c++) command=$word ;;
        esac
    done
    local cpp_flags=
    if [[ $command == c++ ]]; then
        cpp_flags='--namespace --using --header --enum-header --apply --export-attribute --no-banner --type-aliases'
    fi
    if [[ $current == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "--import-dir --output-dir --jobs --max-output-mib --help --version
            --numeric-version --enable-service-inheritance $cpp_flags" -- "$current")
    elif [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W 'schema c++' -- "$current")
    elif [[ $current == @* ]]; then
        mapfile -t COMPREPLY < <(compgen -f -- "${current#@}")
        COMPREPLY=("${COMPREPLY[@]/#/@}")
    else
        # Folders too, so that a schema further down can be reached.
        mapfile -t COMPREPLY < <(
            compgen -f -X '!*.bond' -- "$current"
            compgen -f -X '!*.json' -- "$current"
            compgen -d -- "$current"
        )
    fi
}

# File names are quoted and folders get a slash; flag and command names need neither.
complete -o filenames -F _certpluck_gbc certpluck-gbc
