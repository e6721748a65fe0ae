#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The running program under a real window manager (openbox) on an X server: the first key
# strokes, the "Set the time" box, full screen held by the window manager and back, a drag by
# the strip, and the exit button.
# Usage: openbox.sh <path to the brevanto executable>
set -euo pipefail
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/x11.sh"

program=${1:?usage: openbox.sh <brevanto executable>}
require_tools Xvfb xdotool xprop openbox

e2e_begin
start_xvfb
start_openbox
start_program "$program" QT_QPA_PLATFORM=xcb
find_form

# The window manager gave the new window the focus: the first stroke is a hotkey.
stroke 1 1 001 000 00 00
stroke F9 1 001 000 00 01
refused_space 1 001 000 00 01
stroke p 2 001 000 00 01

# --- Full screen, held by the window manager ---------------------------------------------------
windowed=$(geometry)
click_at "${COMMAND4[@]}"
wait_for is_geometry "1920x1080@0,0" || fail "full screen: the window is $(geometry)"
wait_for is_fullscreen_state || fail "full screen: _NET_WM_STATE_FULLSCREEN is not set"
# A geometry set by hand would make the window manager leave full screen again, within a moment.
sleep 1
is_fullscreen_state || fail "a second after the click _NET_WM_STATE_FULLSCREEN is gone"
is_geometry "1920x1080@0,0" || fail "a second after the click the window is $(geometry)"
pass "full screen: the window covers the screen and the window manager holds it full screen"
stroke Escape 2 001 000 00 01
wait_for is_geometry "$windowed" || fail "after Escape the window is $(geometry), not $windowed"
is_fullscreen_state && fail "after Escape the window manager still has the window full screen"
pass "Escape: the window is back at $windowed"

drag_by -60 45
click_at "${BOARD[@]}"
stroke shift+9 2 001 000 00 01

click_at "${COMMAND5[@]}"
expect_ended "the exit button"
