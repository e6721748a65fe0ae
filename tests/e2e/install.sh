#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and starts the installed launcher headless: the program
# must find its movie in its own installed folder, and the help page, desktop entry and icons must
# be in place.
# Usage: install.sh <build folder> <app folder> <bin folder> <data folder> <application id>
# (the folders relative to the prefix, as the build was configured)
set -euo pipefail
source "$(dirname "$0")/session.sh"

build=${1:?usage: install.sh <build> <appdir> <bindir> <datadir> <application id>}
appdir=${2:?} bindir=${3:?} datadir=${4:?} app_id=${5:?}

e2e_begin
prefix="$e2e_work/prefix"
cmake --install "$build" --prefix "$prefix" >"$e2e_work/install.out" 2>&1 ||
    fail "cmake --install failed: $(cat "$e2e_work/install.out")"

for file in "$appdir/brevanto" "$appdir/brevanto-board" "$appdir/brevanto.dll" "$appdir/help.html" \
    "$datadir/applications/$app_id.desktop" "$datadir/icons/hicolor/32x32/apps/$app_id.png" \
    "$datadir/icons/hicolor/256x256/apps/$app_id.png"; do
    [[ -s "$prefix/$file" ]] || fail "not installed: $file"
done
pass "program, board process, movie, help page, desktop entry and icons installed"

launcher="$prefix/$bindir/brevanto"
[[ -x "$launcher" ]] || fail "no launcher at $bindir/brevanto"
grep -qx 'Exec=brevanto' "$prefix/$datadir/applications/$app_id.desktop" ||
    fail "the desktop entry does not start the launcher"
grep -qx "Icon=$app_id" "$prefix/$datadir/applications/$app_id.desktop" ||
    fail "the desktop entry does not name the installed icon"

# Started from elsewhere, as from a menu, through a symbolic link as a PATH folder might hold.
ln -s "$launcher" "$e2e_work/brevanto-link"
cd /
start_program "$e2e_work/brevanto-link" QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
movie=$(realpath "$prefix/$appdir/brevanto.dll")
grep -qxF "[\"Movie\",\"$movie\"]" "$e2e_work/calls.log" ||
    fail "the movie was not loaded from $movie: $(head -n 1 "$e2e_work/calls.log")"
pass "Movie = $movie"
grep -qx '\["Shown","movie"\]' "$e2e_work/calls.log" ||
    fail "the installed movie did not play: $(grep '^\["Shown",' "$e2e_work/calls.log")"
pass "the installed program shows the movie"
