#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every QML file through qmllint. Each board's movie reads the board's variables from the context
# property `board`, which qmllint cannot see, so unqualified names are allowed there alone.
# Usage: qml.sh <source folder> <qmllint>
set -euo pipefail
cd "${1:?usage: qml.sh <source folder> <qmllint>}"
qmllint=${2:-}
[[ -n "$qmllint" && -x "$qmllint" ]] ||
    { echo "SKIP: qmllint is not installed (package qt6-declarative-dev-tools)"; exit 77; }
"$qmllint" --unqualified disable display/movie/*/board.qml
"$qmllint" display/movie/*/parts/*.qml display/player/stage.qml
echo "QML files pass qmllint"
