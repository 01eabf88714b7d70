# bash completion for orvanta-cli
_orvanta_cli()
{
    local cur prev words cword
    _init_completion || return

    local common="--lang --quiet --help --version"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
        --lang | --format | --place | --lat | --lon | --tz | --date | --points | --moon | --peak | --shift | \
            --photoperiod | -o | --output | --port | --device)
            ((i++))
            ;;
        -*) ;;
        *)
            command=${words[i]}
            break
            ;;
        esac
    done

    case $prev in
    --lang)
        COMPREPLY=($(compgen -W "it en" -- "$cur"))
        return
        ;;
    --format)
        if [[ $command == show ]]; then
            COMPREPLY=($(compgen -W "text json csv" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "text json" -- "$cur"))
        fi
        return
        ;;
    --tz)
        COMPREPLY=($(compgen -W "$(cd /usr/share/zoneinfo 2>/dev/null && find -L . -type f -name '[A-Z]*' | sed 's|^\./||')" -- "$cur"))
        return
        ;;
    -o | --output | --device)
        _filedir
        return
        ;;
    --port)
        COMPREPLY=($(compgen -W "COM{1..16}" -- "$cur"))
        return
        ;;
    --place | --lat | --lon | --date | --points | --moon | --peak | --shift | --photoperiod)
        return
        ;;
    esac

    case $command in
    "")
        COMPREPLY=($(compgen -W "check show daylight board help $common" -- "$cur"))
        ;;
    check | show)
        if [[ $cur == -* ]]; then
            local own="--format"
            [[ $command == show ]] && own="--format --seconds"
            COMPREPLY=($(compgen -W "$own $common" -- "$cur"))
        else
            _filedir
        fi
        ;;
    daylight)
        COMPREPLY=($(compgen -W "--place --lat --lon --tz --date --points --moon --peak --shift --photoperiod
            --output -o $common" -- "$cur"))
        ;;
    board)
        # The board command's own command comes first, then its arguments.
        local sub="" j
        for ((j = i + 1; j < cword; j++)); do
            case ${words[j]} in
            --lang | --format | --port | --device | -o | --output) ((j++)) ;;
            -*) ;;
            *)
                sub=${words[j]}
                break
                ;;
            esac
        done
        local board="--port --device $common"
        case $sub in
        "") COMPREPLY=($(compgen -W "list info names read write rename clean erase backup restore $board" -- "$cur")) ;;
        list | info | names) COMPREPLY=($(compgen -W "--format $board" -- "$cur")) ;;
        read) COMPREPLY=($(compgen -W "-o --output $board" -- "$cur")) ;;
        write)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--no-verify $board" -- "$cur"))
            else
                _filedir
            fi
            ;;
        erase) COMPREPLY=($(compgen -W "--yes $board" -- "$cur")) ;;
        backup | restore)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--yes --no-verify $board" -- "$cur"))
            else
                _filedir -d
            fi
            ;;
        *) COMPREPLY=($(compgen -W "$board" -- "$cur")) ;;
        esac
        ;;
    help)
        COMPREPLY=($(compgen -W "check show daylight board" -- "$cur"))
        ;;
    esac
} &&
    complete -F _orvanta_cli orvanta-cli
