#!/usr/bin/env bash
# The running program under a real X server, driven by real key strokes and clicks (xdotool):
# the hotkeys, the "Set the time" refusal, a time typed into a field and held by its filter, the
# clock commands, full screen and back, the digit row on a French keyboard, and the exit button.
# After each stroke the call log must show what the board was sent.
# Usage: keys.sh <path to the brevanto executable>
set -euo pipefail
source "$(dirname "$0")/session.sh"

program=${1:?usage: keys.sh <brevanto executable>}
require_tools Xvfb xdotool
command -v setxkbmap >/dev/null || fail "setxkbmap is missing (package x11-xkb-utils)"

e2e_begin
start_xvfb
start_program "$program" QT_QPA_PLATFORM=xcb
pass "started: $(grep '^\["Shown",' "$e2e_work/calls.log")"
grep -qx '\["Shown","movie"\]' "$e2e_work/calls.log" || fail "the movie was not loaded"

form=$(xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1)
[[ -n "$form" ]] || fail "no window named Form1"
# No window manager gives the new window the keyboard focus: the program asks for it, and the
# first stroke below is the first key the program gets.

# Clicks at a point of the operator window (client coordinates, from console/form1.ui).
click_at() {
    xdotool mousemove --sync --window "$form" "$1" "$2" click 1
}
readonly MINUTOS=(47 97) BOARD=(311 115) COMMAND4=(394 16) COMMAND5=(414 16)

# stroke <keys> <period> <points_a> <points_b> <faults_a> <faults_b>
stroke() {
    local keys=$1 mark
    shift
    mark=$(log_mark)
    xdotool key "$keys"
    expect_board "$mark" "$keys" "$@"
}

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
mark=$(log_mark)
xdotool key space
# The message box: a shown window that stands over the operator window.
message_box() {
    local w owner
    owner=$(printf '0x%x' "$form")
    for w in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
        [[ $w != "$form" ]] && xprop -id "$w" WM_TRANSIENT_FOR 2>/dev/null | grep -q "$owner" &&
            echo "$w" && return 0
    done
    return 1
}
box=$(wait_for message_box) || true
[[ -n "$box" ]] || fail "Space without a time showed no message box"
pass "Space without a time: a message box over the operator window ($box)"
# While the box is open the handler waits in it: nothing has been sent yet.
[[ -z "$(calls_since "$mark")" ]] || fail "calls made while the message box was open"
# The box has the focus: Return closes it.
xdotool key Return
expect_board "$mark" "message closed" 2 001 001 01 00
expect_no_call "$mark" "refused Space" '^\["(Play|GotoFrame|GetVariable)"'
xdotool search --onlyvisible --name '.*' | grep -qx "$box" && fail "the message box is still shown"
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
geometry() {
    xdotool getwindowgeometry "$form" | awk '/Position/ {p = $2} /Geometry/ {g = $2} END {print g "@" p}'
}
windowed=$(geometry)
is_geometry() { [[ $(geometry) == "$1" ]]; }
click_at "${COMMAND4[@]}"
wait_for is_geometry "1920x1080@0,0" || fail "full screen: the window is $(geometry)"
pass "the full-screen button: the window covers the screen"
# The full-screen button handed the focus to the key catcher: Escape works without a click.
stroke Escape 2 001 001 01 00
wait_for is_geometry "$windowed" || fail "after Escape the window is $(geometry), not $windowed"
pass "Escape: the window is back at $windowed"

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
# Ended: gone, or a zombie waiting for us to collect its status.
ended() { [[ ! -e /proc/$e2e_app/stat ]] || [[ $(awk '{print $3}' "/proc/$e2e_app/stat") == Z ]]; }
wait_for ended || fail "the program still runs after a click on the exit button"
status=0
wait "$e2e_app" || status=$?
e2e_app=""
[[ $status -eq 0 ]] || fail "the program ended with status $status"
pass "the exit button ended the program (status 0)"
