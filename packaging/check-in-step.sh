#!/usr/bin/env bash
# Checks that the manual page and the bash, zsh and fish completions of
# hollowsweep-cli know exactly the subcommands, options and format names that the
# tool's own --help shows, so that none of them falls behind an option added in
# src/cli/CliApp.cpp. Each completion is asked as its shell asks it: bash
# through the completion function, zsh through its completion system on a
# pseudo-terminal (packaging/zsh-complete.zsh), fish through complete -C.
#
#   packaging/check-in-step.sh CLI ROOT
#
# CLI is the tool to ask; ROOT is where the package's files are: an unpacked
# package, or / for the installed package, which each shell must then find
# where it looks by itself (bash-completion's loader, zsh's fpath, fish's
# vendor folder). scripts/package.sh runs it both ways.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

cli=$1
root=${2%/}
export LC_ALL=C

failures=0
fail() {
    echo "in step: $*" >&2
    failures=$((failures + 1))
}

# Every word of $3 must be among those of $2.
offers_all() {
    local what=$1 word
    for word in $3; do
        grep -qxF -- "$word" <<<"$2" || fail "$what: does not offer $word"
    done
}

# The words of $2 and $3, each sorted and deduplicated, must be the same.
same_words() {
    local what=$1 got want
    got=$(tr ' ' '\n' <<<"$2" | sed '/^$/d' | sort -u | tr '\n' ' ')
    want=$(tr ' ' '\n' <<<"$3" | sed '/^$/d' | sort -u | tr '\n' ' ')
    [[ $got == "$want" ]] || fail "$what: offers '$got', the tool has '$want'"
}

# What the tool says it takes.
commands=$("$cli" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z][^ ]*\).*/\1/p')
[[ -n $commands ]] || {
    echo "in step: $cli --help names no subcommand" >&2
    exit 1
}
top_options=$("$cli" --help | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr ',' '\n')
declare -A options=()
for command in $commands; do
    options[$command]=$("$cli" "$command" --help | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr ',' '\n')
done
formats=$("$cli" scan --help | sed -n 's/.*--format [^{]*{\([^}]*\)}.*/\1/p' | tr ',' ' ')
[[ -n $formats ]] || fail "scan --help names no format"

# The manual page: every subcommand, option and format, as roff writes them.
page=$root/usr/share/man/man1/hollowsweep-cli.1.gz
source=$(zcat "$page")
for command in $commands; do
    grep -qx ".B $command" <<<"$source" || fail "$page: no .B $command"
    for option in ${options[$command]}; do
        grep -qF -- "${option//-/\\-}" <<<"$source" || fail "$page: no $option (of $command)"
    done
done
for format in $formats; do
    grep -qx ".B $format" <<<"$source" || fail "$page: no format $format"
done

# bash: what the completion function gives for the words of a line, the last
# one being completed. Under / it comes through bash-completion's own loader.
bash_file=$root/usr/share/bash-completion/completions/hollowsweep-cli
bash_complete() {
    # shellcheck disable=SC2016 # the inner script expands its own arguments
    bash -c '
        if [[ $0 == / ]]; then
            source /usr/share/bash-completion/bash_completion
            __load_completion hollowsweep-cli || exit 1
        else
            source "$0/usr/share/bash-completion/completions/hollowsweep-cli"
        fi
        function=$(complete -p hollowsweep-cli | sed -n "s/.* -F \([^ ]*\) .*/\1/p")
        COMP_WORDS=("$@")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_LINE="$*"
        COMP_POINT=${#COMP_LINE}
        "$function" hollowsweep-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' "${root:-/}" "$@"
}
# zsh: what its completion system offers for the line typed so far.
zsh_complete() {
    local folder=
    [[ -n $root ]] && folder=$root/usr/share/zsh/vendor-completions
    # A pseudo-terminal can be slow to answer on a busy machine: nothing at all is asked again.
    local got tries=3
    while ((tries-- > 0)); do
        got=$(timeout 20 zsh "$here/zsh-complete.zsh" "$1" "$folder" || true)
        [[ -z $got ]] || break
    done
    printf '%s\n' "$got"
}
# fish: what complete -C offers for the line typed so far, without descriptions.
fish_complete() {
    local home
    home=$(mktemp -d)
    # shellcheck disable=SC2016 # fish expands its own arguments
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
        fish -c 'test -n "$argv[1]"; and source $argv[1]; complete -C $argv[2]' \
        "${root:+$root/usr/share/fish/vendor_completions.d/hollowsweep-cli.fish}" "$1" |
        cut -f1
    rm -rf "$home"
}

[[ -n $root ]] || bash_file=/usr/share/bash-completion/completions/hollowsweep-cli
[[ -f $bash_file ]] || fail "no $bash_file"
long_top_options=$(grep -- '^--' <<<"$top_options")
offers_all "bash, hollowsweep-cli" "$(bash_complete hollowsweep-cli '')" "$commands"
offers_all "bash, hollowsweep-cli --" "$(bash_complete hollowsweep-cli --)" "$long_top_options"
offers_all "zsh, hollowsweep-cli" "$(zsh_complete 'hollowsweep-cli ')" "$commands"
offers_all "zsh, hollowsweep-cli --" "$(zsh_complete 'hollowsweep-cli --')" "$long_top_options"
offers_all "fish, hollowsweep-cli" "$(fish_complete 'hollowsweep-cli ')" "$commands"
offers_all "fish, hollowsweep-cli --" "$(fish_complete 'hollowsweep-cli --')" "$long_top_options"
for command in $commands; do
    same_words "bash, hollowsweep-cli $command -" \
        "$(bash_complete hollowsweep-cli "$command" -)" "${options[$command]}"
    same_words "zsh, hollowsweep-cli $command -" \
        "$(zsh_complete "hollowsweep-cli $command -")" "${options[$command]}"
    same_words "fish, hollowsweep-cli $command -" \
        "$(fish_complete "hollowsweep-cli $command -")" "${options[$command]}"
done
same_words "bash, --format" "$(bash_complete hollowsweep-cli scan --format '')" "$formats"
same_words "zsh, --format" "$(zsh_complete 'hollowsweep-cli scan --format ')" "$formats"
same_words "fish, --format" "$(fish_complete 'hollowsweep-cli scan --format ')" "$formats"

if [[ $failures -ne 0 ]]; then
    exit 1
fi
echo "in step: the manual page and the bash, zsh and fish completions know every subcommand, option and format"
