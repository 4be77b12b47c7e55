# bash completion for tarvex-cli

_tarvex_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="info custom convert slots assign restore volume build"
    local managers="melodies java pictures"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
        --user-folder | --firmware) ((i++)) ;;
        -*) ;;
        *) command=${words[i]}; break ;;
        esac
    done

    case $prev in
    --user-folder)
        _filedir -d
        return
        ;;
    -o | --output)
        _filedir
        return
        ;;
    --firmware | --offset)
        return
        ;;
    esac

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--user-folder --firmware --help --version" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    if [[ $cur == -* ]]; then
        local options="--help"
        case $command in
        custom) options+=" --offset --output -o" ;;
        convert | build) options+=" --output -o" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    case $command in
    slots | assign | restore | build)
        if [[ ${words[cword - 1]} == "$command" ]]; then
            COMPREPLY=($(compgen -W "$managers" -- "$cur"))
        else
            _filedir
        fi
        ;;
    custom | convert) _filedir ;;
    esac
}
complete -F _tarvex_cli tarvex-cli
