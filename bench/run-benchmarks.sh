#!/usr/bin/env bash
# Builds the benchmark programs in a Release tree and prints one table of figures:
#   bench/run-benchmarks.sh
# Environment: BENCH_BUILD (build folder, default build/bench), BENCH_RUNS (runs
# whose median is taken, default 7), STARTUP_RUNS (start-ups of each program,
# default 15, at least 9). The benchmarks run on the offscreen platform; start-up is
# also measured under Xvfb when it is installed, against the floor of
# ../shared/perf/floor.cpp, in the Russian locale of the program's users.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="${BENCH_BUILD:-$root/build/bench}"
runs="${BENCH_RUNS:-7}"
export LC_ALL=C.UTF-8   # a point in every number printed and read here

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DGAS_BUILD_BENCHMARKS=ON >/dev/null
logs="$build/bench-logs"
mkdir -p "$logs"
if ! cmake --build "$build" --target bench_selection bench_windows bench_report bench_startup startup_floor \
    --parallel "$(nproc)" >"$logs/build.txt" 2>&1; then
    grep -E -A5 "error|FAILED" "$logs/build.txt" >&2
    exit 1
fi
bin="$build/bench"

# Runs one Qt Test benchmark program; its CSV lines ("function","tag","metric",
# value in ms,total,iterations) go to $logs/<name>.csv, its text log next to it.
run_qtest() {
    local name="$1"
    if ! QT_QPA_PLATFORM=offscreen "$bin/$name" -median "$runs" -o "$logs/$name.csv,csv" \
        -o "$logs/$name.txt,txt" >/dev/null 2>&1; then
        echo "$name failed:" >&2
        grep -E "^(FAIL!|   Loc:)" "$logs/$name.txt" >&2 || true
        exit 1
    fi
}

echo "Running the benchmarks ($runs runs each, median)..."
run_qtest bench_selection
run_qtest bench_windows
run_qtest bench_report

rows=()
# One table row per benchmark: label, median, target in ms (empty: none).
qtest_rows() {
    local file="$1"
    local line function tag ms label target
    while IFS= read -r line; do
        function="$(echo "$line" | cut -d, -f1 | tr -d '"')"
        tag="$(echo "$line" | cut -d, -f2 | tr -d '"')"
        ms="$(echo "$line" | cut -d, -f4)"
        case "$function" in
        catalogueTable) label="Product table read and parsed (once)"; target=2 ;;
        catalogueFill) label="Catalogue fill (ProductCatalogue::Fill)"; target="" ;;
        rangeSelection) label="RangeSelection, $tag"; target=0.05 ;;
        workingPressureSelection) label="WorkingPressureSelection, $tag"; target=0.05 ;;
        cabinetSelection) label="CabinetSelection, $tag"; target=0.05 ;;
        size) label="Size(), mode 2, $tag"
            case "$tag" in aga8) target=0.05 ;; gerg91) target=0.01 ;; *) target="" ;; esac ;;
        next) label="\"Далее\", $tag (handler)"; target=2 ;;
        nextAndPaint) label="\"Далее\", $tag (handler + repaint)"; target="" ;;
        windowSet) label="Window set made and destroyed"; target=150 ;;
        reportPdf) label="Report of 45 rows built, PDF written"; target=150 ;;
        reportXlsx) label="Workbook of 45 rows written"; target=50 ;;
        *) label="$function $tag"; target="" ;;
        esac
        rows+=("$label|$ms|$target")
    done <"$file"
}
qtest_rows "$logs/bench_selection.csv"
qtest_rows "$logs/bench_windows.csv"
qtest_rows "$logs/bench_report.csv"

# Start-up, as ../shared/perf/README.md says: the program and the floor started in
# turn, STARTUP_RUNS times each, each quitting as soon as its event loop runs with
# its main window shown; the medians of the whole process's wall time and of its
# peak RSS (/usr/bin/time -f %M), in ru_RU.UTF-8.
startup_runs="${STARTUP_RUNS:-15}"
[ "$startup_runs" -lt 9 ] && startup_runs=9
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

startup_rows() {
    local platform="$1" label="$2"
    local product_out="" floor_out="" i
    # One run: "<wall ms> <peak kB>".
    run_once() {
        local start peak_file peak
        peak_file="$(mktemp)"
        start=$EPOCHREALTIME
        GAS_QUIT_AFTER_SHOW=1 QT_QPA_PLATFORM="$platform" LC_ALL=ru_RU.UTF-8 \
            /usr/bin/time -o "$peak_file" -f %M "$bin/$1" >/dev/null 2>&1
        local end=$EPOCHREALTIME
        peak="$(tail -n1 "$peak_file")"
        rm -f "$peak_file"
        awk -v a="$start" -v b="$end" -v m="$peak" 'BEGIN { printf "%.2f %d\n", (b - a) * 1000, m }'
    }
    for ((i = 0; i < startup_runs; i++)); do
        product_out+="$(run_once bench_startup)"$'\n'
        floor_out+="$(run_once startup_floor)"$'\n'
    done
    local pt ft pm fm
    pt="$(echo "$product_out" | awk 'NF { print $1 }' | median)"
    ft="$(echo "$floor_out" | awk 'NF { print $1 }' | median)"
    pm="$(echo "$product_out" | awk 'NF { print $2 }' | median)"
    fm="$(echo "$floor_out" | awk 'NF { print $2 }' | median)"
    if [ -z "$pt" ] || [ -z "$ft" ]; then
        echo "start-up measurement on $platform gave no figures" >&2
        exit 1
    fi
    startup+=("$label|$pt|$ft|$pm|$fm")
}

startup=()
startup_rows offscreen "offscreen"
xvfb_pid=""
if command -v Xvfb >/dev/null; then
    display_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb_pid=$!
    trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid"; rm -f "$display_file"' EXIT
    for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
    if [ -s "$display_file" ]; then
        DISPLAY=":$(cat "$display_file")" startup_rows xcb "Xvfb (xcb)"
    fi
fi

# The table.
verdict() { # value target -> "yes"/"NO"/""
    [ -z "$2" ] && return 0
    awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t) ? "yes" : "NO" }'
}
pretty_ms() { # milliseconds -> "12.3 ms" or "4.56 µs"
    awk -v v="$1" 'BEGIN { if (v < 1) printf "%.2f µs", v * 1000; else printf "%.2f ms", v }'
}
# One table row; each cell padded to its width in characters (printf counts bytes).
table_row() { # width:text ...
    local line="|" cell width text
    for cell in "$@"; do
        width="${cell%%:*}"
        text="${cell#*:}"
        if [ "$width" -lt 0 ]; then # right-aligned
            width=$((-width))
            line+=" $(printf '%*s' $((width - ${#text})) '')$text |"
        else
            line+=" $text$(printf '%*s' $((width - ${#text})) '') |"
        fi
    done
    echo "$line"
}

echo
echo "Machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)," \
    "Qt $(grep -o 'Qt [0-9.]*' "$logs/bench_windows.txt" | head -n1 | cut -d' ' -f2), Release build"
echo
table_row "44:Measurement (median of $runs runs)" "-10:Time" "-10:Target" "3:Met"
table_row "44:---" "-10:---:" "-10:---:" "3:---"
for row in "${rows[@]}"; do
    IFS='|' read -r label ms target <<<"$row"
    t=""
    [ -n "$target" ] && t="$(awk -v v="$target" 'BEGIN { if (v < 1) printf "< %g µs", v * 1000; else printf "< %g ms", v }')"
    table_row "44:$label" "-10:$(pretty_ms "$ms")" "-10:$t" "3:$(verdict "$ms" "$target")"
done
echo
table_row "10:Start-up" "-9:Program" "-12:Floor" "-5:Ratio" "3:Met" "-12:Program peak" \
    "-10:Floor peak" "-5:Ratio" "3:Met"
table_row "10:---" "-9:---:" "-12:---:" "-5:---:" "3:---" "-12:---:" "-10:---:" "-5:---:" "3:---"
for row in "${startup[@]}"; do
    IFS='|' read -r label pt ft pm fm <<<"$row"
    ratio="$(awk -v a="$pt" -v b="$ft" 'BEGIN { printf "%.2f", a / b }')"
    mratio="$(awk -v a="$pm" -v b="$fm" 'BEGIN { printf "%.2f", a / b }')"
    table_row "10:$label" "-9:$(printf '%.1f ms' "$pt")" "-12:$(printf '%.1f ms' "$ft")" "-5:$ratio" \
        "3:$(verdict "$ratio" 1.2)" "-12:$(awk -v k="$pm" 'BEGIN { printf "%.1f MB", k / 1024 }')" \
        "-10:$(awk -v k="$fm" 'BEGIN { printf "%.1f MB", k / 1024 }')" "-5:$mratio" "3:$(verdict "$mratio" 1.15)"
done
echo
echo "\"Далее\": the target is for the handler (reading, conversion, selection, grid fill);"
echo "the repaint row adds the painting of the results window it changed."
echo "Start-up: the whole process, from exec to its exit once its event loop runs with the main"
echo "window shown, median of $startup_runs runs in turn with the floor (../shared/perf/floor.cpp),"
echo "LC_ALL=ru_RU.UTF-8 (target: within 1.2x); peak memory is the peak RSS (target: within 1.15x)."
echo "Logs: $logs"
