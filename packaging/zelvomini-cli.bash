# bash completion for zelvomini-cli: its commands, each command's options,
# and the kinds of file each argument takes.
_zelvomini_cli() {
  local cur prev words cword
  _init_completion || return

  local commands="status team team-add single update-teams download show compress print check
    search batch csv info report import coverage chances minimum lines live model"
  if ((cword == 1)); then
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return
  fi

  local command=${words[1]}
  case $prev in
    -o)
      case $command in
        lines) _filedir '@(csv|tpd)' ;;
        *) _filedir tpd ;;
      esac
      return ;;
    --pdf) _filedir pdf; return ;;
    --doc | --multi) _filedir tpd; return ;;
    --probs | --singles | --test | --history | --csv) _filedir csv; return ;;
    --targets) COMPREPLY=($(compgen -W "all" -- "$cur")); _filedir csv; return ;;
    --results) COMPREPLY=($(compgen -W "all reduced" -- "$cur")); _filedir '@(csv|tpd)'; return ;;
    --form) COMPREPLY=($(compgen -W "0 1 3 4" -- "$cur")); return ;;
    --grade) COMPREPLY=($(compgen -W "2 3" -- "$cur")); return ;;
    --engine | --seed | --time | --next | --pages | --printer | --round | --group | --known | \
      --playing) return ;;
  esac

  local options="--yes"
  case $command in
    download)
      if ((cword == 2)); then
        COMPREPLY=($(compgen -W "schedule vote result" -- "$cur"))
        return
      fi ;;
    show) COMPREPLY=($(compgen -W "A B" -- "$cur")); return ;;
    update-teams) options+=" --restore" ;;
    compress) options+=" --engine --targets" ;;
    print) options+=" --pdf --printer --test --pages --list --singles --round --group" ;;
    check) options+=" --all --next --singles --round --group" ;;
    search) options+=" -o --seed" ;;
    csv)
      if ((cword == 2)); then
        COMPREPLY=($(compgen -W "export import" -- "$cur"))
        return
      fi
      options+=" --add --del" ;;
    model)
      if ((cword == 2)); then
        COMPREPLY=($(compgen -W "history add predict evaluate" -- "$cur"))
        return
      fi
      options+=" --test --history --csv --half-life" ;;
    coverage) options+=" --results --doc" ;;
    chances) options+=" --probs --odds --doc --per-single" ;;
    minimum) options+=" --targets --grade --time --within" ;;
    lines)
      if ((cword == 2)); then
        COMPREPLY=($(compgen -W "union intersect diff unique expand complement" -- "$cur"))
        return
      fi
      options+=" -o --doc --grade --multi" ;;
    live) options+=" --known --playing --round --group --csv" ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi
  case $command in
    csv | coverage | chances | lines | live) _filedir '@(tpd|csv)' ;;
    model) _filedir csv ;;
    print | check | search | batch | info | report | import | minimum) _filedir tpd ;;
  esac
}
complete -F _zelvomini_cli zelvomini-cli
