#!/bin/bash
# Builds and runs the upcoming-events refresh benchmark and prints, for each
# table, how many times faster the refresh is than the step-by-step widening
# measured in the same run.
# Usage: bench/organizer/run.sh [build-dir]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target lf_bench_upcoming_refresh >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build/bench/lf_bench_upcoming_refresh" --benchmark_format=json --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true >"$out"
python3 - "$out" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
median = {r["run_name"].split("/", 1)[1]: r["real_time"]
          for r in runs if r.get("aggregate_name") == "median"}
print(f"{'table':<18} {'step-by-step (us)':>18} {'refresh (us)':>14} {'speed-up':>10}")
for name in sorted({k.rsplit('_', 1)[0] for k in median}):
    base, new = median[name + "_baseline"], median[name + "_refresh"]
    print(f"{name:<18} {base:>18.1f} {new:>14.1f} {base / new:>9.1f}x")
PY
