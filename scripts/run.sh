#!/usr/bin/env bash
# Builds Dravin and starts it. Dravin.ini and Logfiles/ live beside the
# program, in build/.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/build.sh" "$top/build"
exec "$top/build/dravin" "$@"
