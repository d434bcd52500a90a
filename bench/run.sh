#!/usr/bin/env bash
# Measures every figure of BENCHMARKS.md in one run and writes the table: the Google Benchmark
# executables (engine, scan, worst cases; the compared methods; drawing and JPEG export on Qt's
# offscreen platform),
# then hyperfine on whole runs of the program (start-up, batch export of one project and of 50
# against gnuplot) and callgrind's count of the instructions of one batch export and of gnuplot.
# Usage: bench/run.sh BUILD_DIR OUTPUT.md   (what `make bench` runs, after building BUILD_DIR)
# BENCH_REPETITIONS (default 10), BENCH_RUNS (hyperfine runs, default 30) and BENCH_BATCH_RUNS
# (runs of the 50-project comparison, default 10) trade time for steadier medians.
set -euo pipefail

build=$(cd "$1" && pwd)
output=$2
root=$(cd "$(dirname "$0")/.." && pwd)
repetitions=${BENCH_REPETITIONS:-10}
runs=${BENCH_RUNS:-30}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Nothing of the user's: no display, no settings, no runtime folder.
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# Repetitions of each benchmark, in random order so that a noisy spell of the shared machine
# does not land on one benchmark only; the table takes the medians.
google=(--benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true
    --benchmark_min_time=0.1 --benchmark_report_aggregates_only=true --benchmark_format=json)

echo "Engine, scan and worst cases ($repetitions repetitions each)..."
"$build/bench/zerovane-bench" "${google[@]}" \
    --benchmark_filter='^BM_(Native|MuParser|Compiled|Evaluate)/|^BM_Scan(800)?/[057]$|^BM_Worst' \
    >"$work/core.json"
echo "The methods of the Compare methods window..."
"$build/bench/zerovane-methodsbench" "${google[@]}" >"$work/methods.json"
echo "DrawGraph and the JPEG export..."
"$build/bench/zerovane-plotbench" "${google[@]}" >"$work/plot.json"

# Three functions of the evaluator's suite (its rows 0, 5 and 7, as in plot_bench.cpp), as projects (for zerovane) and as gnuplot scripts
# drawing the same curve over the same view (the window's standard vertical range of [-3; 3] is
# [-3; 3]) with as many samples, into a 321 x 321 JPEG picture.
functions=("x^2-4" "sin(x)-cos(x)" "exp(-x)*sin(3*x)+r(abs(x))")
gnuplot_functions=("x**2-4" "sin(x)-cos(x)" "exp(-x)*sin(3*x)+sqrt(abs(x))")
for i in 0 1 2; do
    printf '"Zerovane"\r\n"%s"\r\n"-3"\r\n" 3"\r\n' "${functions[$i]}" >"$work/f$i.zvn"
    cat >"$work/f$i.gp" <<EOF
set terminal jpeg size 321,321
set output '$work/f$i.gp.jpg'
set samples 101
set xrange [-3:3]
set yrange [-3:3]
plot ${gnuplot_functions[$i]}
EOF
done

hyperfine_args=(--shell=none --warmup 3 --runs "$runs" --style none)

echo "Start-up to the first window ($runs runs)..."
ZEROVANE_QUIT_WHEN_SHOWN=1 hyperfine "${hyperfine_args[@]}" --export-json "$work/startup.json" \
    -n zerovane "$build/app/zerovane $work/f0.zvn" \
    -n qt "$build/bench/zerovane-qtbaseline"

# Whole runs alternate in rounds of a few runs each, so that a noisy spell of the shared
# machine lands on both programs; the table takes the medians of all runs.
rounds() {
    local name=$1 total=$2 per=$3
    shift 3
    for ((round = 0; round * per < total; round++)); do
        hyperfine --shell=none --style none --warmup 1 --runs "$per" \
            --export-json "$work/$name.round$round.json" "$@"
    done
}

echo "Batch export against gnuplot ($runs runs each, in rounds of 5)..."
for i in 0 1 2; do
    rounds "batch$i" "$runs" 5 \
        -n zerovane "$build/app/zerovane -x $work/f$i.zvn" \
        -n gnuplot "gnuplot $work/f$i.gp"
    # Both pictures must really be there, or the times mean nothing.
    for picture in "$work/f$i.zvn.jpg" "$work/f$i.gp.jpg"; do
        [ -s "$picture" ] || { echo "no picture written: $picture" >&2; exit 1; }
    done
done

# The instructions of one run of each, which the load of the machine does not change.
for program in zerovane gnuplot; do
    if [ $program = zerovane ]; then command=("$build/app/zerovane" -x "$work/f0.zvn"); else
        command=(gnuplot "$work/f0.gp"); fi
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "${command[@]}" 2>&1 |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p' >"$work/instructions.$program"
done

# 50 projects (the three functions in turn) in one --batch run, against 50 runs of gnuplot.
batch_runs=${BENCH_BATCH_RUNS:-10}
projects=()
: >"$work/gnuplot50.sh"
for ((k = 0; k < 50; k++)); do
    cp "$work/f$((k % 3)).zvn" "$work/p$k.zvn"
    projects+=("$work/p$k.zvn")
    echo "gnuplot $work/f$((k % 3)).gp" >>"$work/gnuplot50.sh"
done
echo "50 projects against 50 gnuplot runs ($batch_runs runs each, in rounds of 2)..."
rounds batch50 "$batch_runs" 2 \
    -n zerovane "$build/app/zerovane --batch ${projects[*]}" \
    -n gnuplot "sh $work/gnuplot50.sh"
for project in "${projects[@]}"; do
    [ -s "$project.jpg" ] && [ -s "$project.txt" ] || { echo "not written: $project" >&2; exit 1; }
done

load_after=$(cut -d' ' -f1-3 /proc/loadavg)
python3 "$root/bench/table.py" --work "$work" --started "$started" \
    --load "$load_before" "$load_after" --repetitions "$repetitions" --runs "$runs" \
    --batch-runs "$batch_runs" \
    --functions "${functions[@]}" >"$output.new"
mv "$output.new" "$output"
# The raw results stay in the build folder for a closer look.
mkdir -p "$build/bench-results"
cp "$work"/*.json "$build/bench-results/"
echo "Written: $output (raw results in $build/bench-results)"
