#!/usr/bin/env bash
# Builds Dravin and starts it. Dravin.ini and Logfiles/ live beside the
# program, in build/. Without a serial adapter the program starts with its
# built-in demo logger, so that every command can be tried at once.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
# Where the adapters appear; only tests point it elsewhere.
devices="${DRAVIN_DEVICE_DIR:-/dev}"
"$top/scripts/build.sh" "$top/build"
if compgen -G "$devices/ttyUSB*" >/dev/null || compgen -G "$devices/ttyACM*" >/dev/null; then
    exec "$top/build/dravin" "$@"
fi
echo "No serial adapter found: starting with the demo logger"
exec "$top/build/dravin" --demo "$@"
