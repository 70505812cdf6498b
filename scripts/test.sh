#!/usr/bin/env bash
# Builds Dravin and runs every test (GUI tests headless, offscreen).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
dir="${DRAVIN_BUILD_DIR:-$top/build}"
"$top/scripts/build.sh" "$dir" "$@"
export QT_QPA_PLATFORM=offscreen
# Many tests wait on a line, a timer or another process rather than compute:
# two at a time per core keep the cores busy.
ctest --test-dir "$dir" --output-on-failure -j"$((2 * $(nproc)))"
