#!/bin/sh
# Fails on an include that goes up a layer of app/ or across to a folder beside its own: every
# #include "folder/..." in app/ names its own folder or one of a layer below. Each such include
# is named with its file, line and the two layers.
#
#   check_includes.sh APP_DIR
set -eu
app=${1:?usage: check_includes.sh APP_DIR}
# The layers, lowest first. Folders joined by "," form one layer and stand beside each other:
# neither includes the other.
layers='base port counting records machine simulation session serve,design window,win32'
cd "$app"
grep -rnE --include='*.h' --include='*.cpp' \
  '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z0-9_]+/' . |
  awk -v app="$app" -v layers="$layers" '
    BEGIN {
      n = split(layers, layer, " ")
      for (i = 1; i <= n; ++i) {
        m = split(layer[i], folder, ",")
        for (j = 1; j <= m; ++j) rank[folder[j]] = i
      }
    }
    {
      # ./FOLDER/FILE:LINE:#include "TO/NAME"
      colon = index($0, ":")
      file = substr($0, 3, colon - 3)
      rest = substr($0, colon + 1)
      line = substr(rest, 1, index(rest, ":") - 1)
      from = substr(file, 1, index(file, "/") - 1)
      included = substr(rest, index(rest, "\"") + 1)
      included = substr(included, 1, index(included, "\"") - 1)
      to = substr(included, 1, index(included, "/") - 1)
      if (!(from in rank) || !(to in rank) || from == to || rank[to] < rank[from]) next
      where = rank[to] == rank[from] ? "beside it" : "above it"
      printf "%s/%s:%s: \"%s\" reaches from the layer %s to the layer %s, %s\n", \
        app, file, line, included, from, to, where
      bad = 1
    }
    END { exit bad }'
