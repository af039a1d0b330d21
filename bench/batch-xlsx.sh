#!/usr/bin/env bash
# The batch workbook at scale: 20,000 mode-1 points (about 800,000 table rows) to an
# xlsx file, measured as a whole process with /usr/bin/time -v (target: peak
# resident memory under 100 MB, whatever the number of rows), and 27,000 such
# points, whose table is longer than a sheet's 1,048,576 rows: refused at once,
# with no file left.
#   bench/batch-xlsx.sh [build-dir]     (default build/default; builds the program)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build/default}
work=${BENCH_OUT:-build/bench-batch}
[ -x /usr/bin/time ] || { echo "bench/batch-xlsx.sh: /usr/bin/time missing (package time)" >&2; exit 1; }
cmake --build "$build_dir" --target gasmeter-batch >&2
program=$build_dir/src/batch/gasmeter-batch
mkdir -p "$work"

# mode1_points N FILE: N points of mode 1, 100 m3/h at 1 to 0 bar, 41 table rows each.
mode1_points() {
    awk -v n="$1" 'BEGIN {
        print "id;mode;families;qmax;qmin;pmax;pmax_unit;pmin;pmin_unit"
        for (i = 1; i <= n; i++)
            print "\"Точка " i "\";1;111;100;" (10 + i % 3) ";1;бар;0;бар"
    }' >"$2"
}

# measure LABEL FILE OUTPUT: status, elapsed time and peak RSS of one run.
measure() {
    local label=$1 input=$2 output=$3 log=$work/time.log rc=0
    rm -f "$output"
    /usr/bin/time -v "$program" --format xlsx -o "$output" "$input" >/dev/null 2>"$log" || rc=$?
    local elapsed rss
    elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$log")
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")
    awk -v l="$label" -v e="$elapsed" -v r="$rss" -v s="$rc" \
        'BEGIN { printf "%-44s %9s  peak RSS %6.1f MB  exit %d\n", l, e, r / 1024, s }'
    grep '^gasmeter-batch:' "$log" >&2 || true
}

mode1_points 20000 "$work/mode1-20k.csv"
mode1_points 27000 "$work/mode1-27k.csv"
rows=$("$program" "$work/mode1-20k.csv" | wc -l)
echo "gasmeter-batch, $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)"
measure "20,000 points of mode 1 ($((rows - 1)) rows) to xlsx" "$work/mode1-20k.csv" "$work/out.xlsx"
ls -l "$work/out.xlsx" | awk '{ printf "  workbook: %.1f MB\n", $5 / 1048576 }'
measure "27,000 points of mode 1 to xlsx (refused)" "$work/mode1-27k.csv" "$work/out27.xlsx"
if [ -e "$work/out27.xlsx" ]; then echo "  a file was left behind" >&2; exit 1; fi
