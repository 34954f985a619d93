#!/usr/bin/env bash
# Start-up time to a shown window and idle resident memory of the sidebar,
# against a bare Qt widgets window measured in the same run.
#   bench/startup.sh [runs]        (build first: make build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
build="$root/build"
measure="$build/bench/lf_bench_measure_startup"
[[ -x "$measure" ]] || { echo "build first: make build" >&2; exit 1; }

work=$(mktemp -d -t lf-bench-XXXXXX)
trap 'kill $wm_pid $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
source "$root/scripts/private-display.sh"
start_private_display "$work"
sleep 1
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cp -r "$build/bin" "$work/program"
touch "$work/program/Temp.ini"

run() { # label window-name program
  for i in $(seq "$runs"); do
    "$measure" "$2" 3 "$3" 2>>"$work/programs.log" | sed "s/^/$1 /"
  done
}
{
  run baseline "Baseline Window" "$build/bench/lf_bench_minimal_window"
  run sidebar "Lanternfly Desktop" "$work/program/lanternfly-desktop"
} >"$work/results"

python3 - "$work/results" "$runs" <<'PY'
import json, statistics, sys
rows = {}
for line in open(sys.argv[1]):
    label, data = line.split(" ", 1)
    rows.setdefault(label, []).append(json.loads(data))
med = {k: {m: statistics.median(r[m] for r in v) for m in ("shown_ms", "rss_kb")} for k, v in rows.items()}
b, s = med["baseline"], med["sidebar"]
print(f"runs per program: {sys.argv[2]} (medians)")
print(f"{'':10}{'shown (ms)':>12}{'resident (MB)':>15}")
for k in ("baseline", "sidebar"):
    print(f"{k:10}{med[k]['shown_ms']:12.1f}{med[k]['rss_kb']/1024:15.1f}")
print(f"ratio sidebar/baseline: start-up {s['shown_ms']/b['shown_ms']:.2f}x, memory {s['rss_kb']/b['rss_kb']:.2f}x")
PY
