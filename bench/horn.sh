#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The horn on a sound server of our own whose only output is a null sink, recorded from its
# monitor: when each horn starts after "0.0" and how long it is heard.
# Usage: bench/horn.sh <path to horn_onset> [horns]
set -euo pipefail
program=${1:?usage: horn.sh <horn_onset> [horns]}
if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
    echo "pulseaudio and parec are needed (packages pulseaudio, pulseaudio-utils)"
    exit 77
fi
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work" PULSE_SERVER="unix:$work/pulse.socket"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=no \
    --load="module-native-protocol-unix socket=$work/pulse.socket auth-anonymous=1" \
    --load="module-null-sink sink_name=bench rate=48000" \
    --load="module-always-sink" >"$work/pulse.log" 2>&1 &
server=$!
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink bench
QT_QPA_PLATFORM=offscreen "$program" bench.monitor "${2:-4}"
