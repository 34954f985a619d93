#!/usr/bin/env bash
# Indexing and phrase-query speed of lanternfly-index against the tools a user
# would pick instead (tracker3, recoll, ripgrep) and against a bare FTS5 bulk
# insert of the same extracted text, all in one run on one corpus.
#   bench/indexer/run.sh [build-dir]     (default: build; build it first)
# Environment: LF_BENCH_DIR (work folder, default /var/tmp/lf-index-bench; not
# under /tmp, which tracker skips), LF_BENCH_SKIP (tools to leave out, e.g.
# "recoll tracker"), LF_BENCH_RUNS (query repetitions, default 5).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
index="$build/bin/lanternfly-index"
latency="$build/bench/lf_bench_index_query"
[[ -x "$index" && -x "$latency" ]] || { echo "build first (lanternfly-index, lf_bench_index_query)" >&2; exit 1; }
work=${LF_BENCH_DIR:-/var/tmp/lf-index-bench}
skip=" ${LF_BENCH_SKIP:-} "
runs=${LF_BENCH_RUNS:-5}
corpus="$work/corpus"
results="$work/results.tsv"

# The corpus and the other tools come from Debian packages; installed here,
# not by the project's package list, since only this benchmark needs them.
doc_packages="cppreference-doc-en-html linux-doc openjdk-17-doc python3.11-doc"
tool_packages="tracker tracker-miner-fs tracker-extract recoll ripgrep time sqlite3 dbus libglib2.0-bin"
sudo=""; [[ $(id -u) == 0 ]] || sudo=sudo
missing=$(for p in $doc_packages $tool_packages; do dpkg -s "$p" >/dev/null 2>&1 || echo "$p"; done)
if [[ -n "$missing" ]]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# The corpus: the HTML and text of the doc packages and /usr/share/doc, copied
# with links resolved so every tool sees the same plain files.
if [[ ! -f "$work/corpus.done" ]]; then
  rm -rf "$corpus"; mkdir -p "$corpus"
  for source in /usr/share/doc /usr/share/cppreference/doc; do
    [[ -d $source ]] && cp -rL "$source" "$corpus/$(echo "${source#/usr/share/}" | tr / _)" 2>/dev/null || true
  done
  find "$corpus" -name '.*' -prune -exec rm -rf {} + 2>/dev/null || true
  touch "$work/corpus.done"
fi
files=$(find "$corpus" -type f | wc -l)
bytes=$(du -sb "$corpus" | cut -f1)
mb=$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }')
echo "corpus: $corpus, $files files, $mb MB (cppreference, linux-doc, openjdk-17-doc, python3.11-doc, /usr/share/doc)"
# Warm the page cache, so every tool reads from memory alike.
tar cf - "$corpus" 2>/dev/null | cat >/dev/null

: >"$results"
record() { printf '%s\t%s\t%s\n' "$1" "$2" "$3" | tee -a "$results"; }
seconds() { awk -v s="$1" -v e="$2" 'BEGIN { printf "%.2f", e - s }'; }
now() { date +%s.%N; }
size_mb() { du -sb "$@" 2>/dev/null | awk '{ s += $1 } END { printf "%.1f", s / 1e6 }'; }

phrases_common=("for example" "return value")
phrases_rare=("bitwise inclusive or" "zipimport")
phrase_absent="marmalade quasar lantern"

# --- lanternfly-index ---------------------------------------------------------
ours="$work/ours"; rm -rf "$ours"; mkdir -p "$ours/config/lanternfly-desktop" "$ours/cache"
printf '[Catalog]\nFolders=%s\nExclude=\n' "$corpus" >"$ours/config/lanternfly-desktop/ContentIndex.ini"
export XDG_CONFIG_HOME="$ours/config" XDG_CACHE_HOME="$ours/cache"
/usr/bin/time -f '%e %M' -o "$work/ours.time" "$index" update 2>"$work/ours.log"
read -r ours_s ours_kb <"$work/ours.time"
catalog="$ours/cache/lanternfly-desktop/catalog.db"
record ours index_s "$ours_s"
record ours peak_mb "$(awk -v k="$ours_kb" 'BEGIN { printf "%.1f", k / 1024 }')"
record ours size_mb "$(size_mb "$catalog" "$catalog-wal")"
tail -1 "$work/ours.log"

# --- bare FTS5 insert of the same text: the floor of this design ---------------
bare="$work/bare.db"; rm -f "$bare"
start=$(now)
sqlite3 "$bare" "PRAGMA journal_mode=WAL; ATTACH '$catalog' AS c;
  CREATE VIRTUAL TABLE t USING fts5(name, body, tokenize = 'unicode61 remove_diacritics 2');
  INSERT INTO t(rowid, name, body) SELECT rowid, name, body FROM c.text;" >/dev/null
record bare_fts5 index_s "$(seconds "$start" "$(now)")"
record bare_fts5 size_mb "$(size_mb "$bare" "$bare-wal")"

# --- queries: ours in-process and by the command line, ripgrep ----------------
query_ours() { "$latency" "$catalog" "$runs" "$@"; }
for p in "${phrases_common[@]}" "${phrases_rare[@]}" "$phrase_absent"; do
  line=$(query_ours "$p")
  record ours "query_ms[$p] hits=$(cut -f2 <<<"$line")" "$(cut -f3 <<<"$line")"
  start=$(now); for _ in $(seq "$runs"); do "$index" search "$p" >/dev/null || true; done
  record ours_cli "query_ms[$p]" "$(awk -v s="$start" -v e="$(now)" -v n="$runs" 'BEGIN { printf "%.2f", (e - s) * 1000 / n }')"
  if [[ $skip != *" rg "* ]]; then
    start=$(now); for _ in $(seq "$runs"); do rg -F -l -i -- "$p" "$corpus" >/dev/null || true; done
    record rg "query_ms[$p] hits=$(rg -F -l -i -- "$p" "$corpus" | wc -l)" "$(awk -v s="$start" -v e="$(now)" -v n="$runs" 'BEGIN { printf "%.2f", (e - s) * 1000 / n }')"
  fi
done

# --- recoll --------------------------------------------------------------------
if [[ $skip != *" recoll "* ]]; then
  rc="$work/recoll"; rm -rf "$rc"; mkdir -p "$rc"
  printf 'topdirs = %s\nloglevel = 1\n' "$corpus" >"$rc/recoll.conf"
  /usr/bin/time -f '%e %M' -o "$work/recoll.time" recollindex -c "$rc" >/dev/null 2>&1 || true
  read -r rc_s rc_kb <"$work/recoll.time"
  record recoll index_s "$rc_s"
  record recoll peak_mb "$(awk -v k="$rc_kb" 'BEGIN { printf "%.1f", k / 1024 }')"
  record recoll size_mb "$(size_mb "$rc/xapiandb")"
  for p in "${phrases_common[@]}" "${phrases_rare[@]}" "$phrase_absent"; do
    start=$(now); for _ in $(seq "$runs"); do recollq -c "$rc" -b "\"$p\"" >/dev/null 2>&1 || true; done
    record recoll "query_ms[$p] hits=$(recollq -c "$rc" -b "\"$p\"" 2>/dev/null | wc -l)" "$(awk -v s="$start" -v e="$(now)" -v n="$runs" 'BEGIN { printf "%.2f", (e - s) * 1000 / n }')"
  done
fi

# --- tracker3, with a private D-Bus session and private data folders -----------
if [[ $skip != *" tracker "* ]]; then
  tr="$work/tracker"; rm -rf "$tr"; mkdir -p "$tr"/{data,cache,config,runtime}; chmod 700 "$tr/runtime"
  cat >"$work/tracker-run.sh" <<TRACKER
set -u
export XDG_DATA_HOME="$tr/data" XDG_CACHE_HOME="$tr/cache" XDG_CONFIG_HOME="$tr/config" XDG_RUNTIME_DIR="$tr/runtime"
export GSETTINGS_BACKEND=keyfile
schema=org.freedesktop.Tracker3.Miner.Files
gsettings set \$schema index-recursive-directories "['$corpus']"
gsettings set \$schema index-single-directories "[]"
gsettings set \$schema index-on-battery true
gsettings set \$schema index-on-battery-first-time true
gsettings set \$schema initial-sleep 0
gsettings set \$schema throttle 0
gsettings set \$schema enable-monitors false
start=\$(date +%s.%N)
/usr/libexec/tracker-miner-fs-3 >/dev/null 2>&1 &
miner=\$!
status() { gdbus call --session --dest org.freedesktop.Tracker3.Miner.\$1 --object-path /org/freedesktop/Tracker3/Miner/\$2 --method org.freedesktop.Tracker3.Miner.GetStatus 2>/dev/null; }
sleep 2
idle=0
for _ in \$(seq 36000); do
  files=\$(status Files Files); extract=\$(status Extract Extract)
  if [[ \$files == *Idle* && ( -z \$extract || \$extract == *Idle* ) ]]; then idle=\$((idle + 1)); else idle=0; fi
  [[ \$idle -ge 3 ]] && break
  sleep 0.1
done
end=\$(date +%s.%N)
hwm=0
for pid in \$miner \$(pgrep -f tracker-extract-3 || true); do
  kb=\$(awk '/VmHWM/ { print \$2 }' /proc/\$pid/status 2>/dev/null || echo 0); hwm=\$((hwm + kb))
done
printf 'index_s\t%s\n' "\$(awk -v s=\$start -v e=\$end 'BEGIN { printf "%.2f", e - s - 0.3 }')"
printf 'peak_mb\t%s\n' "\$(awk -v k=\$hwm 'BEGIN { printf "%.1f", k / 1024 }')"
for p in "${phrases_common[@]}" "${phrases_rare[@]}" "$phrase_absent"; do
  q="SELECT ?u WHERE { ?u fts:match '\"\$p\"' } ORDER BY DESC(fts:rank(?u))"
  hits=\$(tracker3 sparql --dbus-service org.freedesktop.Tracker3.Miner.Files -q "\$q" 2>/dev/null | grep -c 'file://' || true)
  s=\$(date +%s.%N)
  for _ in \$(seq $runs); do tracker3 sparql --dbus-service org.freedesktop.Tracker3.Miner.Files -q "\$q" >/dev/null 2>&1; done
  printf 'query_ms[%s] hits=%s\t%s\n' "\$p" "\$hits" "\$(awk -v s=\$s -v e=\$(date +%s.%N) -v n=$runs 'BEGIN { printf "%.2f", (e - s) * 1000 / n }')"
done
kill \$miner 2>/dev/null; pkill -f tracker-extract-3 2>/dev/null || true
TRACKER
  # Tab-separated, since the phrases hold blanks.
  dbus-run-session -- bash "$work/tracker-run.sh" 2>/dev/null | while IFS=$'\t' read -r key value; do
    record tracker "$key" "$value"
  done
  record tracker size_mb "$(size_mb "$tr/cache/tracker3")"
fi

# --- ratios --------------------------------------------------------------------
echo
echo "ratios (how many times better lanternfly-index is; above 1 is better):"
get() { awk -F'\t' -v t="$1" -v k="$2" '$1 == t && index($2, k) == 1 { print $3; exit }' "$results"; }
ratio() { local a b; a=$(get "$2" "$3"); b=$(get "$4" "$5"); [[ -n $a && -n $b ]] && awk -v a="$a" -v b="$b" -v l="$1" 'BEGIN { if (a > 0) printf "  %-48s %8.2f\n", l, b / a }' || true; }
echo "  index MB/s ours: $(awk -v m="$mb" -v s="$(get ours index_s)" 'BEGIN { printf "%.1f", m / s }'), files/s: $(awk -v f="$files" -v s="$(get ours index_s)" 'BEGIN { printf "%.0f", f / s }')"
ratio "index time vs tracker3" ours index_s tracker index_s
ratio "index time vs recollindex" ours index_s recoll index_s
ratio "index time vs bare FTS5 insert (floor; >= 0.67 wanted)" ours index_s bare_fts5 index_s
ratio "catalogue size vs tracker3" ours size_mb tracker size_mb
ratio "catalogue size vs recoll" ours size_mb recoll size_mb
ratio "peak memory vs tracker3" ours peak_mb tracker peak_mb
for p in "${phrases_common[@]}" "${phrases_rare[@]}" "$phrase_absent"; do
  ratio "query [$p] vs rg" ours "query_ms[$p]" rg "query_ms[$p]"
  ratio "query [$p] vs tracker3" ours "query_ms[$p]" tracker "query_ms[$p]"
  ratio "query [$p] vs recollq" ours "query_ms[$p]" recoll "query_ms[$p]"
  ratio "command-line query [$p] vs rg" ours_cli "query_ms[$p]" rg "query_ms[$p]"
done
echo "raw results: $results"
