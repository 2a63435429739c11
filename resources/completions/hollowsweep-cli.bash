# bash completion for hollowsweep-cli                      -*- shell-script -*-
# Keep the option lists in step with src/cli/CliApp.cpp and docs/man/hollowsweep-cli.1.in.

_hollowsweep_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} option=${COMP_WORDS[COMP_CWORD - 1]}
    # Bash splits "--format=csv" into three words at the "=".
    if [[ $cur == = ]]; then
        cur=
    elif [[ $option == = && $COMP_CWORD -ge 2 ]]; then
        option=${COMP_WORDS[COMP_CWORD - 2]}
    fi

    local command='' only_folders='' i
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ -z $command && ${COMP_WORDS[i]} != -* ]]; then
            command=${COMP_WORDS[i]}
        elif [[ -n $command && ${COMP_WORDS[i]} == -- ]]; then
            only_folders=1
        fi
    done

    if [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W 'scan delete --help --version' -- "$cur")
        return
    fi

    if [[ -z $only_folders ]]; then
        case $option in
            -f | --format)
                mapfile -t COMPREPLY < <(compgen -W 'list txt csv html xml xlsx json' -- "$cur")
                return
                ;;
            -o | --output | -c | --config | --from)
                compopt -o filenames 2>/dev/null
                mapfile -t COMPREPLY < <(compgen -f -- "$cur")
                return
                ;;
            -j | --threads | -e | --exclude | --junk | --older-than)
                COMPREPLY=()
                return
                ;;
        esac

        if [[ $cur == -* ]]; then
            local walk='-q --quiet -j --threads -e --exclude --junk --junk-common
                        -x --one-file-system --older-than --no-protect -h --help'
            local options
            case $command in
                scan) options="-0 --null -f --format -o --output -c --config --list-protected $walk" ;;
                delete) options="-n --dry-run -0 --null --from $walk" ;;
                *) options= ;;
            esac
            mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
            return
        fi
    fi

    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -d -- "$cur")
}
complete -F _hollowsweep_cli hollowsweep-cli
