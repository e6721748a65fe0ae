#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every shell script of the project through shellcheck: the files named *.sh and those whose "#!"
# line runs sh or bash. Sourced files are followed from the folder of the script that sources
# them; the sourced helpers without a "#!" line name their shell in a directive.
# Usage: shellcheck.sh <source folder> [shellcheck]
set -euo pipefail
cd "${1:?usage: shellcheck.sh <source folder> [shellcheck]}"
shellcheck=${2:-shellcheck}
command -v "$shellcheck" >/dev/null || { echo "SKIP: shellcheck is not installed"; exit 77; }

# The tracked files, or outside a checkout every file but the build folders'.
candidates() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -z
    else
        find . \( -name .git -o -name 'build*' -o -name fuzz-out \) -prune -o -type f -print0
    fi
}

files=()
while IFS= read -r -d '' file; do
    [[ -f "$file" ]] || continue
    case "$file" in
    *.sh) files+=("$file") ;;
    *)
        first=$(head -c 128 "$file" | tr -d '\0' | head -n 1)
        [[ "$first" =~ ^\#!.*[/\ ](ba)?sh([[:space:]]|$) ]] && files+=("$file")
        ;;
    esac
done < <(candidates)
[[ ${#files[@]} -gt 0 ]] || { echo "no shell scripts found"; exit 1; }

"$shellcheck" --external-sources --source-path=SCRIPTDIR "${files[@]}"
echo "${#files[@]} shell scripts pass shellcheck"
