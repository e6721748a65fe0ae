#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CPU the program and the board's process use together while the clock runs with the board full
# screen at 1920x1080 under Xvfb: 60 s above the last minute, then the last minute with tenths.
# Prints both as a share of one core. Usage: bench/clock_cpu.sh <path to the brevanto executable>
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/session.sh"

program=${1:?usage: clock_cpu.sh <brevanto executable>}
require_tools Xvfb xdotool
e2e_begin
start_xvfb
start_program "$program" QT_QPA_PLATFORM=xcb
form=$(xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1)
xdotool windowfocus --sync "$form"
click_at() { xdotool mousemove --sync --window "$form" "$1" "$2" click 1; }

# 2:05 on the clock: Min 2, Sec 5 (client coordinates from console/form1.ui), Set, Play, full screen.
click_at 47 97 && xdotool type 2
click_at 100 97 && xdotool type 5
click_at 37 184
click_at 163 184
click_at 394 16

# The program and the processes it started.
processes() { echo "$e2e_app"; cat /proc/"$e2e_app"/task/*/children 2>/dev/null; }
cpu_ticks() {
    local pid total=0
    for pid in $(processes); do
        total=$((total + $(awk '{ print $14 + $15 }' "/proc/$pid/stat")))
    done
    echo "$total"
}
measure() { # <label> <seconds>
    local before after
    before=$(cpu_ticks)
    sleep "$2"
    after=$(cpu_ticks)
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$2" -v l="$1" \
        'BEGIN { printf "%-28s %5.2f %% of one core over %d s\n", l, 100 * t / hz / s, s }'
}
sleep 2            # 2:03
measure "above one minute (m:ss)" 60   # to 1:03
sleep 4            # 0:59
measure "last minute (s.t)" 58         # to 0:01
