#!/usr/bin/env bash
# gasmeter-batch at fleet scale: the example mix of bench/batch-scale.sh (every mode,
# both pressure forms, cabinet points, refused points) at 10,000, 100,000 and
# 1,000,000 points, and 1,000,000 points sized with AGA8-92DC, through CSV and JSON,
# to a file and to /dev/null, on one thread (--jobs 1) and on two; each run is the
# whole process under /usr/bin/time -v (wall time, CPU time, peak resident memory).
# Targets: 1,000,000 points of the mix under 10 s, of aga8 under 15 s, peak memory
# under 32 MB whatever the number of points.
#   bench/batch-fleet.sh [build-dir] [runs]   (default build/bench, a Release build
#                                              of gasmeter-batch; 1 run of each)
# The machine may be shared: the load average is printed before each group of runs,
# and the runs can be repeated (runs) to see how far the times move.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build/bench}
runs=${2:-1}
work=${BENCH_OUT:-build/bench-fleet}
[ -x /usr/bin/time ] || { echo "bench/batch-fleet.sh: /usr/bin/time missing (package time)" >&2; exit 1; }
cmake --build "$build_dir" --target gasmeter-batch >&2
program=$build_dir/src/batch/gasmeter-batch
mkdir -p "$work"

# The generators of bench/batch-scale.sh, taken from it so that both measure the same mix.
eval "$(sed -n '/^points() {/,/^}/p;/^aga8_points() {/,/^}/p' bench/batch-scale.sh)"

# measure LABEL FILE FORMAT OUTPUT JOBS: one run; exit status 0 or 1 (the mix has
# refused points) is a run.
measure() {
    local label=$1 input=$2 format=$3 output=$4 jobs=$5 log=$work/time.log rc=0
    /usr/bin/time -v "$program" --quiet --jobs "$jobs" --format "$format" -o "$output" "$input" \
        >/dev/null 2>"$log" || rc=$?
    [ "$rc" -le 1 ] || { echo "$label: exit status $rc" >&2; tail -5 "$log" >&2; exit 1; }
    local elapsed user system rss
    elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$log")
    user=$(sed -n 's/.*User time (seconds): //p' "$log")
    system=$(sed -n 's/.*System time (seconds): //p' "$log")
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")
    awk -v l="$label" -v e="$elapsed" -v u="$user" -v s="$system" -v r="$rss" \
        'BEGIN { printf "%-46s %9s  CPU %6.2f s  peak RSS %5.1f MB\n", l, e, u + s, r / 1024 }'
}

load() { echo "-- load average: $(cut -d' ' -f1-3 /proc/loadavg)"; }

points 10000 "$work/points-10k.csv"
points 100000 "$work/points-100k.csv"
points 1000000 "$work/points-1m.csv"
aga8_points 1000000 "$work/aga8-1m.csv"
echo "gasmeter-batch, $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)"
for run in $(seq "$runs"); do
    for size in 10k 100k 1m; do
        load
        for format in csv json; do
            for jobs in 1 2; do
                measure "$size points, $format to a file, --jobs $jobs" "$work/points-$size.csv" "$format" \
                    "$work/out.$format" "$jobs"
            done
            measure "$size points, $format to /dev/null, --jobs 2" "$work/points-$size.csv" "$format" /dev/null 2
        done
    done
    load
    for jobs in 1 2; do
        measure "1m aga8 points, csv to a file, --jobs $jobs" "$work/aga8-1m.csv" csv "$work/out.csv" "$jobs"
    done
    measure "1m aga8 points, json to /dev/null, --jobs 2" "$work/aga8-1m.csv" json /dev/null 2
done
echo "1m points: $(stat -c %s "$work/points-1m.csv") bytes of input"
rm -f "$work"/out.*
