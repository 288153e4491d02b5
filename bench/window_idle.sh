#!/usr/bin/env bash
# Runs the window's idle benchmark under a virtual X display (Xvfb), as a player's desktop would
# run the window with a full record: first at rest, then again while stress-ng keeps both cores
# busy (sampler gaps, CPU share and memory beside a loaded machine). With --wine it measures
# tallix.exe under Wine instead (not on Windows itself), in the Wine prefix of the Windows build.
#   bench/window_idle.sh [--wine] [--seconds=N]   (after a build in build/; --wine: after
#                                                  ./scripts/test, which builds build-win64)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
display() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }
if [ "${1:-}" = --wine ]; then
  shift
  WIN="$ROOT/build-win64"
  export WINEPREFIX="$WIN/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # The prefix's Wine server and desktop end with the display they were started on.
  bench() {
    display sh -c 'wineserver -k 2>/dev/null; wine "$@"; s=$?; wineserver -k; exit $s' \
      sh "$WIN/bin/bench_win32_window_idle.exe" "$@"
  }
  under_load() { bench "$@"; }
else
  bench() { display "$ROOT/build/bin/bench_window_idle" --benchmark_counters_tabular=true "$@"; }
  under_load() { bench --benchmark_filter=BM_Window "$@"; }
fi
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
under_load "$@"
