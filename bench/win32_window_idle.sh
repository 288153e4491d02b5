#!/usr/bin/env bash
# Runs tallix.exe's idle-window benchmark under Wine on a virtual X display (Xvfb), as measured
# under Wine (not on Windows itself): first at rest, then again while stress-ng keeps both cores
# busy. Uses the Wine prefix of the Windows build.
#   bench/win32_window_idle.sh [--seconds=N]   (after ./scripts/test, which builds build-win64)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WIN="$ROOT/build-win64"
export WINEPREFIX="$WIN/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bench() {
  # The prefix's Wine server and desktop end with the display they were started on.
  xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wineserver -k 2>/dev/null; wine "$@"; s=$?; wineserver -k; exit $s' \
    sh "$WIN/bin/bench_win32_window_idle.exe" "$@"
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
bench "$@"
