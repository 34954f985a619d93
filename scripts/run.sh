#!/usr/bin/env bash
# Starts the sidebar from the program folder. Without a display it starts a
# private Xvfb with openbox, keeps a screenshot up to date and runs until Ctrl-C.
set -euo pipefail
bin_dir=$(cd "${1:-build/bin}" && pwd)
program="$bin_dir/lanternfly-desktop"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi
if [[ -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$program"
fi

work=$(mktemp -d -t lanternfly-run-XXXXXX)
screenshot="$(dirname "$bin_dir")/screenshot.png"
source "$(dirname "$0")/private-display.sh"
start_private_display "$work"

cleanup() {
  trap - INT TERM EXIT
  [[ -n "${app_pid:-}" ]] && kill -TERM "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null || true
  kill "$wm_pid" "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup INT TERM EXIT

sleep 0.5
"$program" &
app_pid=$!
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Lanternfly Desktop$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
import -window root "$screenshot"
cat <<MSG
No display found: the sidebar runs under Xvfb on $DISPLAY (1280x1024, openbox).
  Screenshot (refreshed every 10 s): $screenshot
  Desktop-search results server:     http://127.0.0.1:4775/
Press Ctrl-C to stop.
MSG
while kill -0 "$app_pid" 2>/dev/null; do
  sleep 10
  import -window root "$screenshot" 2>/dev/null || true
done
