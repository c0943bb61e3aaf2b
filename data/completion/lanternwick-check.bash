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
        --columns)
            COMPREPLY=($(compgen -W 'characters bytes screen' -- "$cur"))
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--format= --columns= --graph --lsp --version --help' -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
        return
    fi
    # game folders or their scenario files, as many as wanted
    _filedir '@(dat|DAT)'
} &&
    complete -F _lanternwick_check lanternwick-check
