#!/usr/bin/env bash
# A play on the simulated machine at speed 2 whose window thread is held from outside, as a
# slow redraw, a disk or a dialog would hold it: 30 times for 300 ms. Then checks that the
# trace the program recorded is, change for change, the play tallix-sim writes for the same
# seed and speed, and that the record the program saved is what tallix-replay makes of that
# trace: no pulse lost. Runs without a display (Qt's offscreen platform); needs ptrace.
#   bench/stall_play.sh [SEED]   (after a build in build/)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN="$ROOT/build/bin"
SEED=${1:-9}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$BIN/tallix" "$BIN/libkirvoport.so" "$dir/"
cp "$ROOT/tools/sample-tallix.ini" "$dir/tallix.ini"

cd "$dir"
QT_QPA_PLATFORM=offscreen ./tallix --simulate=2 --seed "$SEED" --record-trace play.trace \
  2>/dev/null &
pid=$!
sleep 1
"$BIN/stall-thread" "$pid" 30 300 200
kill -TERM "$pid"
wait "$pid"

"$BIN/tallix-sim" --seed "$SEED" --speed 2 --games 1000 --trace machine.trace
lines=$(wc -l <play.trace)
if ! head -n "$lines" machine.trace | cmp -s - play.trace; then
  echo "FAILED: the recorded trace is not the machine's play"
  exit 1
fi
"$BIN/tallix-replay" --settings tallix.ini --save replay.log play.trace
data() { sed -n '/^\[data\]/,/^\[/p' "$1" | tr -d '\r' | grep -v '^\['; }
if ! diff <(data sim.log) <(data replay.log); then
  echo "FAILED: the saved record differs from the replay of the trace"
  exit 1
fi
pulses() { awk -v bit="$1" '{ on = int($2 / bit) % 2 == 0; if (on && !was) n++; was = on } END { print n + 0 }' play.trace; }
echo "held the window's thread 30 x 300 ms; the play had $lines changes, all recorded and counted:"
echo "  coin-in pulses $(pulses 1), coin-out pulses $(pulses 2), 5-pin pulses $(pulses 16)"
data sim.log | grep -E '^(in_count|out_count|no5|start_all_count)='
