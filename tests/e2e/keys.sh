#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The running program under a real X server, driven by real key strokes and clicks (xdotool):
# the hotkeys, the "Set the time" refusal, a time typed into a field and held by its filter, the
# clock commands, full screen and back, a drag by the strip, the digit row on a French keyboard,
# and the exit button. There is no window manager: the program gets the keyboard focus itself.
# After each stroke the call log must show what the board was sent.
# Usage: keys.sh <path to the brevanto executable>
set -euo pipefail
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/x11.sh"

program=${1:?usage: keys.sh <brevanto executable>}
require_tools Xvfb xdotool xprop
command -v setxkbmap >/dev/null || fail "setxkbmap is missing (package x11-xkb-utils)"

e2e_begin
start_xvfb
start_program "$program" QT_QPA_PLATFORM=xcb
pass "started: $(grep '^\["Shown",' "$e2e_work/calls.log")"
grep -qx '\["Shown","movie"\]' "$e2e_work/calls.log" || fail "the movie was not loaded"
find_form
# No window manager gives the new window the keyboard focus: the program asks for it, and the
# first stroke below is the first key the program gets.

# --- Hotkeys: points, fouls and the period, up and down -------------------------------------
stroke 1 1 001 000 00 00
stroke 1 1 002 000 00 00
stroke shift+1 1 001 000 00 00
stroke F1 1 001 000 01 00
stroke 9 1 001 001 01 00
stroke F9 1 001 001 01 01
stroke shift+F9 1 001 001 01 00
stroke p 2 001 001 01 00
stroke shift+p 1 001 001 01 00
stroke p 2 001 001 01 00

# --- Space without a time: refused with a modal message --------------------------------------
refused_space 2 001 001 01 00
# The focus is back in the operator window: the next stroke is a hotkey.
stroke F1 2 001 001 02 00
stroke shift+F1 2 001 001 01 00

# --- A time typed into Min: keys go to the field, its filter holds it ----------------------
mark=$(log_mark)
click_at "${MINUTOS[@]}"
# "101" is above the bound of 100 and empties the field; the Backspace leaves it empty; "2" stays.
xdotool type --delay 50 101
xdotool key BackSpace
xdotool type 2
sleep 0.5
[[ -z "$(calls_since "$mark")" ]] || fail "typing into Min reached the board: $(calls_since "$mark")"
pass "typing into Min changed nothing on the board"

# A click on the board hands the focus back to the key catcher.
click_at "${BOARD[@]}"

mark=$(log_mark)
xdotool key shift+s
expect_calls "$mark" "Shift+S sets the clock" \
    '["SetVariable","s_min","2"] ["SetVariable","s_sec","0"]'
expect_calls "$mark" "Shift+S restarts the clock sequence" '["GotoFrame","0"] ["Play"]'
expect_board "$mark" "Shift+S" 2 001 001 01 00

mark=$(log_mark)
xdotool key space
expect_calls "$mark" "Space starts the clock" \
    '["GetVariable","sec"] ["GetVariable","mil"] ["GetVariable","min"] ["Play"]'
expect_board "$mark" "Space (play)" 2 001 001 01 00

mark=$(log_mark)
xdotool key space
expect_calls "$mark" "Space holds the clock" '["GotoFrame","6"]'
expect_board "$mark" "Space (pause)" 2 001 001 01 00

# --- Full screen and back ---------------------------------------------------------------------
windowed=$(geometry)
click_at "${COMMAND4[@]}"
wait_for is_geometry "1920x1080@0,0" || fail "full screen: the window is $(geometry)"
pass "the full-screen button: the window covers the screen"
# The full-screen button handed the focus to the key catcher: Escape works without a click.
stroke Escape 2 001 001 01 00
wait_for is_geometry "$windowed" || fail "after Escape the window is $(geometry), not $windowed"
pass "Escape: the window is back at $windowed"
drag_by 40 30
# The strip took the focus with the press; a click on the board hands it back to the key catcher.
click_at "${BOARD[@]}"

# --- The digit row on a French keyboard -------------------------------------------------------
# The 1-key types "&" unshifted and "1" with Shift; the 9-key types "ç". The hotkeys follow the
# key, not the character.
setxkbmap fr || fail "setxkbmap fr failed"
sleep 0.5
stroke ampersand 2 002 001 01 00
stroke shift+1 2 001 001 01 00
stroke ccedilla 2 001 002 01 00
setxkbmap us

# --- The exit button ends the program -------------------------------------------------------
click_at "${COMMAND5[@]}"
expect_ended "the exit button"
