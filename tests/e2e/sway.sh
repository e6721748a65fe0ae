#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The running program native on Wayland, under a headless sway the script starts: the first key
# strokes, the hotkeys from a virtual keyboard (letters, F-keys, the digit row, several keys in
# one keymap of the keyboard's own), the "Set the time" box, full screen and back with Escape,
# and the exit button, reached with the keyboard (the headless compositor has no pointer).
# Usage: sway.sh <path to the brevanto executable>
set -euo pipefail
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/wayland.sh"

program=${1:?usage: sway.sh <brevanto executable>}
require_tools sway swaymsg wtype grim jq convert
[[ $(id -u) -ne 0 ]] || require_tools useradd setpriv

e2e_begin
start_sway
program=$(readable_by_desktop_user --folder "$program")
lsan=$(readable_by_desktop_user "$e2e_lib/lsan.supp")
# The GL driver Qt's Wayland plugin loads has no frame pointers: only the slow unwinder finds the
# library a leak of its own comes from, for the suppressions to name it.
settings=(QT_QPA_PLATFORM=wayland
    LSAN_OPTIONS="suppressions=$lsan:print_suppressions=0:fast_unwind_on_malloc=0")
if [[ ${TSAN_OPTIONS:-} =~ suppressions=([^ :]+) ]]; then
    tsan=$(readable_by_desktop_user "${BASH_REMATCH[1]}")
    settings+=(TSAN_OPTIONS="${TSAN_OPTIONS/${BASH_REMATCH[1]}/$tsan}")
fi
# shellcheck disable=SC2046 # the settings are words
start_program "$program" $(session_env) "${settings[@]}"
wait_for form_state >/dev/null || fail "sway shows no window named Form1"
windowed=$(form_state)
pass "started: the operator window at $windowed"

# The compositor focuses the new window: the first stroke is a hotkey.
stroke 1 1 001 000 00 00
stroke "-M shift 1 -m shift" 1 000 000 00 00
stroke 9 1 000 001 00 00
stroke "-k F1" 1 000 001 01 00
stroke "-M shift -k F9 -m shift" 1 000 001 01 00
stroke "-k F9" 1 000 001 01 01
stroke p 2 000 001 01 01
stroke "-M shift p -m shift" 1 000 001 01 01
# One keymap for several keys puts them on key codes 9, 10, 11...: a 9, a P or an F9 there is
# no digit-row 1.
stroke 19 1 001 002 01 01
stroke 1p 2 002 002 01 01
stroke "-k F1 -k F9" 2 002 002 02 02
stroke "-k Escape" 2 002 002 02 02

# --- Space without a time: the box, closed with Return ----------------------------------------
mark=$(log_mark)
send_keys " "
box_shown() { [[ $(program_windows | grep -vc '^Form1|') -ge 1 ]]; }
wait_for box_shown || fail "Space without a time showed no message box"
[[ -z "$(calls_since "$mark")" ]] || fail "calls made while the message box was open"
send_keys -k Return
expect_board "$mark" "message closed" 2 002 002 02 02
box_shown && fail "the message box is still shown"
stroke 9 2 002 003 02 02

# --- Full screen and back: Shift+Tab twice from the key catcher reaches Command4 ---------------
picture "$e2e_work/windowed.png"
stroke "-M shift -k Tab -k Tab -m shift" 2 002 003 02 02
send_keys " "
wait_for is_form_state "1|1920x1080@0,0" || fail "full screen: sway has the window as $(form_state)"
sleep 1
is_form_state "1|1920x1080@0,0" || fail "a second later sway has the window as $(form_state)"
# The board covers the screen: black at its left and right edges, where the window's own
# background lay before.
picture "$e2e_work/fullscreen.png"
for point in "10 540" "1910 540"; do
    # shellcheck disable=SC2086 # x and y
    [[ $(pixel_at "$e2e_work/fullscreen.png" $point) == "#000000" ]] ||
        fail "full screen: the pixel at $point is $(pixel_at "$e2e_work/fullscreen.png" $point)"
done
pass "full screen: sway has the window full screen and the board covers the screen"
stroke "-k Escape" 2 002 003 02 02
wait_for is_form_state "0|${windowed#*|}" || fail "after Escape sway has the window as $(form_state)"
pass "Escape: the window is back at ${windowed#*|}"
stroke "-k F9" 2 002 003 02 03

# --- The exit button, the one before the key catcher -----------------------------------------
send_keys -M shift -k Tab -m shift
send_keys " "
expect_ended "the exit button"
