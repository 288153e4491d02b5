#!/usr/bin/env bash
# Runs the window's benchmark under a virtual X display (Xvfb), as a player's desktop would run
# the window with a full record: first at rest, then again while stress-ng keeps both cores busy
# (sampler gaps, CPU share and memory beside a loaded machine).
#   bench/window_idle.sh [--seconds=N]   (after a build in build/)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bench() {
  xvfb-run -a -s "-screen 0 1280x1024x24" "$ROOT/build/bin/bench_window_idle" \
    --benchmark_counters_tabular=true "$@"
}
echo "== at rest"
bench "$@"
if ! command -v stress-ng >/dev/null; then
  echo "stress-ng is not installed (apt-get install stress-ng): no run under load" >&2
  exit 0
fi
echo "== under stress-ng --cpu 2"
stress-ng --cpu 2 --quiet &
load=$!
trap 'kill $load 2>/dev/null' EXIT
bench --benchmark_filter=BM_Window "$@"
