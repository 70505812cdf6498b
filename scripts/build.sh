#!/usr/bin/env bash
# Configures and builds into the given folder (default build/) with the given
# extra CMake options.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$top/build}"
shift || true
"$top/scripts/setup-deps.sh"
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -- -j"$(nproc)"
