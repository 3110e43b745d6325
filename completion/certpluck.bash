# bash completion for certpluck(1): its long options, and file names as the
# argument of --in and --out, abbreviated or not, as the next word or after '='.
# Installed under the command's name, bash-completion loads it on first use.

_certpluck()
{
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    local option=$previous attached=
    # With '=' among the word breaks, as bash has it by default, "--in=fi"
    # arrives as the words "--in", "=" and "fi".
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
    --i | --in | --o | --ou | --out)
        mapfile -t COMPREPLY < <(compgen -f -- "$current")
        COMPREPLY=("${COMPREPLY[@]/#/$attached}")
        ;;
    *)
        # certpluck takes no other words, so only options are offered.
        mapfile -t COMPREPLY < <(compgen -W '--in --out --help' -- "$current")
        ;;
    esac
}

# File names are quoted and directories get a slash; option names need neither.
complete -o filenames -F _certpluck certpluck
