#!/usr/bin/env bash
# How well `tallix-replay --estimate` knows the setting of the typical machine: plays of 3,000,
# 6,000 and 10,000 games (120 of each by default), each at a setting drawn uniformly, played by
# tallix-sim and estimated by tallix-replay three ways: from every payout per game; from BIG,
# REG and the three small wins of tools/sample-tallix.ini alone (the record without its payouts,
# as an older program kept it); from BIG and REG alone. For each: the mean probability given to
# the true setting and the mean of the sum of the squared probabilities. An estimate that is
# calibrated gives the two the same mean; the higher the first, the more it knows.
#   bench/setting_calibration.sh [PLAYS]   (after a build in build/)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN="$ROOT/build/bin"
PLAYS=${1:-120}
SAMPLE="$ROOT/tools/sample-tallix.ini"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# estimate TRUE: reads setting1=P .. setting6=P and prints "P(true) sum(P^2)".
estimate() {
  awk -F= -v true="setting$1" '{ if ($1 == true) t = $2; s += $2 * $2 } END { print t, s }'
}

RANDOM=28  # the settings drawn are the same at every run
printf '%-7s %-28s %-12s %-12s %s\n' games estimate "P(true)" "sum P^2" difference
for games in 3000 6000 10000; do
  : >"$dir/payouts" >"$dir/wins" >"$dir/bigreg"
  for ((play = 1; play <= PLAYS; ++play)); do
    setting=$((RANDOM % 6 + 1))
    "$BIN/tallix-sim" --seed $((games + play)) --games "$games" --setting "$setting" \
      --trace "$dir/play.trace"
    "$BIN/tallix-replay" --settings "$SAMPLE" --save "$dir/play.log" --estimate \
      "$dir/play.trace" | estimate "$setting" >>"$dir/payouts"
    sed '/^\[payouts\]/,$d' "$dir/play.log" >"$dir/older.log"
    "$BIN/tallix-replay" --settings "$SAMPLE" --load "$dir/older.log" --estimate - </dev/null |
      estimate "$setting" >>"$dir/wins"
    "$BIN/tallix-replay" --load "$dir/older.log" --estimate - </dev/null |
      estimate "$setting" >>"$dir/bigreg"
  done
  for way in payouts:"every payout" wins:"BIG, REG and 3 small wins" bigreg:"BIG and REG alone"; do
    awk -v games="$games" -v way="${way#*:}" '{ t += $1; s += $2; n++ }
      END { printf "%-7s %-28s %-12.4f %-12.4f %+.4f\n", games, way, t / n, s / n, t / n - s / n }' \
      "$dir/${way%%:*}"
  done
done
