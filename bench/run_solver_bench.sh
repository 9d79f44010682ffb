#!/usr/bin/env bash
# Builds the solver in Release, writes the two benchmark models and times the
# real veltosol process on each (hyperfine when installed, otherwise a loop of
# wall-clock runs), printing the median; then runs solver_bench for the phase
# shares. Usage: bench/run_solver_bench.sh [RUNS]   (default 15 runs per model)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-15}
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVIK_BENCH=ON \
  -DTARVIK_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target veltosol make_solver_models solver_bench

veltosol=$(realpath "$build/solver/veltosol")
work=$(mktemp -d "${TMPDIR:-/tmp}/solver_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bench/make_solver_models" "$work"

# Median of the numbers on standard input, one a line.
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

for model in floor tower; do
  dir="$work/$model"
  (cd "$dir" && "$veltosol" >/dev/null) || { echo "veltosol failed on $model" >&2; exit 1; }
  dim=$(grep -m1 'DIM =' "$dir/VELTOSOL.OUT" | awk '{print $3}')
  neq=$(grep -m1 'D.O.F.=' "$dir/VELTOSOL.OUT" | sed 's/.*D.O.F.= *//')
  echo "== $model: NEQ $neq, DIM $dim"
  if command -v hyperfine >/dev/null; then
    hyperfine --warmup 2 --runs "$runs" --export-json "$work/$model.json" \
      "cd '$dir' && '$veltosol' >/dev/null" >/dev/null
    med=$(python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['results'][0]['median'])" \
      "$work/$model.json")
  else
    times=()
    for ((i = 0; i < runs; i++)); do
      start=$(date +%s.%N)
      (cd "$dir" && "$veltosol" >/dev/null)
      end=$(date +%s.%N)
      times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.6f", b - a}')")
    done
    med=$(printf '%s\n' "${times[@]}" | median)
  fi
  printf '%s: median of %d runs %.4f s\n' "$model" "$runs" "$med"
done

echo "== phase shares (percent of the summed phase times)"
"$build/bench/solver_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  2>/dev/null | grep -E '^(Benchmark|BM_.*_median)'
