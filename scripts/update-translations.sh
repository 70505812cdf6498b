#!/usr/bin/env bash
# Brings res/translations/*.ts in step with the code: every text of the window
# and of the core, new ones unfinished, the translations already there kept,
# texts the code no longer has dropped. Fill in the new entries with Qt
# Linguist (linguist res/translations/dravin_zh_CN.ts) or by hand.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
lupdate="${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cmake -DLUPDATE="$lupdate" -DSOURCE_DIR="$top" -DWORK_DIR="$work/texts" \
    -DUPDATE="$top/res/translations/dravin_en.ts;$top/res/translations/dravin_zh_CN.ts" \
    -P "$top/cmake/CatalogTexts.cmake"
