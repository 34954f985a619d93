#!/usr/bin/env bash
# Results-server benchmark: wrk against result pages for a common and a rare
# phrase over a generated corpus, reported as ratios to the same server
# answering a static picture (the floor of the server itself).
#   bench/search/run_bench.sh [build dir] [files]
# Needs the targets lanternfly-index and lf_results_bench_server built.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
files=${2:-5000}
duration=${DURATION:-10s}
connections=${CONNECTIONS:-8}

if ! command -v wrk >/dev/null; then
    if [ "$(id -u)" = 0 ]; then apt-get install -y wrk >/dev/null; else sudo apt-get install -y wrk >/dev/null; fi
fi
for tool in "$build/bin/lanternfly-index" "$build/bench/lf_results_bench_server"; do
    [ -x "$tool" ] || { echo "missing $tool: build it first" >&2; exit 2; }
done

work=$(mktemp -d)
server=""
cleanup() { [ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$work/corpus" "$XDG_CONFIG_HOME/lanternfly-desktop" "$XDG_RUNTIME_DIR" "$work/program"
chmod 700 "$XDG_RUNTIME_DIR"

# Corpus: every file holds filler words; one in 5 holds the common phrase,
# one in 1000 the rare one.
python3 - "$work/corpus" "$files" <<'PY'
import os, random, sys
folder, count = sys.argv[1], int(sys.argv[2])
random.seed(7)
words = ("alpha beta gamma delta river stone cloud paper window garden yellow orange "
         "market engine silver planet forest summer winter letter number travel").split()
for i in range(count):
    sub = os.path.join(folder, "d%02d" % (i % 50))
    os.makedirs(sub, exist_ok=True)
    text = [random.choice(words) for _ in range(300)]
    if i % 5 == 0:
        text.insert(random.randrange(300), "quarterly report")
    if i % 1000 == 0:
        text.insert(random.randrange(300), "zanzibar lighthouse")
    with open(os.path.join(sub, "file%05d.txt" % i), "w") as f:
        f.write(" ".join(text))
PY
printf '[Catalog]\nFolders=%s\n' "$work/corpus" > "$XDG_CONFIG_HOME/lanternfly-desktop/ContentIndex.ini"
"$build/bin/lanternfly-index" update >/dev/null
cp -r "$build/bin/images" "$work/program/images"

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
"$build/bench/lf_results_bench_server" "$work/program" "$port" > "$work/server.out" 2>&1 &
server=$!
for _ in $(seq 100); do grep -q listening "$work/server.out" && break; sleep 0.1; done

run() { # name path -> "rps p50_ms p99_ms"
    wrk -t2 -c"$connections" -d"$duration" --latency -H "Host: 127.0.0.1:$port" \
        "http://127.0.0.1:$port$2" > "$work/$1.txt"
    python3 - "$work/$1.txt" <<'PY'
import re, sys
text = open(sys.argv[1]).read()
def ms(v, unit): return float(v) * {"us": 0.001, "ms": 1.0, "s": 1000.0}[unit]
rps = float(re.search(r"Requests/sec:\s+([\d.]+)", text).group(1))
lat = {m.group(1): ms(m.group(2), m.group(3))
       for m in re.finditer(r"^\s+(\d+)%\s+([\d.]+)(us|ms|s)\s*$", text, re.M)}
print(rps, lat["50"], lat["99"])
PY
}

read -r floor_rps floor_p50 floor_p99 < <(run floor "/images/logo.gif")
printf '%-26s %10s %9s %9s %9s %9s\n' case req/s p50_ms p99_ms p50_ratio rps_ratio
printf '%-26s %10.0f %9.3f %9.3f %9s %9s\n' "static picture (floor)" "$floor_rps" "$floor_p50" "$floor_p99" 1.00 1.00
for case in "common:/?s=relevancy&p=0&q=quarterly+report" "common_page5:/?s=size&p=60&q=quarterly+report" \
            "rare:/?s=relevancy&p=0&q=zanzibar+lighthouse"; do
    name=${case%%:*}; path=${case#*:}
    read -r rps p50 p99 < <(run "$name" "$path")
    python3 -c "import sys; n,r,a,b,fr,fa=sys.argv[1:]; print('%-26s %10.0f %9.3f %9.3f %9.2f %9.2f' % (n, float(r), float(a), float(b), float(a)/float(fa), float(fr)/float(r)))" \
        "results $name" "$rps" "$p50" "$p99" "$floor_rps" "$floor_p50"
done
echo "corpus: $files files; common phrase in $((files / 5)), rare in $(( (files + 999) / 1000 )); wrk $connections connections, $duration"
