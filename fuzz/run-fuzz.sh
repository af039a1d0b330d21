#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time:
#   fuzz_number_text  the number rules (reader and writer);
#   fuzz_batch_input  the batch program's table readers (as desktops save tables too),
#                     point reading and output;
#   fuzz_xlsx_input   the workbook reader: archives, and a sheet with its strings and styles;
#   fuzz_project_file the project file reader, its writer and the table of its points.
#   fuzz_price_list   the price-list reader, its check against the catalogue and applying it.
#   fuzz/run-fuzz.sh [seconds]     (default 60, for each target)
# Not part of the normal build: the binaries, the grown corpora and any crash
# inputs go to build/fuzz/ (or $FUZZ_OUT). The seeds in fuzz/corpus/ and
# data/examples/ are never written to.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
seconds="${1:-60}"
out="${FUZZ_OUT:-$root/build/fuzz}"

# Tools: clang with its libFuzzer and sanitizer run-times, pkg-config, Qt Core.
packages=(clang libclang-rt-14-dev pkg-config qt6-base-dev libzip-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
cxx="$(command -v clang++-14 || command -v clang++)"

# The sources of the gascore library, as src/core/CMakeLists.txt names them.
core_sources=()
while read -r file; do
    core_sources+=("$root/src/core/$file")
done < <(sed -n '/^add_library(gascore/,/^)/{/\.cpp$/s/^ *//p}' "$root/src/core/CMakeLists.txt")

version="$(sed -n 's/^project(GasMeterSizing VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
flags=(-std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer
       -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
       -Wall -Wextra -Wpedantic -I"$root/src" -I"$root/tests/support" "-DGAS_PROGRAM_VERSION=\"$version\"")
# shellcheck disable=SC2207 # pkg-config output is meant to be split
qt_cflags=($(pkg-config --cflags Qt6Core))
# shellcheck disable=SC2207
qt_libs=($(pkg-config --libs Qt6Core))
# shellcheck disable=SC2207
zip_cflags=($(pkg-config --cflags libzip))
# shellcheck disable=SC2207
zip_libs=($(pkg-config --libs libzip))

# The core library once, on both cores, for every target that needs it.
core_archive() {
    echo "Building $out/core.a"
    rm -rf "$out/core"
    mkdir -p "$out/core"
    # The product table, compiled in as the library's resource.
    "$(pkg-config --variable=libexecdir Qt6Core)/rcc" --name catalogue \
        -o "$out/core/qrc_catalogue.cpp" "$root/src/core/catalogue/catalogue.qrc"
    core_sources+=("$out/core/qrc_catalogue.cpp")
    printf '%s\n' "${core_sources[@]}" | xargs -P "$(nproc)" -I{} sh -c \
        'src=$1 cc=$2; shift 2; o="$0/core/$(echo "$src" | sed "s|.*/src/core/||; s|.*/core/||; s|/|_|g").o"; "$cc" "$@" -c "$src" -o "$o"' \
        "$out" {} "$cxx" "${flags[@]}" "${qt_cflags[@]}"
    rm -f "$out/core.a"
    ar rcs "$out/core.a" "$out"/core/*.o
}

build() { # name, sources... (core.a is linked when it has been built; libzip always)
    local name=$1
    shift
    echo "Building $out/$name"
    "$cxx" "${flags[@]/fuzzer-no-link/fuzzer}" "${qt_cflags[@]}" "${zip_cflags[@]}" \
        "$@" $( [ -f "$out/core.a" ] && echo "$out/core.a") "${qt_libs[@]}" "${zip_libs[@]}" \
        -o "$out/$name"
}

summary=()
status=0
run() { # name, dictionary, seed dirs...
    local name=$1 dict=$2 rc=0
    shift 2
    mkdir -p "$out/$name.corpus"
    echo "Running $name for $seconds s"
    "$out/$name" "$out/$name.corpus" "$@" \
        -dict="$dict" -max_len=4096 -timeout=10 \
        -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$out/$name-" 2>&1 | tee "$out/$name.log" || rc=$?
    local executions coverage
    executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log" | tail -1)"
    coverage="$(grep -o 'cov: [0-9]*' "$out/$name.log" | tail -1 || true)"
    summary+=("$name: executions: ${executions:-unknown}, ${coverage:-cov: unknown}, corpus: $(ls "$out/$name.corpus" | wc -l) inputs, exit status $rc")
    [ "$rc" -eq 0 ] || status=$rc
}

mkdir -p "$out"
rm -f "$out/core.a"
build fuzz_number_text "$root/src/core/input/number_text.cpp" "$here/fuzz_number_text.cpp"
core_archive
build fuzz_batch_input "$root/src/batch/batch_output.cpp" "$here/fuzz_batch_input.cpp"
build fuzz_project_file "$here/fuzz_project_file.cpp"
build fuzz_price_list "$here/fuzz_price_list.cpp"
build fuzz_xlsx_input "$root/src/core/table/xlsx_reader.cpp" "$here/fuzz_xlsx_input.cpp"

run fuzz_number_text "$here/number.dict" "$here/corpus"
run fuzz_batch_input "$here/batch.dict" "$root/data/examples" "$here/corpus-tables"
run fuzz_xlsx_input "$here/xlsx.dict" "$here/corpus-xlsx"
run fuzz_project_file "$here/project.dict" "$root/data/examples"
run fuzz_price_list "$here/price_list.dict" "$root/data/examples"

printf '%s\n' "${summary[@]}"
exit "$status"
