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
            --photoperiod | -o | --output)
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
    -o | --output)
        _filedir
        return
        ;;
    --place | --lat | --lon | --date | --points | --moon | --peak | --shift | --photoperiod)
        return
        ;;
    esac

    case $command in
    "")
        COMPREPLY=($(compgen -W "check show daylight help $common" -- "$cur"))
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
    help)
        COMPREPLY=($(compgen -W "check show daylight" -- "$cur"))
        ;;
    esac
} &&
    complete -F _orvanta_cli orvanta-cli
