# bash completion of lanternwick and lanternwick-play
# The options are read from the program's own --help, so they stay in step.

_lanternwick() {
    local cur prev words cword
    _init_completion || return

    case $prev in
        --warp)
            # a label number of the scenario: nothing to offer
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
        return
    fi
    # lanternwick-play starts the game it comes with: no folder to give
    [[ ${1##*/} == lanternwick-play ]] && return
    _filedir -d
} &&
    complete -F _lanternwick lanternwick lanternwick-play
