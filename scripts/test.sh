#!/usr/bin/env bash
# Builds Dravin and runs every test (GUI tests headless, offscreen).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
dir="${DRAVIN_BUILD_DIR:-$top/build}"
"$top/scripts/build.sh" "$dir" "$@"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
