#!/usr/bin/env bash
# Builds the Debian package in one go: a Release build of the program alone,
# then cpack -G DEB in that build directory. Prints the path of the .deb as
# the only line on standard output; the build log goes to standard error.
#
#   ./scripts/package-deb.sh [build-dir]      (default: build/deb)
set -euo pipefail
cd "$(dirname "$0")/.."
src_dir=$(pwd)
build_dir=${1:-${GAS_PACKAGE_BUILD_DIR:-build/deb}}

{
    ./scripts/install-deps.sh
    # dpkg-shlibdeps works out the package's library dependencies (Qt and the C++
    # runtime); CPack finds the programs to hand it with file(1), which a minimal
    # Debian root does not have.
    tools=()
    command -v dpkg-shlibdeps >/dev/null 2>&1 || tools+=(dpkg-dev)
    command -v file >/dev/null 2>&1 || tools+=(file)
    if [ ${#tools[@]} -gt 0 ]; then
        sudo_cmd=()
        [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
        echo "Installing: ${tools[*]}"
        export DEBIAN_FRONTEND=noninteractive
        "${sudo_cmd[@]}" apt-get update -qq
        "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${tools[@]}"
    fi

    cmake -S "$src_dir" -B "$build_dir" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    cmake --build "$build_dir"
    # Only the package made now is reported, never one left from an older version.
    rm -f "$build_dir"/*.deb
    (cd "$build_dir" && cpack -G DEB)
} >&2

debs=("$build_dir"/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "package-deb.sh: expected one .deb in $build_dir, found: ${debs[*]}" >&2
    exit 1
fi
realpath "${debs[0]}"
