#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# From the splash closing to the first key stroke that works, on each desktop: a bare X server,
# openbox on an X server, and sway (native Wayland). The movie's assignment in the call log
# follows the splash's closing at once; from the moment it shows, F1 is pressed every 20 ms
# until the board is sent a changed fouls count. The call log is read every 10 ms, so a figure
# is good to about 30 ms. Prints each run and the median per desktop, in milliseconds.
# Usage: bench/first_key.sh <brevanto executable> [runs] [bare|openbox|sway ...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

if [[ ${1:-} == --once ]]; then
    desktop=$2 program=$3
    source "$here/../tests/e2e/session.sh"
    e2e_begin
    settings=(QT_QPA_PLATFORM=xcb)
    case $desktop in
    bare | openbox)
        source "$here/../tests/e2e/x11.sh"
        start_xvfb
        [[ $desktop == bare ]] || start_openbox
        ;;
    sway)
        source "$here/../tests/e2e/wayland.sh"
        start_sway
        program=$(readable_by_desktop_user --folder "$program")
        # shellcheck disable=SC2207 # the settings are words
        settings=(QT_QPA_PLATFORM=wayland $(session_env))
        send_keys() { as_desktop_user wtype -k "$@"; }
        ;;
    esac
    now_ms() { echo $(($(date +%s%N) / 1000000)); }
    seen() { grep -qE "$1" "$e2e_work/calls.log"; }
    launch_program "$program" "${settings[@]}"
    until seen '^\["Movie",'; do sleep 0.01; done
    start=$(now_ms)
    until seen '^\["SetVariable","faults_a","[0-9]*[1-9]"\]'; do
        (($(now_ms) - start < 10000)) || { echo never; exit 0; }
        send_keys F1
        sleep 0.02
    done
    echo $(($(now_ms) - start))
    exit 0
fi

program=$(realpath "${1:?usage: first_key.sh <brevanto executable> [runs] [desktops...]}")
runs=${2:-5}
desktops=("${@:3}")
[[ ${#desktops[@]} -gt 0 ]] || desktops=(bare openbox sway)
for desktop in "${desktops[@]}"; do
    times=()
    for ((i = 0; i < runs; i++)); do times+=("$("$0" --once "$desktop" "$program" | tail -n 1)"); done
    median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
    printf '%-8s median %s ms   (runs: %s)\n' "$desktop" "$median" "${times[*]}"
done
