# bash completion for fennimar(1): nouns, their verbs, options, switch and
# workspace field names, and registry value types.

_fennimar() {
  local cur prev words cword
  _init_completion -n = || return

  local globals="--document --password-file --json --help --version"
  local nouns="apps switches background workspaces wallpaper first-use reset hw-flag password reg dump load watch"

  case $prev in
    --document | --password-file | --folder)
      _filedir
      return
      ;;
    --type)
      COMPREPLY=($(compgen -W "REG_SZ REG_DWORD REG_BINARY" -- "$cur"))
      return
      ;;
    --key | --path | --parameter | --description | --sequence | --data)
      return
      ;;
  esac

  # The noun and verb given so far, skipping options and their values.
  local i noun="" verb=""
  for ((i = 1; i < cword; i++)); do
    case ${words[i]} in
      --document | --password-file | --key | --path | --parameter | --description | \
        --folder | --sequence | --type | --data)
        ((i++))
        ;;
      -*) ;;
      *)
        if [[ -z $noun ]]; then
          noun=${words[i]}
        elif [[ -z $verb ]]; then
          verb=${words[i]}
        fi
        ;;
    esac
  done

  if [[ $cur == -* ]]; then
    local own=""
    case "$noun $verb" in
      "apps add") own="--key --path --parameter --description" ;;
      "background set") own="--folder --sequence" ;;
      "reg add") own="--type --data" ;;
      "load "*) own="--dry-run" ;;
    esac
    COMPREPLY=($(compgen -W "$own $globals" -- "$cur"))
    return
  fi

  if [[ -z $noun ]]; then
    COMPREPLY=($(compgen -W "$nouns" -- "$cur"))
    return
  fi

  if [[ -z $verb ]]; then
    local verbs=""
    case $noun in
      apps) verbs="add remove" ;;
      switches) verbs="get set" ;;
      background | workspaces | wallpaper) verbs="set" ;;
      first-use | hw-flag) verbs="clear" ;;
      password) verbs="set check" ;;
      reg) verbs="query add delete export" ;;
      load) _filedir; return ;;
    esac
    COMPREPLY=($(compgen -W "$verbs" -- "$cur"))
    return
  fi

  case "$noun $verb" in
    "switches get")
      COMPREPLY=($(compgen -W "launchcode mouse-hook sound-effect light-effect" -- "$cur"))
      ;;
    "switches set")
      COMPREPLY=($(compgen -S = -W "launchcode mouse-hook sound-effect light-effect" -- "$cur"))
      compopt -o nospace
      ;;
    "workspaces set")
      COMPREPLY=($(compgen -S = -W "name style-id mouse-style em-recyle-path fu-recyle-path mouse-no recyle-no use-tarsel" -- "$cur"))
      compopt -o nospace
      ;;
    "apps remove" | "wallpaper set")
      _filedir
      ;;
  esac
} &&
  complete -F _fennimar fennimar
