#!/bin/sh
# Fails when an include points back up the layers: a folder may include only
# itself and the folders listed before it. Lower layers know nothing of the
# modules built on them, so a module can be taken out or tested alone.
set -eu
cd "$(dirname "$0")/.."
layers="core record tool controls platform ports forms state context link calibration decoding graphs recording
statistics conversion acquisition replay service console settings shell virtual sim driver fleet ui app"
find src sim app -name '*.cpp' -o -name '*.h' | sort | xargs grep -H '^#include "' | awk -v layers="$layers" '
BEGIN { n = split(layers, order, /[ \n]+/); for (i = 1; i <= n; i++) rank[order[i]] = i }
{
    file = $0; sub(/:.*/, "", file)
    own = file; sub(/^src\//, "", own); sub(/\/.*/, "", own)
    target = $0; sub(/^[^"]*"/, "", target); sub(/".*/, "", target)
    folder = target; sub(/\/.*/, "", folder)
    checked++
    if (!(own in rank)) { print file ": folder \"" own "\" has no layer"; bad++; next }
    if (!(folder in rank)) next
    if (rank[folder] > rank[own]) { print file ": " own " includes " target " from a layer above it"; bad++ }
}
END {
    if (bad) { print bad " include(s) point back up."; exit 1 }
    print "Includes: all " checked " point down or stay in their folder."
}'
