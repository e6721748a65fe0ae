#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer and the installed program under Wine, as a user meets them: a silent
# install of the default board; an upgrade by hand through the installer's pages, by key strokes,
# the board page's picture looked at as the list goes through the gallery, and the program started
# from the last page; a silent upgrade to another board; the program started from its installed
# folder, the splash and then the operator window, hotkeys as real key strokes (the points fields
# and the board's digits looked at on the screen), a board that loops and one that allocates
# without end, the exit button, and a silent uninstall that leaves nothing behind.
#
# The desktop is Wine's own (a virtual desktop on the X server), which keeps the keyboard focus by
# Windows' rules: the key strokes go to whatever window Windows would give them, not to the window
# under the pointer, which stays in a corner.
#
# Usage: tests/windows/e2e.sh <installer.exe>
# Needs DISPLAY (an Xvfb of 1920x1080), WINEPREFIX (a prefix of this run's own, with the virtual
# desktop set up: tests/windows/run does both) and the tools below; beside the installer, the
# build's pictures of the boards for the installer (windows/installer/boards/NAME.bmp).
# BREVANTO_E2E_SHOTS, a folder, keeps the pictures of the board's area and of the installer's
# board page that the checks look at.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# Wine on a busy machine is slow to start a program: a minute for what a native run gets 20 s.
E2E_PATIENCE=${E2E_PATIENCE:-600}
# shellcheck source=SCRIPTDIR/../e2e/session.sh
source "$here/../e2e/session.sh"

installer=${1:?usage: e2e.sh <installer.exe>}
board_pictures=$(dirname "$installer")/windows/installer/boards
require_tools wine wineserver xdotool xwininfo convert compare bc
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

# --- Installed silently -----------------------------------------------------------------------
run_windows "$installer" /S >"$e2e_work/install.out" 2>&1 || fail "the silent install failed"
[[ -f "$folder/brevanto.exe" && -f "$folder/Uninstall.exe" ]] || fail "nothing installed in $folder"
cmp -s "$folder/brevanto.dll" "$folder/boards/classic/board.qml" ||
    fail "a new install did not put the default board in place"
[[ -f "$start_menu/Brevanto.lnk" ]] || fail "no Start-menu entry"
registry_has "$uninstall_key" || fail "no uninstall entry in the registry"
pass "installed silently under Program Files: the default board, a Start-menu entry"

# In the corner, over Wine's desktop: never over a window of the program's.
park_pointer() { xdotool mousemove 5 5; }
send_keys() {
    park_pointer
    xdotool key "$@"
}

# --- The program and its windows, as the checks find them --------------------------------------

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

# --- Upgraded by hand, page by page -------------------------------------------------------------
# As a club upgrades: the installer run again, every page gone through by key strokes, the board
# page's picture looked at as the list goes through the gallery, a board other than the default
# chosen, and Brevanto started from the last page.
less_than() { (($(echo "$1 < $2" | bc))); }

# A window's picture on the screen.
window_shot() {
    import -window root -crop "$(xwininfo -id "$1" |
        awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
             /Width/ {w = $2} /Height/ {h = $2} END {print w "x" h "+" x "+" y}')" +repage "$2"
}
keep_shot() {
    if [[ -n ${BREVANTO_E2E_SHOTS:-} ]]; then cp "$1" "$BREVANTO_E2E_SHOTS/$2"; fi
}

# The installer's window (its question before the pages comes in a window of the same name).
setup_window() { xdotool search --onlyvisible --name '^Brevanto Setup$' 2>/dev/null | head -n 1; }
setup_shown() { [[ -n $(setup_window) ]]; }
window_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
# Key strokes go to the window that has the keyboard; a window just shown may not have it yet.
has_keyboard() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }

# A key stroke in the installer, and its next page once the window has changed and settled.
next_page() {
    local key=$1 what=$2 before=$e2e_work/page-before.png now=$e2e_work/page.png
    local settled=$e2e_work/page-settled.png deadline=$((SECONDS + E2E_PATIENCE / 10))
    window_shot "$wizard" "$before"
    rm -f "$settled"
    send_keys "$key"
    while ((SECONDS < deadline)); do
        sleep 0.3
        window_shot "$wizard" "$now"
        [[ -n $(changed_region "$before" "$now") ]] || continue
        [[ -f $settled && $(changed_pixels "$settled" "$now") == 0 ]] && return 0
        cp "$now" "$settled"
    done
    fail "$what: the installer did not go on after $key"
}

# The first and last pages have the artwork's side picture: the window's left strip is the night
# sky, where the other pages are light.
side_picture_shown() {
    window_shot "$wizard" "$e2e_work/page.png"
    less_than "$(convert "$e2e_work/page.png" -crop 150x190+8+100 +repage -colorspace gray \
        -format '%[fx:mean]' info:)" 0.4
}

# Where a picture lies in the window's shot, as "X Y": looked for at an eighth of the size, then
# near there at full size.
best_place() {
    # compare says "<distance> (<normalized>) @ X,Y", without an end of line, and fails unless the
    # pictures are the same.
    { compare -metric RMSE -subimage-search "$1" "$2" null: 2>&1 || true; } |
        sed -n 's/.* @ \([0-9]*\),\([0-9]*\).*/\1 \2/p'
}
find_picture() {
    local shot=$1 picture=$2 x y dx dy w h
    convert "$shot" -scale 12.5% "$e2e_work/shot-small.png"
    convert "$picture" -scale 12.5% "$e2e_work/picture-small.png"
    read -r x y <<<"$(best_place "$e2e_work/shot-small.png" "$e2e_work/picture-small.png")"
    [[ -n $x ]] || return 1
    x=$((x * 8 > 12 ? x * 8 - 12 : 0)) y=$((y * 8 > 12 ? y * 8 - 12 : 0))
    read -r w h <<<"$(identify -format '%w %h' "$picture")"
    convert "$shot" -crop "$((w + 24))x$((h + 24))+$x+$y" +repage "$e2e_work/shot-near.png"
    read -r dx dy <<<"$(best_place "$e2e_work/shot-near.png" "$picture")"
    [[ -n $dx ]] || return 1
    echo "$((x + dx)) $((y + dy))"
}

# How far the window's picture at the found place is from a board's picture: 0 the same, 1 all
# different.
picture_distance() {
    { compare -metric RMSE "$e2e_work/board-page.png" "$board_pictures/$1.bmp" null: 2>&1 || true; } |
        sed -n 's/.*(\([0-9.e-]*\)).*/\1/p'
}
# Waits until the board page shows the gallery's picture of that board and of no other.
expect_board_picture() {
    local board=$1 deadline=$((SECONDS + E2E_PATIENCE / 10)) file other distances
    local -A distance=()
    while ((SECONDS < deadline)); do
        window_shot "$wizard" "$e2e_work/page.png"
        convert "$e2e_work/page.png" -crop "${picture_size}+$picture_x+$picture_y" +repage \
            "$e2e_work/board-page.png"
        distances=""
        for file in "$board_pictures"/*.bmp; do
            other=$(basename "$file" .bmp)
            distance[$other]=$(picture_distance "$other")
            distances+="$other ${distance[$other]}, "
        done
        if less_than "${distance[$board]}" 0.02; then
            for other in "${!distance[@]}"; do
                [[ $other == "$board" ]] || less_than 0.05 "${distance[$other]}" ||
                    fail "the board page: $board's picture is too like $other's (${distances%, })"
            done
            keep_shot "$e2e_work/page.png" "board-page-$board.png"
            pass "the board page shows $board's picture from the gallery (distances ${distances%, })"
            return 0
        fi
        sleep 0.3
    done
    fail "the board page: no picture of $board at $picture_x,$picture_y (${distances%, })"
}

desktop_up
park_pointer
# The program it starts at the end stays up until the exit button: wine-run waits for it.
WINE_RUN_LINGER=$((E2E_PATIENCE / 5)) "$wine_run" "$installer" >"$e2e_work/install-pages.out" 2>&1 &
e2e_app=$!
# Installed already: the installer first asks whether to remove the old version; Yes, its default.
wait_for setup_shown || fail "the installer showed no window"
question=$(setup_window)
wait_for has_keyboard "$question" || fail "the question about the old version has no keyboard"
send_keys Return
wait_for window_gone "$question" || fail "the question about the old version stayed"
wait_for setup_shown || fail "the installer showed no page after removing the old version"
wizard=$(setup_window)
wait_for has_keyboard "$wizard" || fail "the installer's pages have no keyboard"
wait_for side_picture_shown || fail "the welcome page shows no side picture"
keep_shot "$e2e_work/page.png" "welcome.png"
next_page Return "the welcome page"
keep_shot "$e2e_work/page.png" "licence.png"
next_page Return "the licence page"
read -r picture_x picture_y < <(find_picture "$e2e_work/page.png" "$board_pictures/classic.bmp") ||
    fail "the board page shows no picture of the default board"
picture_size=$(identify -format '%wx%h' "$board_pictures/classic.bmp")
expect_board_picture classic
send_keys Down
expect_board_picture widescreen
send_keys Down
expect_board_picture contrast
send_keys Up
expect_board_picture widescreen
next_page Return "the board page"
next_page Return "the folder page"
send_keys Return
wait_for side_picture_shown || fail "no last page after installing"
keep_shot "$e2e_work/page.png" "finish.png"
cmp -s "$folder/brevanto.dll" "$folder/boards/widescreen/board.qml" ||
    fail "the upgrade by hand did not put the chosen board in place"
[[ ! -e "$folder/parts/SegmentDigit.qml" ]] || fail "the default board's parts stayed behind"
pass "upgraded through the pages: the board chosen on its page in place, the old one's parts gone"

# "Start Brevanto", ticked on the last page: Finish starts the installed program.
send_keys Return
wait_for window_gone "$wizard" || fail "the last page stayed after Finish"
finished=$(now)
operator_window_shown() { xdotool search --onlyvisible --name '^Form1$' >/dev/null 2>&1; }
wait_for operator_window_shown || fail "Finish started no operator window"
[[ -n $(prefix_pids "^[A-Z]:.*\\\\Brevanto\\\\brevanto\\.exe") ]] ||
    fail "the operator window is not the installed program's"
pass "started from the last page: the operator window $(ms_between "$finished" "$(now)") ms after Finish"
form=$(xdotool search --onlyvisible --name '^Form1$' | head -n 1)
form_x=$(xwininfo -id "$form" | awk '/Absolute upper-left X/ {print $4}')
form_y=$(xwininfo -id "$form" | awk '/Absolute upper-left Y/ {print $4}')
exit_program "started from the last page"

# --- Upgraded silently to another board ---------------------------------------------------------
run_windows "$installer" /S /BOARD=contrast >>"$e2e_work/install.out" 2>&1 ||
    fail "the upgrade to the board contrast failed"
cmp -s "$folder/brevanto.dll" "$folder/boards/contrast/board.qml" ||
    fail "the upgrade did not put the chosen board in place"
[[ ! -e "$folder/parts/TeamPanel.qml" ]] || fail "the board before's parts stayed behind"
pass "upgraded with /BOARD=contrast: that board in place, the old one's parts gone"

# --- The program, started from its folder ------------------------------------------------------
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
