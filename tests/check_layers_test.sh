#!/usr/bin/env bash
# scripts/check_layers fails on a copy of src/ with an upward include planted
# in each quoting style, and names both files.
set -euo pipefail
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$1/src" "$copy/src"
echo '#include <game/board.h>' >> "$copy/src/platform/random.cpp"
echo '#include "screens/world_map.h"' >> "$copy/src/core/camera.cpp"
if report=$("$1/scripts/check_layers" "$copy/src" 2>&1); then exit 1; fi
grep -q 'src/platform/random.cpp:.*game/board.h' <<< "$report"
grep -q 'src/core/camera.cpp:.*screens/world_map.h' <<< "$report"
