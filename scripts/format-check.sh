#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format makes of it
# (.clang-format at the root). Fix with: clang-format -i FILE...
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h'
else
    find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0
fi | xargs -0 clang-format --dry-run --Werror
