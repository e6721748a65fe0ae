#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The project's own C++ files through clang-tidy with the checks of .clang-tidy, compiled as the
# build compiles them. The files come from the build's compile_commands.json, read when the test
# runs: those under the source folder, not under a build folder (Qt's moc, uic and rcc output).
# Headers are checked through the files that include them.
#
# By default only the files a change touches: those changed since the branch left main, or on
# main the change not yet committed (else the last commit), and those that include a changed
# header. BREVANTO_LINT_ALL=1 checks every file (about eight minutes of two cores);
# BREVANTO_LINT_BASE=<commit> names the commit to compare with.
# Usage: tidy.sh <source folder> <build folder> [clang-tidy] [jobs]
set -euo pipefail
source_dir=$(realpath "${1:?usage: tidy.sh <source folder> <build folder> [clang-tidy] [jobs]}")
build_dir=$(realpath "${2:?usage: tidy.sh <source folder> <build folder> [clang-tidy] [jobs]}")
tidy=${3:-clang-tidy}
jobs=${4:-$(nproc)}
command -v "$tidy" >/dev/null || { echo "SKIP: clang-tidy is not installed"; exit 77; }
command -v jq >/dev/null || { echo "SKIP: jq is not installed"; exit 77; }
database="$build_dir/compile_commands.json"
[[ -s "$database" ]] || { echo "no $database: configure with CMAKE_EXPORT_COMPILE_COMMANDS"; exit 1; }

# Each folder beside the sources that holds a CMakeCache.txt is a build (build, build-asan...).
builds=("$build_dir")
for cache in "$source_dir"/*/CMakeCache.txt; do
    [[ -e "$cache" ]] && builds+=("$(dirname "$cache")")
done
mapfile -t files < <(jq -r '.[].file' "$database" | sort -u | while IFS= read -r file; do
    [[ "$file" == "$source_dir"/* ]] || continue
    for build in "${builds[@]}"; do [[ "$file" == "$build"/* ]] && continue 2; done
    echo "$file"
done)
[[ ${#files[@]} -gt 0 ]] || { echo "no project C++ files in $database"; exit 1; }

# The files of a change, as paths under the source folder.
changed() {
    local base=${BREVANTO_LINT_BASE:-}
    if [[ -z $base ]]; then
        base=$(git -C "$source_dir" merge-base HEAD main 2>/dev/null || true)
        if [[ -z $base || $base == "$(git -C "$source_dir" rev-parse HEAD)" ]]; then
            if git -C "$source_dir" diff --quiet HEAD; then base=HEAD~1; else base=HEAD; fi
        fi
    fi
    {
        git -C "$source_dir" diff --name-only "$base" --
        git -C "$source_dir" ls-files --others --exclude-standard
    } | sort -u | sed "s|^|$source_dir/|"
}

if [[ ${BREVANTO_LINT_ALL:-0} != 1 ]] && git -C "$source_dir" rev-parse HEAD >/dev/null 2>&1; then
    mapfile -t touched < <(changed)
    selected=()
    for file in "${files[@]}"; do
        for change in "${touched[@]}"; do
            if [[ $file == "$change" ]] ||
                { [[ $change == *.h ]] && grep -q "#include \"$(basename "$change")\"" "$file"; }; then
                selected+=("$file")
                break
            fi
        done
    done
    echo "clang-tidy on the ${#selected[@]} of ${#files[@]} files a change touches (BREVANTO_LINT_ALL=1: all)"
    ((${#selected[@]} > 0)) || exit 0
    files=("${selected[@]}")
fi

# Headers of the same folders as those files (none in a build folder: the generated ui_*.h).
folders=$(printf '%s\n' "${files[@]#"$source_dir"/}" | cut -d/ -f1 | sort -u | paste -sd '|')
header_filter="^$source_dir/($folders)/"

# One clang-tidy per file, $jobs at a time. Its findings are errors (WarningsAsErrors), so any
# file with one makes xargs fail; the counts of Qt's own warnings it hides are left out.
set +e
printf '%s\0' "${files[@]}" |
    xargs -0 -n 1 -P "$jobs" "$tidy" -p "$build_dir" --quiet --header-filter="$header_filter" 2>&1 |
    grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$'
status=${PIPESTATUS[1]}
set -e
if ((status != 0)); then
    echo "clang-tidy found the above in the project's C++ files" >&2
    exit 1
fi
echo "${#files[@]} files pass clang-tidy"
