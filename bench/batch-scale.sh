#!/usr/bin/env bash
# Scale of gasmeter-batch: the whole process on 10,000 points (target under 1 s),
# on 10,000 points sized with AGA8-92DC (target under 2 s), and 1,000,000 points
# streamed through CSV and JSON (target: peak resident memory under 64 MB, from
# /usr/bin/time -v). The inputs are generated here, a
# mix of every mode, both pressure forms, cabinet points and refused points.
#   bench/batch-scale.sh [build-dir]     (default build/default; builds the program)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build/default}
work=${BENCH_OUT:-build/bench-batch}
[ -x /usr/bin/time ] || { echo "bench/batch-scale.sh: /usr/bin/time missing (package time)" >&2; exit 1; }
cmake --build "$build_dir" --target gasmeter-batch >&2
program=$build_dir/src/batch/gasmeter-batch
mkdir -p "$work"

# points N FILE: N points cycling through a dozen kinds, the flows varied per point.
points() {
    awk -v n="$1" 'BEGIN {
        print "id;mode;families;qmax;qmin;pmax;pmax_unit;pmin;pmin_unit;p;p_unit;cabinet;variant;side;bypass;gauges;pout;pout_unit"
        for (i = 1; i <= n; i++) {
            k = i % 12; q = 20 + (i * 37) % 400; m = q / 10
            if (k == 0)       row = "1;;" q ";" m ";1;бар;0;бар;;;;;;;;;"
            else if (k == 1)  row = "1;011;" q ";" m ";;;;;6;бар;;;;;;;"
            else if (k == 2)  row = "2;;" q ";" m ";;;;;0.5;;;;;;;;"
            else if (k == 3)  row = "3;100;" q ";" m ";300;кПа;50;кПа;;;;;;;;;"
            else if (k == 4)  row = "3;;" q ";" m ";;;;;2;атм;;;;;;;"
            else if (k == 5)  row = "4;;" (1 + i % 9) ";0,1;;;;;2;;;;;;;;"
            else if (k == 6)  row = "5;;" q ";" m ";3;бар;1;бар;;;1;2;Слева;С байпасом;С манометрами;;"
            else if (k == 7)  row = "5;;" q ";" m ";0,3;МПа;0,1;МПа;;;2;2;Справа;;Без манометров;2,5;кПа"
            else if (k == 8)  row = "5;;" q ";" m ";6;бар;2;бар;;;3;1;Слева;;С манометрами;;"
            else if (k == 9)  row = "1;;" m ";" q ";0;бар;4.5;бар;;;;;;;;;"
            else if (k == 10) row = "2;;" q ";0;;;;;1;;;;;;;;"
            else              row = "1;;" q ";" m ";1;бар;ноль;бар;;;;;;;;;"
            print "\"Точка " i "\";" row
        }
    }' >"$2"
}

# aga8_points N FILE: N points sized with AGA8-92DC, in modes 1, 2, 3 and 5, the
# composition (seven components summing to 100) and the temperatures varied per point.
aga8_points() {
    awk -v n="$1" 'BEGIN {
        print "id;mode;qmax;qmin;pmax;pmin;p;cabinet;variant;side;bypass;gauges;method;t_min;t_max;" \
              "x_methane;x_nitrogen;x_carbon_dioxide;x_ethane;x_propane;x_isobutane;x_n_butane"
        for (i = 1; i <= n; i++) {
            k = i % 4; q = 20 + (i * 37) % 400; m = q / 10
            if (k == 0)      row = "1;" q ";" m ";" (1 + i % 5) ";0.5;;;;;;"
            else if (k == 1) row = "2;" q ";" m ";;;" (0.5 + i % 4) ";;;;;"
            else if (k == 2) row = "3;" q ";" m ";;;" (1 + i % 3) ";;;;;"
            else             row = "5;" q ";" m ";3;1;;1;2;Слева;С байпасом;С манометрами"
            ethane = 1 + (i % 30) / 10; nitrogen = 0.5 + (i % 20) / 10
            methane = 100 - ethane - nitrogen - 0.5 - 0.3 - 0.05 - 0.05
            print "\"Точка " i "\";" row ";aga8;" (-10 + i % 15) ";" (10 + i % 20) ";" \
                  methane ";" nitrogen ";0.5;" ethane ";0.3;0.05;0.05"
        }
    }' >"$2"
}

# measure LABEL FILE FORMAT OUTPUT: elapsed time and peak RSS of one run; exit
# status 0 or 1 (the generated input has refused points) is a run.
measure() {
    local label=$1 input=$2 format=$3 output=$4 log=$work/time.log rc=0
    /usr/bin/time -v "$program" --format "$format" -o "$output" "$input" >/dev/null 2>"$log" || rc=$?
    [ "$rc" -le 1 ] || { echo "$label: exit status $rc" >&2; tail -5 "$log" >&2; exit 1; }
    local elapsed rss
    elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$log")
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")
    awk -v l="$label" -v e="$elapsed" -v r="$rss" \
        'BEGIN { printf "%-34s %9s  peak RSS %6.1f MB\n", l, e, r / 1024 }'
}

points 10000 "$work/points-10k.csv"
aga8_points 10000 "$work/aga8-10k.csv"
points 1000000 "$work/points-1m.csv"
echo "gasmeter-batch, $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)"
for run in 1 2 3; do
    measure "10,000 points to a CSV file ($run)" "$work/points-10k.csv" csv "$work/out.csv"
done
measure "10,000 points to a JSON file" "$work/points-10k.csv" json "$work/out.json"
echo "10,000 points: $(grep -c . "$work/out.csv") CSV lines, $(stat -c %s "$work/out.json") bytes of JSON"
for run in 1 2 3; do
    measure "10,000 aga8 points to CSV ($run)" "$work/aga8-10k.csv" csv "$work/out.csv"
done
refused=$(grep -c ';error;' "$work/out.csv" || true)
echo "10,000 aga8 points: $(grep -c . "$work/out.csv") CSV lines, $refused refused"
# The million-point runs stream to standard output, thrown away (about 1 GB each).
measure "1,000,000 points, CSV, streamed" "$work/points-1m.csv" csv -
measure "1,000,000 points, JSON, streamed" "$work/points-1m.csv" json -
rm -f "$work"/out.*
