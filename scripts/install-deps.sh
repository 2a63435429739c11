#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Hollowsweep need.
# Safe to run again: it asks apt only for what is missing. Arguments name
# further packages that one task needs (for example clang for the fuzzers).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libcli11-dev libpugixml-dev libxlsxwriter-dev rapidjson-dev unzip
    qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-dejavu-core
    libglib2.0-dev libglib2.0-bin
    util-linux time clang-format gettext git python3
    dpkg-dev file lintian desktop-file-utils appstream groff-base man-db zsh fish
    bash-completion xvfb openbox
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [[ ${#missing[@]} -gt 0 ]]; then
    if [[ $(id -u) -ne 0 ]]; then
        echo "install-deps: run as root to install: ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    # Another apt-get may hold the lock for a while; wait for it rather than fail.
    apt-get -o DPkg::Lock::Timeout=600 update -q
    apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
fi
