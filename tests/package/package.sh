#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a club would use it: built by scripts/make-package, installed into this
# machine with apt-get, its desktop entry and metainfo validated, the installed program started
# from / under Xvfb and showing the board, then removed with nothing of it left behind.
# Installing needs root and apt-get, as CI has; elsewhere the test is skipped.
# Usage: package.sh <source folder> <release build folder> <version> <application id>
#                   [cmake options for the release build...]
set -euo pipefail
source "$(dirname "$0")/../e2e/session.sh"

root=${1:?usage: package.sh <source> <release build> <version> <application id> [options...]}
build=${2:?} version=${3:?} app_id=${4:?}
shift 4

if [[ $(id -u) -ne 0 ]]; then
    echo "SKIP: installing the package into this machine needs root (CI runs as root)"
    exit "$E2E_SKIP"
fi
require_tools apt-get dpkg dpkg-deb dpkg-query desktop-file-validate appstreamcli file \
    Xvfb
if dpkg-query -W -f='${Status}' brevanto 2>/dev/null | grep -q 'ok installed'; then
    echo "SKIP: brevanto is installed on this machine already, and the test would remove it"
    exit "$E2E_SKIP"
fi

e2e_begin
JOBS=${JOBS:-2} "$root/scripts/make-package" "$build" "$@" >"$e2e_work/build.out" 2>&1 || {
    tail -n 40 "$e2e_work/build.out" >&2
    fail "scripts/make-package failed"
}
deb="$build/brevanto_${version}_$(dpkg --print-architecture).deb"
[[ -s "$deb" ]] || fail "no package $deb"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version $(dpkg-deb -f "$deb" Version)"
pass "built $(basename "$deb"), $(stat -c %s "$deb") bytes"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

# The metainfo against the files beside it in the package: its desktop entry, icon and binary.
dpkg-deb -x "$deb" "$e2e_work/tree"
appstreamcli validate-tree --no-net "$e2e_work/tree" >"$e2e_work/tree.out" 2>&1 ||
    fail "the package's tree does not validate: $(cat "$e2e_work/tree.out")"
pass "the package's metainfo, desktop entry and icons agree"

# From here on the package is removed however the script ends.
remove_package() {
    dpkg-query -W brevanto >/dev/null 2>&1 &&
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -q brevanto >/dev/null 2>&1
    true
}
trap 'e2e_cleanup; remove_package' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb" \
    >"$e2e_work/install.out" 2>&1 || fail "apt-get install failed: $(tail -n 20 "$e2e_work/install.out")"
dpkg-query -L brevanto >"$e2e_work/files"
pass "installed with apt-get: $(grep -c . "$e2e_work/files") paths"

# Every executable of the package is stripped.
binaries=0
while read -r path; do
    [[ -f "$path" ]] || continue
    description=$(file -b "$path")
    [[ "$description" == ELF* ]] || continue
    [[ "$description" == *", stripped"* ]] || fail "not stripped: $path"
    binaries=$((binaries + 1))
done <"$e2e_work/files"
((binaries > 0)) || fail "the package holds no program"
pass "$binaries binaries, all stripped"

desktop="/usr/share/applications/$app_id.desktop"
metainfo="/usr/share/metainfo/$app_id.metainfo.xml"
complaints=$(desktop-file-validate "$desktop" 2>&1) || true
[[ -z "$complaints" ]] || fail "desktop-file-validate $desktop: $complaints"
appstreamcli validate --no-net "$metainfo" >"$e2e_work/metainfo.out" 2>&1 ||
    fail "appstreamcli validate $metainfo: $(cat "$e2e_work/metainfo.out")"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" ||
    fail "the metainfo does not announce release $version"
pass "desktop entry and metainfo valid, release $version"

# The pictures software centres show are the ones in docs/.
grep -o '<image>[^<]*</image>' "$metainfo" | sed -E 's|<image>.*/main/(.*)</image>|\1|' >"$e2e_work/shots"
[[ -s "$e2e_work/shots" ]] || fail "the metainfo names no screenshots"
while read -r shot; do
    [[ -f "$root/$shot" ]] || fail "the metainfo shows $shot, which the repository lacks"
done <"$e2e_work/shots"
pass "screenshots: $(paste -sd ' ' "$e2e_work/shots")"

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[[ $(command -v "$exec_name") == /usr/bin/brevanto ]] || fail "Exec=$exec_name is not the launcher"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for side in 16 24 32 48 64 128 256; do
    file -b "/usr/share/icons/hicolor/${side}x${side}/apps/$icon.png" |
        grep -q "PNG image data, $side x $side," || fail "no $side px icon $icon"
done
file -b "/usr/share/icons/hicolor/scalable/apps/$icon.svg" | grep -q SVG || fail "no scalable icon"
pass "Exec=$exec_name, icon $icon at 16 to 256 px and scalable"

# Started from / as from the menu. QML's disk cache goes to the scratch folder, not root's home.
start_xvfb
cd /
start_program /usr/bin/brevanto QT_QPA_PLATFORM=xcb XDG_CACHE_HOME="$e2e_work/cache"
calls_since 0 | grep -qx '\["Movie","/usr/lib/brevanto/brevanto.dll"\]' ||
    fail "the movie was not loaded from /usr/lib/brevanto: $(calls_since 0 | head -n 1)"
calls_since 0 | grep -qx '\["Shown","movie"\]' ||
    fail "the board shows no movie: $(calls_since 0 | grep '^\["Shown",')"
pass "the installed program shows the board"

# What the board needs at run time and no library scan finds, the fonts and the QML modules it
# has loaded, must come with the package's dependencies, or a fresh machine would lack them.
# Of alternatives ("a | b") the first one installed here counts, as apt would pick it on a fresh
# machine: fontconfig's "fonts-dejavu-core | ... | fonts-liberation2" brings no Liberation.
dpkg-query -W -f='${db:Status-Abbrev}\t${Package}\t${Provides}\t${Pre-Depends}, ${Depends}\n' |
    awk -F '\t' '
        function name(text) { gsub(/\(.*\)|:any| /, "", text); return text }
        $1 ~ /^ii/ {
            provider[$2] = $2; depends[$2] = $4
            n = split($3, provided, ",")
            for (i = 1; i <= n; i++) if (!(name(provided[i]) in provider)) provider[name(provided[i])] = $2
        }
        END {
            queue[1] = "brevanto"; seen["brevanto"] = 1
            for (head = 1; head <= length(queue); head++) {
                print queue[head]
                groups = split(depends[queue[head]], group, ",")
                for (g = 1; g <= groups; g++) {
                    alternatives = split(group[g], alternative, "|")
                    for (a = 1; a <= alternatives; a++) {
                        wanted = name(alternative[a])
                        if (!(wanted in provider)) continue
                        chosen = provider[wanted]
                        if (!(chosen in seen)) { seen[chosen] = 1; queue[length(queue) + 1] = chosen }
                        break
                    }
                }
            }
        }' >"$e2e_work/closure"
awk '{ print $6 }' "/proc/$e2e_app/maps" | grep -E '^/usr/share/fonts/|/qt6/qml/' | sort -u \
    >"$e2e_work/runtime"
grep -q '/usr/share/fonts/' "$e2e_work/runtime" || fail "the program has no font loaded"
while read -r path; do
    owners=$(dpkg-query -S "$path" | sed 's/: .*//; s/:[a-z0-9]*//g; s/,/ /g') ||
        fail "no package owns $path"
    for owner in $owners; do
        grep -qx "$owner" "$e2e_work/closure" && continue 2
    done
    fail "$path comes from $owners, which brevanto does not depend on"
done <"$e2e_work/runtime"
pass "fonts and QML modules in use come with the dependencies: $(paste -sd ' ' "$e2e_work/runtime")"
kill "$e2e_app"
wait "$e2e_app" 2>/dev/null || true
e2e_app=""

# The board is an alternative over the gallery, the classic board by default; another is chosen
# with update-alternatives, shows, and passes the board authors' preview.
movie=/usr/lib/brevanto/brevanto.dll
[[ -L "$movie" && $(readlink -f "$movie") == /usr/share/brevanto/boards/classic/board.qml ]] ||
    fail "$movie is no link to the classic board: $(ls -l "$movie")"
boards=$(update-alternatives --list brevanto-scoreboard | sort | paste -sd ' ')
for board in classic contrast starter widescreen; do
    [[ " $boards " == *" /usr/share/brevanto/boards/$board/board.qml "* ]] ||
        fail "the alternative lacks the $board board: $boards"
done
update-alternatives --set brevanto-scoreboard /usr/share/brevanto/boards/contrast/board.qml \
    >/dev/null
start_program /usr/bin/brevanto QT_QPA_PLATFORM=xcb XDG_CACHE_HOME="$e2e_work/cache"
calls_since 0 | grep -qx '\["Shown","movie"\]' ||
    fail "the contrast board does not show: $(calls_since 0 | grep '^\["Shown",')"
kill "$e2e_app"
wait "$e2e_app" 2>/dev/null || true
e2e_app=""
brevanto-preview /usr/share/brevanto/boards/contrast/board.qml --out "$e2e_work/preview" \
    >"$e2e_work/preview.out" 2>&1 || fail "the installed preview: $(cat "$e2e_work/preview.out")"
pass "boards by alternative: $boards; the contrast board chosen shows and previews clean"

# The folders that are the package's alone must go with it.
while read -r path; do
    if [[ -d "$path" && ! -L "$path" && $(dpkg-query -S "$path") == "brevanto: $path" ]]; then
        echo "$path"
    fi
done <"$e2e_work/files" >"$e2e_work/own-folders"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -q brevanto >"$e2e_work/remove.out" 2>&1 ||
    fail "apt-get remove failed: $(tail -n 20 "$e2e_work/remove.out")"
while read -r path; do
    [[ -d "$path" && ! -L "$path" ]] && ! grep -qxF "$path" "$e2e_work/own-folders" && continue
    [[ ! -e "$path" && ! -L "$path" ]] || fail "left behind: $path"
done <"$e2e_work/files"
! update-alternatives --query brevanto-scoreboard >/dev/null 2>&1 ||
    fail "the alternative brevanto-scoreboard outlives the package"
status=$(dpkg-query -W -f='${db:Status-Abbrev}' brevanto 2>/dev/null || true)
[[ -z "$status" || "$status" == un* ]] || fail "dpkg still holds brevanto: $status"
pass "apt-get remove left nothing: $(grep -c . "$e2e_work/files") paths, \
$(grep -c . "$e2e_work/own-folders") of them the package's own folders"
