#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ file of the project in its .clang-format style.
# Usage: format.sh <source folder> [clang-format]
set -euo pipefail
cd "${1:?usage: format.sh <source folder> [clang-format]}"
format=${2:-clang-format}
command -v "$format" >/dev/null || { echo "SKIP: clang-format is not installed"; exit 77; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
[[ ${#files[@]} -gt 0 ]] || { echo "no C++ files found"; exit 1; }
"$format" --dry-run -Werror "${files[@]}"
echo "${#files[@]} files in style"
