#!/bin/sh
# The include check on small trees of one file each: what it lets through and what it names.
#
#   check_includes_test.sh CHECK_SCRIPT
set -eu
check=${1:?usage: check_includes_test.sh CHECK_SCRIPT}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failed=0
# Each row: the file, its include line, and what the check says of it ("" when it passes).
while IFS='|' read -r file include said; do
  rm -rf "$tree/app"
  mkdir -p "$tree/app/${file%/*}"
  printf '// a file\n%s\n' "$include" >"$tree/app/$file"
  if out=$(sh "$check" "$tree/app" 2>&1); then status=0; else status=$?; fi
  expected=""
  [ -z "$said" ] || expected="$tree/app/$file:2: $said"
  if [ "$out" != "$expected" ] || { [ -n "$said" ] && [ "$status" -eq 0 ]; } ||
    { [ -z "$said" ] && [ "$status" -ne 0 ]; }; then
    echo "FAILED: $file with $include: exit $status, said \"$out\", not \"$expected\""
    failed=1
  fi
done <<'ROWS'
session/session.cpp|#include "base/files.h"|
records/record.cpp|#include "records/archive.h"|
records/archive.cpp|#include "record.h"|
design/pin_monitor_rows.cpp|#include "port/watched_input.h"|
base/files.h|// #include "session/session.h"|
window/frm_tallix.cpp|#include <QWidget>|
counting/counter.h|#include "records/record.h"|"records/record.h" reaches from the layer counting to the layer records, above it
machine/machine_description.cpp|#include "simulation/machine.h"|"simulation/machine.h" reaches from the layer machine to the layer simulation, above it
session/session.cpp|  #  include "serve/live_server.h"|"serve/live_server.h" reaches from the layer session to the layer serve, above it
design/chart_axes.cpp|#include "serve/figures_json.h"|"serve/figures_json.h" reaches from the layer design to the layer serve, beside it
window/history.cpp|#include "win32/gdi.h"|"win32/gdi.h" reaches from the layer window to the layer win32, beside it
base/files.cpp|#include "port/port.h"|"port/port.h" reaches from the layer base to the layer port, above it
ROWS
exit $failed
