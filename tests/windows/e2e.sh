#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer and the installed program under Wine, as a user meets them: a silent
# install (the default board, then an upgrade to another board of the gallery), the program
# started from its installed folder, the splash and then the operator window, hotkeys as real key
# strokes (the points fields and the board's digits looked at on the screen), a board that loops
# and one that allocates without end, the exit button, and a silent uninstall that leaves nothing
# behind.
#
# The desktop is Wine's own (a virtual desktop on the X server), which keeps the keyboard focus by
# Windows' rules: the key strokes go to whatever window Windows would give them, not to the window
# under the pointer, which stays in a corner.
#
# Usage: tests/windows/e2e.sh <installer.exe>
# Needs DISPLAY (an Xvfb of 1920x1080), WINEPREFIX (a prefix of this run's own, with the virtual
# desktop set up: tests/windows/run does both) and the tools below. BREVANTO_E2E_SHOTS, a folder,
# keeps the pictures of the board's area that the checks look at.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# Wine on a busy machine is slow to start a program: a minute for what a native run gets 20 s.
E2E_PATIENCE=${E2E_PATIENCE:-600}
# shellcheck source=SCRIPTDIR/../e2e/session.sh
source "$here/../e2e/session.sh"

installer=${1:?usage: e2e.sh <installer.exe>}
require_tools wine wineserver xdotool xwininfo convert compare
wine_run=$here/../../scripts/windows/wine-run
: "${DISPLAY:?}" "${WINEPREFIX:?}"

# A Windows program ends its lines with "\r\n".
e2e_split_log() {
    sed -u 's/\r$//' | tee "$e2e_work/program.out" |
        sed -un 's/^brevanto\.board\.calls: //p' >"$e2e_work/calls.log"
}

e2e_begin
folder="$WINEPREFIX/drive_c/Program Files/Brevanto"
windows_folder='C:\Program Files\Brevanto'
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brevanto"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brevanto'

# Wine's desktop, up before a program comes: on a busy machine a program that starts it itself
# may give up waiting for it and get no window at all. It ends after the last program.
desktop_up() {
    wineserver --wait
    wine explorer /desktop=Default,1920x1080 >>"$e2e_work/desktop.out" 2>&1 &
    wait_for xdotool search --onlyvisible --name '^Default - Wine desktop$' >/dev/null ||
        fail "Wine's desktop did not start: $(cat "$e2e_work/desktop.out")"
}

# A Windows program to its end, and until the prefix is idle again (scripts/windows/wine-run).
run_windows() {
    desktop_up
    "$wine_run" "$@"
}

registry_has() {
    local found=0
    wine reg query "$1" >/dev/null 2>&1 || found=1
    wineserver --wait
    return $found
}

now() { date +%s.%N; }
ms_between() { echo "($2 - $1) * 1000 / 1" | bc; }

# --- Installed silently, then upgraded to another board ---------------------------------------
run_windows "$installer" /S >"$e2e_work/install.out" 2>&1 || fail "the silent install failed"
[[ -f "$folder/brevanto.exe" && -f "$folder/Uninstall.exe" ]] || fail "nothing installed in $folder"
cmp -s "$folder/brevanto.dll" "$folder/boards/classic/board.qml" ||
    fail "a new install did not put the default board in place"
[[ -f "$start_menu/Brevanto.lnk" ]] || fail "no Start-menu entry"
registry_has "$uninstall_key" || fail "no uninstall entry in the registry"
pass "installed silently under Program Files: the default board, a Start-menu entry"

run_windows "$installer" /S /BOARD=contrast >>"$e2e_work/install.out" 2>&1 ||
    fail "the upgrade to the board contrast failed"
cmp -s "$folder/brevanto.dll" "$folder/boards/contrast/board.qml" ||
    fail "the upgrade did not put the chosen board in place"
[[ ! -e "$folder/parts/SegmentDigit.qml" ]] || fail "the default board's parts stayed behind"
pass "upgraded with /BOARD=contrast: that board in place, the old one's parts gone"

# --- The program, started from its folder ------------------------------------------------------
# In the corner, over Wine's desktop: never over a window of the program's.
park_pointer() { xdotool mousemove 5 5; }
send_keys() {
    park_pointer
    xdotool key "$@"
}

# Starts the installed program with its call log and waits until it logged its window shown;
# the splash, then the operator window, are timed on the X server as they appear.
splash_closed="" form_shown="" launched=""
start_installed() {
    : >"$e2e_work/calls.log"
    desktop_up
    park_pointer
    launched=$(now)
    QT_LOGGING_RULES="brevanto.board.calls.debug=true" \
        QT_MESSAGE_PATTERN="%{if-category}%{category}: %{endif}%{message}" WINE_RUN_LINGER=15 \
        "$wine_run" "$windows_folder\\brevanto.exe" > >(e2e_split_log) 2>&1 &
    e2e_app=$!
    local splash_seen=false deadline=$((SECONDS + E2E_PATIENCE / 10))
    splash_closed="" form_shown=""
    while ((SECONDS < deadline)); do
        if [[ -z $form_shown ]] && xdotool search --onlyvisible --name '^Form1$' >/dev/null 2>&1; then
            form_shown=$(now)
        fi
        if ! $splash_seen; then
            xdotool search --onlyvisible --name '^Brevanto$' >/dev/null 2>&1 && splash_seen=true
        elif [[ -z $splash_closed ]] &&
            ! xdotool search --onlyvisible --name '^Brevanto$' >/dev/null 2>&1; then
            splash_closed=$(now)
        fi
        [[ -n $form_shown ]] && grep -q '^\["Shown",' "$e2e_work/calls.log" && break
        kill -0 "$e2e_app" 2>/dev/null || fail "the program ended during start-up"
        sleep 0.01
    done
    [[ -n $form_shown ]] || fail "no operator window within $((E2E_PATIENCE / 10)) s"
    $splash_seen || fail "no splash before the operator window"
    form=$(xdotool search --onlyvisible --name '^Form1$' | head -n 1)
    form_x=$(xwininfo -id "$form" | awk '/Absolute upper-left X/ {print $4}')
    form_y=$(xwininfo -id "$form" | awk '/Absolute upper-left Y/ {print $4}')
}

# Clicks at a point of the operator window (client coordinates, as in tests/e2e/x11.sh).
click_at() {
    xdotool mousemove "$((form_x + $1))" "$((form_y + $2))" click 1
    park_pointer
}
readonly COMMAND5=(414 16)

# The board's area on the screen (console/form1.cpp: 3430 x 2565 twips at 2955, 450), into the
# scratch folder; kept in BREVANTO_E2E_SHOTS as well when that names a folder.
board_shot() {
    import -window root -crop "229x171+$((form_x + 197))+$((form_y + 30))" +repage "$1"
    if [[ -n ${BREVANTO_E2E_SHOTS:-} ]]; then cp "$1" "$BREVANTO_E2E_SHOTS/"; fi
}

# The points fields of both teams in the operator window, one above the other (console/form1.ui:
# points_a and points_b, 36 x 19 at 110, 57 and 110, 76 in Frame1 at 6, 73).
points_shot() {
    import -window root -crop "36x38+$((form_x + 116))+$((form_y + 130))" +repage "$1"
    if [[ -n ${BREVANTO_E2E_SHOTS:-} ]]; then cp "$1" "$BREVANTO_E2E_SHOTS/"; fi
}

# Where two pictures of the board differ: "WxH+X+Y" in the board's area, or nothing.
changed_region() {
    convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 20% \
        -format '%@' info: 2>/dev/null
}
changed_pixels() {
    compare -metric AE -fuzz 20% "$1" "$2" null: 2>&1 || true
}
# A picture (board_shot or points_shot) once it differs from an earlier one: the screen shows a
# change a little after the program made it.
shot_changed() {
    local shot=$1 before=$2 after=$3 deadline=$((SECONDS + E2E_PATIENCE / 10))
    while ((SECONDS < deadline)); do
        "$shot" "$after"
        [[ -n $(changed_region "$before" "$after") ]] && return 0
        sleep 0.2
    done
    return 1
}

# The processes of this prefix whose command line matches a pattern (pgrep -f).
prefix_pids() {
    local pid
    for pid in $(pgrep -f "$1" || true); do
        grep -qz "^WINEPREFIX=$WINEPREFIX$" "/proc/$pid/environ" 2>/dev/null && echo "$pid"
    done
    return 0
}
rss_mb() { awk '/VmRSS/ {print int($2 / 1024)}' "/proc/$1/status" 2>/dev/null || echo 0; }

# The resident memory under Wine, in MB, of the program's process (brevanto) or the board's.
resident_mb() {
    local pid
    pid=$(prefix_pids "^[A-Z]:.*\\\\$1\\.exe" | head -n 1)
    [[ -n $pid ]] && rss_mb "$pid"
}

# Ends the program with its exit button. wine-run, which started it, comes back once no Windows
# process of the prefix is left (the desktop ends after the program), and fails when one lingers.
exit_program() {
    click_at "${COMMAND5[@]}"
    expect_ended "$1"
    [[ -z $(prefix_pids 'brevanto(-board)?\.exe') ]] || fail "$1: a process of the program still runs"
    pass "$1: no Windows process left behind"
}

start_installed
grep -qx '\["Shown","movie"\]' "$e2e_work/calls.log" || fail "the installed board was not shown"
pass "started: the splash, then the operator window $(ms_between "$splash_closed" "$form_shown") ms after the splash closed ($(ms_between "$launched" "$form_shown") ms after the start)"
# Once the start-up's passing work (the first frames, the fonts) is over.
sleep 1
pass "resident memory: the program $(resident_mb brevanto) MB, the board's process $(resident_mb brevanto-board) MB"

# --- Hotkeys as key strokes, with the board's digits on the screen ----------------------------
board_shot "$e2e_work/board-0.png"
points_shot "$e2e_work/points-0.png"
stroke 1 1 001 000 00 00
shot_changed board_shot "$e2e_work/board-0.png" "$e2e_work/board-1.png" || true
shot_changed points_shot "$e2e_work/points-0.png" "$e2e_work/points-1.png" || true
stroke 9 1 001 001 00 00
shot_changed board_shot "$e2e_work/board-1.png" "$e2e_work/board-2.png" || true
shot_changed points_shot "$e2e_work/points-1.png" "$e2e_work/points-2.png" || true
stroke 1 1 002 001 00 00
stroke shift+1 1 001 001 00 00
stroke ctrl+1 1 000 001 00 00
stroke F1 1 000 001 01 00
stroke F9 1 000 001 01 01
stroke shift+F9 1 000 001 01 00
stroke p 2 000 001 01 00
stroke shift+p 1 000 001 01 00

# A digit where the team's points stand: in the team's half of the board, a glyph's size (one of
# three digits), and drawn, not a filled box.
expect_digit() {
    local what=$1 before=$2 after=$3 half=$4 region w h x pixels
    region=$(changed_region "$before" "$after")
    [[ $region =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "$what: the board did not change"
    w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]}
    pixels=$(changed_pixels "$before" "$after")
    if [[ $half == left ]]; then ((x + w <= 115)) || fail "$what: changed $region, not in team A's half"
    else ((x >= 114)) || fail "$what: changed $region, not in team B's half"; fi
    ((w <= 40 && h >= 12 && h <= 80)) || fail "$what: changed $region, not one digit"
    ((pixels >= 30 && pixels * 10 < w * h * 9)) || fail "$what: $pixels pixels changed in $region"
    pass "$what: one digit redrawn at $region ($pixels pixels)"
}
# A number typed into a team's points field by the program: the field's pixels change, in that
# team's row (points_a above, points_b below) and nowhere else.
expect_field() {
    local what=$1 before=$2 after=$3 row=$4 region
    region=$(changed_region "$before" "$after")
    [[ $region =~ ^[0-9]+x([0-9]+)\+[0-9]+\+([0-9]+)$ ]] || fail "$what: the field did not change"
    if [[ $row == A ]]; then ((BASH_REMATCH[2] + BASH_REMATCH[1] <= 19)) || fail "$what: changed $region"
    else ((BASH_REMATCH[2] >= 19)) || fail "$what: changed $region"; fi
    pass "$what: the field redrawn at $region"
}
expect_field "points A 000 -> 001 in the operator window" "$e2e_work/points-0.png" \
    "$e2e_work/points-1.png" A
expect_field "points B 000 -> 001 in the operator window" "$e2e_work/points-1.png" \
    "$e2e_work/points-2.png" B
expect_digit "points A 000 -> 001 on the board" "$e2e_work/board-0.png" "$e2e_work/board-1.png" left
expect_digit "points B 000 -> 001 on the board" "$e2e_work/board-1.png" "$e2e_work/board-2.png" right

exit_program "the exit button"

# --- Boards that would take the console down with them -----------------------------------------
cp "$folder/brevanto.dll" "$e2e_work/brevanto.dll"
movie() {
    printf 'import QtQuick\nItem {\n    id: root\n    width: 400; height: 300\n%s\n}\n' "$1" \
        >"$folder/brevanto.dll"
}
# Watches the board's processes until a condition holds (a command, run after each look), for
# twice the patience at most: how many there were, and the most memory one held.
boards_seen=0 peak_mb=0
watch_boards_until() {
    local pid rss deadline=$((SECONDS + E2E_PATIENCE / 5))
    declare -A seen=()
    boards_seen=0 peak_mb=0
    while ((SECONDS < deadline)); do
        for pid in $(prefix_pids '\\brevanto-board\.exe'); do
            seen[$pid]=1
            rss=$(rss_mb "$pid")
            ((rss > peak_mb)) && peak_mb=$rss
        done
        boards_seen=${#seen[@]}
        "$@" && return 0
        sleep 0.2
    done
    return 1
}
# shellcheck disable=SC2317 # called by watch_boards_until
restarted() { ((boards_seen >= 2)); }
# A notice in the board's area, after the board was started again: the notice comes once the
# program gives the board up.
# shellcheck disable=SC2317 # called by watch_boards_until
restarted_then_notice() {
    restarted || return 1
    board_shot "$e2e_work/loop-after.png"
    (($(changed_pixels "$e2e_work/loop-before.png" "$e2e_work/loop-after.png") > 100))
}

# The console goes on: a stroke reaches the board's variables at once.
console_works() {
    stroke 1 1 001 000 00 00
    stroke shift+1 1 000 000 00 00
}

movie '    Timer { interval: 300; running: true; onTriggered: { for (;;) {} } }'
start_installed
board_shot "$e2e_work/loop-before.png"
if ! watch_boards_until restarted_then_notice; then
    restarted || fail "a board that loops: its process was never ended and started again"
    fail "a board that loops: the board area shows no notice"
fi
console_works
pass "a board that loops: ended and started again ($boards_seen processes), then the notice; the console works"
exit_program "after the looping board"

movie '    property var hoard: []
    Timer { interval: 10; running: true; repeat: true
        onTriggered: root.hoard.push("x".repeat(1 << 22) + root.hoard.length) }'
start_installed
watch_boards_until restarted ||
    fail "a board that allocates without end: its process was never ended (${peak_mb} MB at most)"
console_works
# Ended near its limit, not earlier for some other reason (samples 0.2 s apart, of a board that
# grows by hundreds of MB a second).
((peak_mb >= 768)) || fail "a board that allocates without end: ended at ${peak_mb} MB, short of 1 GiB"
echo "waived: Wine accepts the job's memory cap (JOB_OBJECT_LIMIT_PROCESS_MEMORY) but does not" \
    "enforce it; here the console's own limit (1 GiB committed, looked at every second) ends the board"
pass "a board that allocates without end: ended at most ${peak_mb} MB resident, started again ($boards_seen processes); the console works"
exit_program "after the growing board"
cp "$e2e_work/brevanto.dll" "$folder/brevanto.dll"

# --- Uninstalled silently: nothing of it left ---------------------------------------------------
run_windows "$folder/Uninstall.exe" /S "_?=$windows_folder" >"$e2e_work/uninstall.out" 2>&1 ||
    fail "the silent uninstall failed"
[[ ! -e "$folder" ]] || fail "left behind: $(cd "$folder" && find . | head -n 10 | paste -sd ' ')"
[[ ! -e "$start_menu" ]] || fail "the Start-menu entry is left behind"
! registry_has "$uninstall_key" || fail "the uninstall entry is left in the registry"
pass "uninstalled silently: no file, Start-menu entry or uninstall entry left"
