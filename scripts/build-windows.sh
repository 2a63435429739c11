#!/usr/bin/env bash
# Cross-builds the Windows core, its tests and the command-line tool with
# MinGW-w64, runs the tests under Wine, and packs the tool with its manual as
# text and the licences of all it holds into build/windows/*.zip. pugixml and
# libxlsxwriter are built for Windows from Debian's own source packages,
# fetched into the build tree (never into the repository). Safe to run again:
# what is there already is kept.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64 libz-mingw-w64-dev dpkg-dev \
    groff-base

build=$PWD/build/windows
deps=$build/deps
sources=$deps/src
toolchain=$PWD/cmake/toolchains/x86_64-w64-mingw32.cmake
jobs=${BUILD_JOBS:-$(nproc)}
mkdir -p "$sources"

# Source packages come from the archive the machine already uses.
ensure_source_index() {
    if apt-get source --print-uris pugixml >/dev/null 2>&1; then
        return
    fi
    local list=/etc/apt/sources.list.d/hollowsweep-deb-src.sources
    if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
        # The first stanza names the main archive; the same for source packages.
        awk 'NF == 0 { exit } /^Types:/ { print "Types: deb-src"; next } { print }' \
            /etc/apt/sources.list.d/debian.sources >"$list"
    else
        grep -h '^deb ' /etc/apt/sources.list | head -n 1 | sed 's/^deb /deb-src /' \
            >/etc/apt/sources.list.d/hollowsweep-deb-src.list
    fi
    apt-get -o DPkg::Lock::Timeout=600 update -q >&2
}

# Unpacks a source package once; prints the folder it lies in.
unpacked_source() {
    local package=$1
    local folder
    folder=$(find "$sources" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
    if [[ -z $folder ]]; then
        ensure_source_index
        (cd "$sources" && apt-get source -q "$package" >&2)
        folder=$(find "$sources" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
    fi
    echo "$folder"
}

# Builds a CMake project for Windows and installs it into the deps folder once.
build_library() {
    local name=$1 source=$2
    shift 2
    if [[ -f $deps/.$name-installed ]]; then
        return
    fi
    cmake -S "$source" -B "$deps/build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DHOLLOWSWEEP_WINDOWS_DEPS="$deps" \
        -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_SHARED_LIBS=OFF "$@" >/dev/null
    nice -n 10 cmake --build "$deps/build/$name" --parallel "$jobs"
    cmake --install "$deps/build/$name" >/dev/null
    touch "$deps/.$name-installed"
}

echo "== windows deps"
build_library pugixml "$(unpacked_source pugixml)" -DPUGIXML_BUILD_TESTS=OFF
build_library libxlsxwriter "$(unpacked_source libxlsxwriter)" -DBUILD_TESTS=OFF \
    -DBUILD_EXAMPLES=OFF -DUSE_SYSTEM_MINIZIP=OFF
build_library googletest /usr/src/googletest -DINSTALL_GTEST=ON -Dgtest_disable_pthreads=OFF
# RapidJSON and CLI11 are headers alone, which compile for any target as they are.
mkdir -p "$deps/include"
ln -sfn /usr/include/rapidjson "$deps/include/rapidjson"
ln -sfn /usr/include/CLI "$deps/include/CLI"

echo "== windows build"
cmake --preset windows
nice -n 10 cmake --build --preset windows --parallel "$jobs"

echo "== windows tests"
# One Wine server for the whole run, kept for a minute between programs, and
# one program run first so that Wine's background services are up before
# ctest starts timing; neither may hold ctest's pipes.
export WINEPREFIX=$build/wine WINEDEBUG=-all
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
stop_wine() { "$wineserver" -k 2>/dev/null || true; }
trap stop_wine EXIT
mkdir -p "$WINEPREFIX"
"$wineserver" -p 60 </dev/null >/dev/null 2>&1
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
ctest --preset windows --parallel "$jobs"

echo "== windows zip"
version=$(sed -n 's/^project(Hollowsweep VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=hollowsweep-cli-$version-windows-x86_64
stage=$build/zip/$name
rm -rf "$build/zip" "$build"/hollowsweep-cli-*-windows-x86_64.zip
mkdir -p "$stage"
cp "$build/src/cli/hollowsweep-cli.exe" "$build/hollowsweep-cli.exe"
cp "$build/src/cli/hollowsweep-cli.exe" "$stage/"
# Plain text with Windows line ends, for any editor there.
to_crlf() { sed 's/\r\?$/\r/'; }
groff -man -Tutf8 -P-cbou "$build/man/hollowsweep-cli.1" | to_crlf >"$stage/hollowsweep-cli.txt"
notice() { # title, file: one licence notice of the zip's LICENSES.txt
    printf '%s\n%s\n\n' "$1" "$(printf '%*s' ${#1} '' | tr ' ' '=')"
    cat "$2"
    printf '\n\n'
}
{
    notice "Hollowsweep, with CLI11 and RapidJSON compiled in" packaging/debian/copyright
    notice "pugixml $(basename "$(unpacked_source pugixml)" | sed 's/^pugixml-//')" \
        "$(unpacked_source pugixml)/LICENSE.md"
    notice "libxlsxwriter, with the minizip it bundles" "$(unpacked_source libxlsxwriter)/License.txt"
    notice "zlib, as MinGW-w64 builds it" /usr/share/doc/libz-mingw-w64-dev/copyright
    notice "The MinGW-w64 runtime and its POSIX threads" /usr/share/doc/mingw-w64-common/copyright
    notice "The GNU C++ library, under the GCC Runtime Library Exception" \
        /usr/share/doc/gcc-mingw-w64-base/copyright
} | to_crlf >"$stage/LICENSES.txt"
(cd "$build/zip" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
# What a user unpacks: the three files, and a tool that runs from there.
unpacked=$build/zip/check
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$build/$name.zip")
content=$(cd "$unpacked" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
expected="./$name ./$name/LICENSES.txt ./$name/hollowsweep-cli.exe ./$name/hollowsweep-cli.txt "
[[ $content == "$expected" ]] || { echo "windows zip: holds $content" >&2; exit 1; }
"$wine" "$unpacked/$name/hollowsweep-cli.exe" --version </dev/null | grep -q "$version" ||
    { echo "windows zip: the tool in it does not run" >&2; exit 1; }
rm -rf "$unpacked"
echo "windows zip: $build/$name.zip"
