#!/usr/bin/env bash
# Fails, naming each place, where a C++ file of the project is not laid out as clang-format lays
# it out with .clang-format (Debian 12's clang-format 14; another version may lay out differently).
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
else
    find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 clang-format --dry-run --Werror
fi
echo "clang-format: every file is laid out"
