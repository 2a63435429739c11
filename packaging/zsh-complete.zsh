#!/usr/bin/env zsh
# Prints, one a line, what zsh's completion offers for the command line $1 typed
# in the current folder and completed with Tab, with the completion functions
# zsh finds on its own (its fpath) and, when given, in the folder $2 first.
# scripts/package.sh uses it to try the installed completion of hollowsweep-cli.
# It drives an interactive zsh on a pseudo-terminal and records every match
# that completion adds, after the way of zsh-capture-completion.
zmodload zsh/zpty || exit 1
zpty shell zsh -f -i
zpty -w shell 'PROMPT='
[[ -n $2 ]] && zpty -w shell "fpath=(${(q)2} \$fpath)"
zpty -w shell 'autoload -U compinit && compinit -u -D'
zpty -w shell 'zstyle ":completion:*" list-grouped false'
zpty -w shell 'zstyle ":completion:*" insert-tab false'
# Each match that a completion function adds is printed between < and >.
zpty -w shell 'compadd() {
  if [[ ${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "$@"; return; fi
  typeset -a hits descriptions
  builtin compadd -A hits -D descriptions "$@"
  typeset -A apre hpre hsuf asuf
  zparseopts -E P:=apre p:=hpre S:=asuf s:=hsuf
  local hit
  for hit in $hits; do print -r -- "<$IPREFIX$apre$hpre$hit$hsuf$asuf>"; done
}'
zpty -w shell "bindkey '^I' complete-word"
# A NUL line before and after the completion marks where its matches are.
zpty -w shell "null-line() { echo -E - \$'\\0' }"
zpty -w shell 'compprefuncs=(null-line); comppostfuncs=(null-line exit)'
zpty -n -w shell "$1"$'\t'
integer marks=0
local line
while zpty -r shell line; do
  if [[ $line == *$'\0'* ]]; then
    (( ++marks == 2 )) && break
    continue
  fi
  if (( marks == 1 )) && [[ $line == \<*\>* ]]; then
    line=${line#\<}
    print -r -- "${line%%\>*}"
  fi
done
zpty -d shell
