#!/usr/bin/zsh -f
# Prints what zsh offers when Tab is pressed at the end of LINE, one match a
# line, with the completion functions of FOLDER loaded as zsh loads packaged
# ones. Usage: zsh -f zsh-complete.zsh FOLDER LINE
# An interactive zsh runs in a pseudo-terminal; its compadd is wrapped so
# that every match it would offer is also written to a file.
zmodload zsh/zpty
folder=$1 line=$2
out=$(mktemp)
trap 'zpty -d z 2>/dev/null; rm -f $out' EXIT
zpty z env OUT=$out zsh -f -i
zpty -w z "PS1=''; fpath=(${(q)folder} \$fpath); autoload -Uz compinit; compinit -u -D"
zpty -w z 'compadd() {
  if [[ ${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "$@"; return; fi
  local -a __matches; builtin compadd -O __matches "$@"
  local suffix=; (( ${@[(I)-S]} )) && suffix=${@[${@[(I)-S]}+1]}
  (( $#__matches )) && print -rl -- ${^__matches}$suffix >>$OUT
  builtin compadd "$@"
}'
# Tab completes, then marks the end; input is sent only once zsh is ready,
# since keys typed ahead would cut the completion short.
zpty -w z '__complete_and_mark() { zle complete-word; print -- __done__ >>$OUT; }'
zpty -w z 'zle -N __complete_and_mark; bindkey "^I" __complete_and_mark'
zpty -w z 'print -- __ready__ >>$OUT'
wait_for() {
  for i in {1..300}; do
    grep -q "^$1\$" $out && return
    sleep 0.1
  done
}
wait_for __ready__
zpty -w -n z "$line"$'\t'
wait_for __done__
grep -v '^__\(ready\|done\)__$' $out | sort -u
