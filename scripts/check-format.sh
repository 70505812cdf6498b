#!/usr/bin/env bash
# Fails when a source file is not as .clang-format lays it out; lists the files.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
