# bash completion for carvel-cli: the commands, the options, and file names for the operands.
_carvel_cli() {
    local cur prev words cword
    _init_completion -n = || return

    local i command="" operands=0 ended=""
    for ((i = 1; i < cword; i++)); do
        if [[ -z $ended && ${words[i]} == -- ]]; then
            ended=1
        elif [[ -z $ended && ${words[i]} =~ ^(--help|-h|--version)$ ]]; then
            return
        elif [[ -n $ended || ${words[i]} != -* ]]; then
            # The first name is the command, the others its operands.
            if [[ -z $command ]]; then
                command=${words[i]}
            else
                ((operands++))
            fi
        fi
    done

    if [[ -z $ended && $cur == -* ]]; then
        if [[ -z $command ]]; then
            COMPREPLY=($(compgen -W '--force --help --version --' -- "$cur"))
        else
            COMPREPLY=($(compgen -W '--force --no-checksums --' -- "$cur"))
        fi
        return
    fi
    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W 'split join verify' -- "$cur"))
        return
    fi
    # split SOURCE SIZE: a file, then a size; join PIECE DESTINATION: two files; verify PIECE.
    if [[ $command == split && $operands -eq 1 ]]; then
        COMPREPLY=($(compgen -W '1K 100K 1M 10M 100M 650M 700M 1G 4G' -- "$cur"))
        return
    fi
    if [[ $command == verify ]]; then
        ((operands < 1)) && _filedir
        return
    fi
    ((operands < 2)) && _filedir
} &&
    complete -F _carvel_cli carvel-cli
