#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every whole board the contract shows, taken from docs/boards.md as it stands and previewed: each
# must be usable with nothing to mend (exit status 0). A whole board is a ```qml block labelled
# `board.qml`: on the line before it; the labelled blocks after it (`parts/Value.qml`:) are its
# other files. Unlabelled blocks are fragments.
# Usage: contract-examples.sh <brevanto-preview> <boards.md> <work folder>
set -euo pipefail
preview=${1:?usage: contract-examples.sh <brevanto-preview> <boards.md> <work folder>}
contract=${2:?}
work=${3:?}
rm -rf "$work"
mkdir -p "$work"

awk -v work="$work" '
    /^```qml$/ {
        if (label != "") {
            if (label == "board.qml")
                ++board
            file = work "/example-" board "/" label
            dir = file
            sub(/\/[^\/]*$/, "", dir)
            system("mkdir -p \"" dir "\"")
            copying = 1
        }
        next
    }
    /^```$/ { copying = 0; label = ""; next }
    copying { print > file; next }
    /^`[^`]+`:$/ { label = substr($0, 2, length($0) - 3); next }
    NF { label = "" }
' "$contract"

examples=("$work"/example-*)
[[ -d "${examples[0]}" ]] || { echo "no whole board found in $contract"; exit 1; }
status=0
for example in "${examples[@]}"; do
    echo "== $example"
    "$preview" "$example/" --out "$example-preview" || status=1
done
exit "$status"
