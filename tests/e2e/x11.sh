# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# shellcheck disable=SC2154 # e2e_work and e2e_app are session.sh's, sourced before this file
# Helpers for the end-to-end scripts on an X server, sourced after session.sh: the operator
# window found and clicked with xdotool, its geometry and state, the message box, and a window
# manager of its own.

# Key strokes for stroke(): xdotool's key names (shift+p, F1, Escape, ccedilla).
send_keys() {
    xdotool key "$@"
}

# The operator window's id, once it is shown; fails without it.
find_form() {
    form=$(xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1)
    [[ -n "$form" ]] || fail "no window named Form1"
}

# Clicks at a point of the operator window (client coordinates, from console/form1.ui).
click_at() {
    xdotool mousemove --sync --window "$form" "$1" "$2" click 1
}
# shellcheck disable=SC2034 # used by the scripts that source this file
readonly MINUTOS=(47 97) BOARD=(311 115) PICTURE1=(250 16) COMMAND4=(394 16) COMMAND5=(414 16)

# The operator window's size and place: 431x206@744,437.
geometry() {
    xdotool getwindowgeometry "$form" | awk '/Position/ {p = $2} /Geometry/ {g = $2} END {print g "@" p}'
}
is_geometry() { [[ $(geometry) == "$1" ]]; }

# Whether the window manager has the operator window full screen.
is_fullscreen_state() {
    xprop -id "$form" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN
}

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

# Space without a time shows the "Set the time" box, which Return closes; the board sees nothing
# meanwhile, and is refreshed once the box has closed. The keys reach the box and then the
# operator window without help: the next stroke after it must work.
# Usage: refused_space <period> <points_a> <points_b> <faults_a> <faults_b>
refused_space() {
    local mark box
    mark=$(log_mark)
    xdotool key space
    box=$(wait_for message_box) || true
    [[ -n "$box" ]] || fail "Space without a time showed no message box"
    pass "Space without a time: a message box over the operator window ($box)"
    # While the box is open the handler waits in it: nothing has been sent yet.
    [[ -z "$(calls_since "$mark")" ]] || fail "calls made while the message box was open"
    xdotool key Return
    expect_board "$mark" "message closed" "$@"
    expect_no_call "$mark" "refused Space" '^\["(Play|GotoFrame|GetVariable)"'
    xdotool search --onlyvisible --name '.*' | grep -qx "$box" && fail "the message box is still shown"
    return 0
}

# Drags the window by its strip with the left button and checks that it followed the pointer.
drag_by() {
    local dx=$1 dy=$2 before after x y
    before=$(geometry)
    x=${before#*@} && y=${x#*,} && x=${x%,*}
    xdotool mousemove --sync --window "$form" "${PICTURE1[@]}" mousedown 1
    xdotool mousemove_relative --sync -- "$dx" "$dy"
    xdotool mouseup 1
    after="${before%@*}@$((x + dx)),$((y + dy))"
    wait_for is_geometry "$after" || fail "drag by $dx,$dy: the window is at $(geometry), not $after"
    pass "drag by $dx,$dy: the window is at $after"
}

# Starts openbox on the X server and waits until it manages the screen: the root window names
# its check window (_NET_SUPPORTING_WM_CHECK).
start_openbox() {
    mkdir -p "$e2e_work/openbox-home"
    HOME="$e2e_work/openbox-home" openbox --sm-disable >"$e2e_work/openbox.out" 2>&1 &
    e2e_helpers+=($!)
    # shellcheck disable=SC2317 # called by wait_for
    wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    wait_for wm_running || fail "openbox did not start: $(cat "$e2e_work/openbox.out")"
}
