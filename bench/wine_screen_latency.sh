#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How late the clock's changes reach the screen from the Windows build under Wine: the runnable
# folder's brevanto.exe on Wine's desktop (an Xvfb and a Wine prefix of this run's own), its clock
# typed, set and started by clicks as an operator does, and wine_screen_latency sampling the
# board's area of the operator window (console/form1.ui) while it counts down.
#
# Usage: bench/wine_screen_latency.sh <Windows build folder> <wine_screen_latency> [m:ss]
#   e.g. bench/wine_screen_latency.sh build-windows build-bench/bin/wine_screen_latency 1:05
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
windows_build=$(realpath "${1:?usage: wine_screen_latency.sh <Windows build> <sampler> [m:ss]}")
sampler=$(realpath "${2:?usage: wine_screen_latency.sh <Windows build> <sampler> [m:ss]}")
start=${3:-1:05}
minutes=${start%%:*} seconds=${start#*:}
[[ $start == *:* && $minutes =~ ^[0-9]+$ && $seconds =~ ^[0-9]+$ ]] ||
    { echo "usage: wine_screen_latency.sh <Windows build> <sampler> [m:ss]" >&2; exit 2; }
# Wine on a busy machine is slow to start a program.
E2E_PATIENCE=${E2E_PATIENCE:-600}
# shellcheck source=SCRIPTDIR/../tests/e2e/session.sh
source "$here/../tests/e2e/session.sh"
require_tools wine wineserver xdotool xwininfo
program="$windows_build/brevanto/brevanto.exe"
[[ -f $program ]] || fail "no $program (make windows)"

e2e_begin
export WINEPREFIX=$e2e_work/prefix WINEDEBUG=-all
# shellcheck disable=SC2317 # the EXIT trap's
end_wine() {
    wineserver --kill 2>/dev/null || true
    e2e_cleanup
}
trap end_wine EXIT
start_xvfb
"$here/../scripts/windows/wine-desktop-prefix"
wine explorer /desktop=Default,1920x1080 >"$e2e_work/desktop.out" 2>&1 &
e2e_helpers+=($!)
wait_for xdotool search --onlyvisible --name '^Default - Wine desktop$' >/dev/null ||
    fail "Wine's desktop did not start"

# The call log with the moment of each call, in seconds of Wine's monotonic clock.
QT_LOGGING_RULES="brevanto.board.calls.debug=true" \
    QT_MESSAGE_PATTERN="%{time boot} %{if-category}%{category}: %{endif}%{message}" \
    "$here/../scripts/windows/wine-run" "$program" >"$e2e_work/calls.log" 2>&1 &
e2e_app=$!
form_shown() { xdotool search --onlyvisible --name '^Form1$' >/dev/null 2>&1; }
wait_for form_shown || fail "no operator window"
form=$(xdotool search --onlyvisible --name '^Form1$' | head -n 1)
form_x=$(xwininfo -id "$form" | awk '/Absolute upper-left X/ {print $4}')
form_y=$(xwininfo -id "$form" | awk '/Absolute upper-left Y/ {print $4}')
# A point of the operator window, by its client coordinates (console/form1.ui).
click_at() {
    xdotool mousemove "$((form_x + $1))" "$((form_y + $2))" click 1
    xdotool mousemove 5 5
}
sleep 2

click_at 47 97 # Min
xdotool type "$minutes"
click_at 100 97 # Sec
xdotool type "$seconds"
click_at 37 184 # Set
sleep 1
"$sampler" "229x171+$((form_x + 197))+$((form_y + 30))" "$start" \
    "$((10#$minutes * 60 + 10#$seconds + 3))" "$e2e_work/calls.log" &
measuring=$!
sleep 1
click_at 163 184 # Play
wait "$measuring"
click_at 414 16 # the exit button
wait "$e2e_app" || true
e2e_app=""
