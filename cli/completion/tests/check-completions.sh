#!/bin/sh
# Drives the real bash, zsh and fish with the completion scripts that the
# build wrote into FOLDER: for each line below, pressing Tab at its end must
# offer the word given (or, with "!", must not offer it).
# Usage: check-completions.sh FOLDER
set -u
folder=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
failed=0
cd "$folder"  # file names below are those of the scripts themselves

offers() {  # shell line -> the words offered, one a line
  case $1 in
    bash)
      bash --norc -c '
        . /usr/share/bash-completion/bash_completion
        . "$1/fennimar.bash"
        compopt() { :; }  # no completion in progress to set options of
        COMP_LINE=$2 COMP_POINT=${#2}
        read -ra COMP_WORDS <<<"$2"
        case $2 in *" ") COMP_WORDS+=("") ;; esac
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _fennimar fennimar "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        printf "%s\n" "${COMPREPLY[@]}"' sh "$folder" "$2" ;;
    zsh) zsh -f "$here/zsh-complete.zsh" "$folder" "$2" ;;
    fish) fish --no-config -c "source $folder/fennimar.fish; complete -C '$2'" | cut -f1 ;;
  esac
}

# line | word offered ("!word": not offered)
cases='fennimar |apps
fennimar |dump
fennimar |!completion
fennimar w|workspaces
fennimar apps |add
fennimar apps add --|--parameter
fennimar apps add --|--document
fennimar --json switches |get
fennimar switches get |mouse-hook
fennimar switches set |sound-effect=
fennimar workspaces set 2 |use-tarsel=
fennimar workspaces set 2 name=x |style-id=
fennimar reg add HKCU\\x v --type |REG_DWORD
fennimar reg |export
fennimar first-use |clear
fennimar load --|--dry-run
fennimar load |!--dry-run
fennimar --document fennimar.f|fennimar.fish
fennimar load _fenn|_fennimar'

for shell in bash zsh fish; do
  printf '%s\n' "$cases" | while IFS='|' read -r line word; do
    offered=$(offers "$shell" "$line")
    case $word in
      !*) printf '%s\n' "$offered" | grep -qxF -- "${word#!}" || continue ;;
      *) printf '%s\n' "$offered" | grep -qxF -- "$word" && continue ;;
    esac
    echo "$shell: '$line' + Tab: expected ${word}; offered: $(echo $offered)"
    exit 1
  done || failed=1
done
exit $failed
