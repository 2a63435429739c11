#!/usr/bin/env bash
# Makes the Debian package from a release build and checks it: its file list,
# the desktop entry, the AppStream metainfo, the manual pages, the shell
# completions and lintian; then, as root, installs it with apt-get, runs the
# installed tool and program, purges it and checks that every file it brought
# is gone. The package is left in the build directory.
#
#   scripts/package.sh [BUILD_DIR]      (default: build/release)
#
# The machine is left as it was: where hollowsweep is installed already, the
# install check is left out, so that the installed package stays as it is.
# Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
if [[ ! -f $build/CMakeCache.txt ]]; then
    echo "package: $build is not a configured build directory (cmake --preset release)" >&2
    exit 2
fi

bash scripts/install-deps.sh

# Whatever the install rules take must be built; in a complete build this does nothing.
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/hollowsweep_*.deb
(cd "$build" && cpack -G DEB) >/dev/null
debs=("$build"/hollowsweep_*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
    echo "package: cpack made no single hollowsweep_*.deb in $build" >&2
    exit 1
fi
deb=$(realpath "${debs[0]}")
echo "package: $deb"

work=$(mktemp -d "${TMPDIR:-/tmp}/hollowsweep-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
# The program's check runs as nobody, in a home inside this folder.
chmod 755 "$work"
failed=0
fail() {
    echo "package: $*" >&2
    failed=1
}

# The files this package is made of. Translations come with files of their own
# under usr/share/locale/, which are let through.
owned=(
    usr/bin/hollowsweep
    usr/bin/hollowsweep-cli
    usr/share/applications/hollowsweep.desktop
    usr/share/icons/hicolor/scalable/apps/hollowsweep.svg
    usr/share/metainfo/org.example.hollowsweep.metainfo.xml
    usr/share/man/man1/hollowsweep.1.gz
    usr/share/man/man1/hollowsweep-cli.1.gz
    usr/share/bash-completion/completions/hollowsweep-cli
    usr/share/zsh/vendor-completions/_hollowsweep-cli
    usr/share/fish/vendor_completions.d/hollowsweep-cli.fish
    usr/share/doc/hollowsweep/copyright
    usr/share/doc/hollowsweep/changelog.gz
)
echo "== file list"
mapfile -t listed < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./||; /[^/]$/p')
declare -A in_package=() expected=()
for file in "${listed[@]}"; do
    in_package[$file]=1
done
for file in "${owned[@]}"; do
    expected[$file]=1
    [[ -v in_package[$file] ]] || fail "missing from the package: $file"
done
for file in "${listed[@]}"; do
    if [[ $file != usr/share/locale/* && ! -v expected[$file] ]]; then
        fail "not expected in the package: $file"
    fi
done

root=$work/root
dpkg-deb -x "$deb" "$root"

echo "== desktop entry and metainfo"
desktop-file-validate "$root/usr/share/applications/hollowsweep.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.hollowsweep.metainfo.xml" ||
    fail "AppStream metainfo"

echo "== manual pages"
for page in "$root"/usr/share/man/man1/*.1.gz; do
    warnings=$(zcat "$page" | groff -ww -z -man 2>&1)
    [[ -z $warnings ]] || fail "$(basename "$page"): groff says: $warnings"
    MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^NAME' ||
        fail "$(basename "$page"): man -l renders no NAME section"
done

echo "== completions"
bash_completion=$root/usr/share/bash-completion/completions/hollowsweep-cli
bash -c 'source "$0" && complete -p hollowsweep-cli' "$bash_completion" >/dev/null ||
    fail "the bash completion registers nothing for hollowsweep-cli"
# Each case: the words of a command line, the last one being completed, and the
# candidates the completion must offer, in its order.
bash_cases=(
    'hollowsweep-cli |scan delete --help --version'
    'hollowsweep-cli scan -f |list txt csv html xml xlsx json'
    'hollowsweep-cli scan --format = c|csv'
    'hollowsweep-cli delete --d|--dry-run'
    'hollowsweep-cli scan --junk-|--junk-common'
)
for case in "${bash_cases[@]}"; do
    line=${case%|*}
    expected=${case#*|}
    # shellcheck disable=SC2016 # the inner script expands its own arguments
    got=$(bash -c 'source "$0"; read -ra COMP_WORDS <<<"$1"; [[ $1 == *" " ]] && COMP_WORDS+=("")
                   COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _hollowsweep_cli; echo "${COMPREPLY[*]}"' \
        "$bash_completion" "$line")
    [[ $got == "$expected" ]] || fail "bash completion of '$line': '$got', not '$expected'"
done
zsh -n "$root/usr/share/zsh/vendor-completions/_hollowsweep-cli" || fail "zsh completion"
fish_completion=$root/usr/share/fish/vendor_completions.d/hollowsweep-cli.fish
fish -n "$fish_completion" || fail "fish completion"
# shellcheck disable=SC2016 # fish expands its own arguments
got=$(fish -c 'source $argv[1]; complete -C "hollowsweep-cli scan --format "' "$fish_completion" |
    cut -f1 | sort | tr '\n' ' ')
[[ $got == "csv html json list txt xlsx xml " ]] || fail "fish completion of --format: '$got'"
# The manual page and each shell's completion know every subcommand, option and
# format name that the tool's --help shows.
bash packaging/check-in-step.sh "$build/src/cli/hollowsweep-cli" "$root" ||
    fail "the manual page or a completion is out of step with the tool's options"

echo "== lintian"
# Errors fail the check; warnings are shown, and each one kept is explained in the README.
lintian --fail-on error "$deb" || fail "lintian found errors"

if [[ $(id -u) -ne 0 ]]; then
    echo "package: not root, so the package is not installed and removed here" >&2
    exit "$failed"
fi
if dpkg-query -W -f='${Status}' hollowsweep 2>/dev/null | grep -q 'install ok installed'; then
    echo "package: hollowsweep is installed here; its install check is left out to keep it" >&2
    exit "$failed"
fi

echo "== install"
export DEBIAN_FRONTEND=noninteractive
apt-get -o DPkg::Lock::Timeout=600 install -y -q --reinstall --no-install-recommends "$deb" \
    >"$work/apt.log" || {
    cat "$work/apt.log" >&2
    exit 1
}
version=$(dpkg-deb -f "$deb" Version)
[[ $(/usr/bin/hollowsweep-cli --version) == "hollowsweep-cli $version" ]] ||
    fail "the installed hollowsweep-cli --version does not say $version"

tree=$work/tree
mkdir -p "$tree/empty/inner" "$tree/kept/sub"
echo data >"$tree/kept/sub/file"
scanned=$(/usr/bin/hollowsweep-cli scan -q "$tree")
[[ $scanned == "$tree/empty/inner"$'\n'"$tree/empty" ]] ||
    fail "the installed tool's scan of $tree gave: $scanned"
/usr/bin/hollowsweep-cli delete -q "$tree" >/dev/null || fail "the installed tool's delete failed"
[[ ! -e $tree/empty && -f $tree/kept/sub/file ]] || fail "the installed tool's delete left $tree wrong"
# Review, then remove, as the manual page shows: the folder taken out of the list stays.
mkdir -p "$tree/review/a/b" "$tree/review/keep"
/usr/bin/hollowsweep-cli scan -q -0 "$tree/review" >"$work/list"
grep -zv '/keep$' "$work/list" >"$work/reviewed"
# The listed folder that holds it stays too, "Directory not empty": exit status 1.
status=0
/usr/bin/hollowsweep-cli delete -q --null --from "$work/reviewed" "$tree/review" >/dev/null 2>&1 ||
    status=$?
[[ $status -eq 1 && ! -e $tree/review/a && -d $tree/review/keep ]] ||
    fail "the installed tool's delete --from a reviewed list left $tree/review wrong (status $status)"
# Each shell finds the installed completion where it looks by itself.
bash packaging/check-in-step.sh /usr/bin/hollowsweep-cli / ||
    fail "a shell does not find the installed completion, or it is out of step"

# The program runs as a user would, on Qt's offscreen display: still running when
# stopped means it started, and its configuration lands in the user's folder, not
# beside the executable.
missing=$(ldd /usr/bin/hollowsweep | grep 'not found' || true)
[[ -z $missing ]] || fail "the installed hollowsweep lacks libraries: $missing"
home=$work/home
mkdir -p "$home" "$tree/again/inner"
chown -R nobody:nogroup "$home" "$tree"
status=0
setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen \
    timeout 5 /usr/bin/hollowsweep "$tree" >"$work/program.log" 2>&1 || status=$?
if [[ $status -ne 124 ]]; then
    cat "$work/program.log" >&2
    fail "the installed hollowsweep ended with status $status before it was stopped"
fi
[[ -f $home/config/Hollowsweep/QuillfenConfig.xml ]] ||
    fail "the installed hollowsweep wrote no configuration in $home/config/Hollowsweep"

echo "== purge"
apt-get -o DPkg::Lock::Timeout=600 purge -y -q hollowsweep >"$work/apt.log" || {
    cat "$work/apt.log" >&2
    exit 1
}
for file in "${listed[@]}"; do
    if [[ -e /$file || -L /$file ]]; then
        fail "left behind after the purge: /$file"
    fi
done
[[ ! -e /usr/share/doc/hollowsweep ]] || fail "left behind after the purge: /usr/share/doc/hollowsweep"

if [[ $failed -ne 0 ]]; then
    exit 1
fi
echo "package: $(basename "$deb") checked"
