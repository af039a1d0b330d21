#!/usr/bin/env bash
# Starts and shuts down the whole window set under LeakSanitizer, many times over,
# and fails when a leak comes from the program's own code.
#
# It builds the main-window test (every window set made and destroyed once per
# test function) and the random walk (every window and handler used, message
# boxes included, the main window closed and the set rebuilt) with
# -fsanitize=address in build/lsan, and runs each twice:
#   1. without suppressions: every leak report is read, and a leak with any frame
#      in the program's sources (src/) fails the check, whatever the libraries
#      below it; so the suppressions can never hide a leak of our own;
#   2. with scripts/lsan.supp, which names only system libraries: the run must be
#      clean, so a new library leak is looked at before it is added there.
#
# Usage: scripts/leak-check.sh [build dir]   (default build/lsan; a tree already
# built with -fsanitize=address, such as build/asan, is reused as it is)
# Environment: LEAK_CHECK_ACTIONS, the length of the random walk (default 1500).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/lsan}
actions=${LEAK_CHECK_ACTIONS:-1500}
supp=$root/scripts/lsan.supp
logs=$build/leak-logs

mkdir -p "$build"
# A tree already configured with AddressSanitizer (the asan preset's build/asan)
# is used as it is; anything else is configured for it first.
configure=(cmake -S "$root" -B "$build" -G Ninja
           -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON
           "-DCMAKE_CXX_FLAGS=-fsanitize=address -fno-omit-frame-pointer"
           "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address")
if grep -q '^CMAKE_CXX_FLAGS:STRING=.*-fsanitize=address' "$build/CMakeCache.txt" 2>/dev/null; then
    configure=(true)
fi
echo "== building the sanitized tests in $build"
if ! { "${configure[@]}" &&
       cmake --build "$build" --target tst_main_window tst_monkey; } >"$build/leak-check-build.log" 2>&1; then
    tail -n 40 "$build/leak-check-build.log"
    echo "FAIL: the build failed (log: $build/leak-check-build.log)"
    exit 1
fi

mkdir -p "$logs"
export QT_QPA_PLATFORM=offscreen
export MONKEY_ACTIONS=$actions
# Symbolized stacks deep enough to reach the program's frames under Qt's.
base_asan="detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=64:abort_on_error=0"

# Prints the leak blocks of a LeakSanitizer report that have a frame in src/.
own_leaks() {
    awk -v src="$root/src/" '
        /^(Direct|Indirect) leak of/ { if (block != "" && own) print block "\n"; block = $0; own = 0; next }
        block != "" && /^ *#[0-9]+ / { block = block "\n" $0; if (index($0, src)) own = 1; next }
        block != "" && /^$/ { if (own) print block "\n"; block = ""; own = 0 }
        END { if (block != "" && own) print block }
    ' "$1"
}

status=0
for test in tst_main_window tst_monkey; do
    exe=$(find "$build/tests" -name "$test" -type f -perm -u+x | head -n 1)
    raw=$logs/$test.raw.log
    clean=$logs/$test.suppressed.log

    echo "== $test: leaks of the program's own code"
    ASAN_OPTIONS=$base_asan "$exe" >"$raw" 2>&1 || true
    grep -Eq '^(Totals|PASS|FAIL)' "$raw" || { echo "$test did not run; see $raw"; status=1; continue; }
    if grep -q '^FAIL' "$raw"; then
        echo "$test failed under the sanitizer; see $raw"
        status=1
    fi
    own=$(own_leaks "$raw")
    if [ -n "$own" ]; then
        echo "$own"
        echo "FAIL: $test leaks from the program's sources (full report: $raw)"
        status=1
    else
        count=$(grep -cE '^(Direct|Indirect) leak of' "$raw" || true)
        if [ "$count" -eq 0 ]; then
            echo "none (no leak reported at all)"
        else
            echo "none ($count leak reports, all inside system libraries)"
        fi
    fi

    echo "== $test: with the system-library suppressions"
    if ASAN_OPTIONS=$base_asan LSAN_OPTIONS="suppressions=$supp:print_suppressions=1" "$exe" >"$clean" 2>&1 \
        && ! grep -q 'detected memory leaks' "$clean"; then
        sed -n '/Suppressions used:/,/^-\{10,\}$/p' "$clean"
        echo "clean"
    else
        grep -A12 -E '^(Direct|Indirect) leak of' "$clean" | head -n 60 || true
        echo "FAIL: $test reports leaks that scripts/lsan.supp does not cover (full report: $clean)"
        status=1
    fi
done

if [ "$status" -eq 0 ]; then
    echo "leak check passed"
fi
exit "$status"
