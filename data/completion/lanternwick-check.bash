# bash completion of lanternwick-check

_lanternwick_check() {
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
        --graph)
            _filedir dot
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'text json' -- "$cur"))
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--format= --graph --help' -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
        return
    fi
    # the game folder or its scenario file
    _filedir '@(dat|DAT)'
} &&
    complete -F _lanternwick_check lanternwick-check
