#!/usr/bin/env bash
# Runs the window's idle-polling benchmark under a virtual X display (Xvfb), as a player's
# desktop would run the window: ticks per second, p99 gap between ticks, CPU share, memory.
#   bench/window_idle.sh [--seconds=N]   (after a build in build/)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$ROOT/build/bin/bench_window_idle" \
  --benchmark_counters_tabular=true "$@"
