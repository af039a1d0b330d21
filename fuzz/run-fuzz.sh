#!/usr/bin/env bash
# Builds the libFuzzer target for the number rules and runs it for a bounded time.
#   fuzz/run-fuzz.sh [seconds]     (default 60)
# Not part of the normal build: the binary, the grown corpus and any crash
# inputs go to build/fuzz/ (or $FUZZ_OUT). The seeds in fuzz/corpus/ are never
# written to.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
seconds="${1:-60}"
out="${FUZZ_OUT:-$root/build/fuzz}"

# Tools: clang with its libFuzzer and sanitizer run-times, pkg-config, Qt Core.
packages=(clang libclang-rt-14-dev pkg-config qt6-base-dev)
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

mkdir -p "$out/corpus"
echo "Building $out/fuzz_number_text"
# shellcheck disable=SC2046 # pkg-config output is meant to be split
"$cxx" -std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Wall -Wextra -Wpedantic \
    -I"$root/src" $(pkg-config --cflags Qt6Core) \
    "$root/src/wizard/number_text.cpp" "$here/fuzz_number_text.cpp" \
    $(pkg-config --libs Qt6Core) \
    -o "$out/fuzz_number_text"

echo "Running for $seconds s"
status=0
"$out/fuzz_number_text" "$out/corpus" "$here/corpus" \
    -dict="$here/number.dict" -max_len=4096 -timeout=10 \
    -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$out/" 2>&1 | tee "$out/fuzz.log" || status=$?

executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/fuzz.log" | tail -1)"
coverage="$(grep -o 'cov: [0-9]*' "$out/fuzz.log" | tail -1 || true)"
echo "executions: ${executions:-unknown}, ${coverage:-cov: unknown}, corpus: $(ls "$out/corpus" | wc -l) inputs, exit status $status"
exit "$status"
