# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# shellcheck disable=SC2154 # e2e_work and e2e_app are session.sh's, sourced before this file
# Helpers for the end-to-end scripts under Wayland, sourced after session.sh: a headless sway of
# the script's own, keys from a virtual keyboard (wtype), pictures (grim) and the window's state
# (swaymsg). sway refuses to run as root: run as root, the script runs sway, the program and the
# tools as an unprivileged user, made the first time.

readonly E2E_DESKTOP_USER=brevanto-e2e
e2e_wayland=""
e2e_swaysock=""

# The settings the program and the tools need in the compositor's session.
session_env() {
    echo "HOME=$e2e_work/home" "XDG_RUNTIME_DIR=$e2e_work/runtime" \
        "WAYLAND_DISPLAY=$e2e_wayland" "SWAYSOCK=$e2e_swaysock"
}

# Runs a command as the desktop's user, in the compositor's session.
as_desktop_user() {
    # shellcheck disable=SC2046 # the settings are words
    "${e2e_as[@]}" env -u DISPLAY $(session_env) "$@"
}

# Sets e2e_as to run commands as the desktop's user, made if missing; as root only.
desktop_user() {
    [[ $(id -u) -eq 0 ]] || return 0
    if ! id "$E2E_DESKTOP_USER" >/dev/null 2>&1; then
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
            "$E2E_DESKTOP_USER" || fail "could not make the user $E2E_DESKTOP_USER"
    fi
    e2e_as=(setpriv --reuid="$E2E_DESKTOP_USER" --regid="$E2E_DESKTOP_USER" --init-groups)
}

# A file's path, or that of a copy in the scratch folder where the desktop's user cannot read it.
# With --folder, the file's whole folder is copied (a program and what lies beside it).
readable_by_desktop_user() {
    local folder=""
    [[ $1 == --folder ]] && folder=1 && shift
    local file=$1 copy
    if "${e2e_as[@]}" test -r "$file"; then
        echo "$file"
        return
    fi
    copy=$(mktemp -d "$e2e_work/copy.XXXXXX")
    if [[ -n $folder ]]; then
        cp -al "$(dirname "$file")/." "$copy" 2>/dev/null || cp -a "$(dirname "$file")/." "$copy"
    else
        cp "$file" "$copy"
    fi
    chmod -R a+rX "$copy"
    echo "$copy/$(basename "$file")"
}

# Starts sway headless at 1920x1080 and waits until it answers; sets e2e_wayland and
# e2e_swaysock. A virtual keyboard is held for the whole run: without one the seat has no
# keyboard between two wtype runs, each brings a new one that the program binds anew, and its
# first key press would come before the program has it.
start_sway() {
    desktop_user
    chmod 711 "$e2e_work"
    mkdir -p "$e2e_work/home" "$e2e_work/runtime"
    chmod 700 "$e2e_work/runtime"
    [[ ${#e2e_as[@]} -eq 0 ]] || chown "$E2E_DESKTOP_USER:" "$e2e_work/home" "$e2e_work/runtime"
    printf '%s\n' "output HEADLESS-1 resolution 1920x1080 position 0 0" "xwayland disable" \
        >"$e2e_work/sway.config"
    chmod 644 "$e2e_work/sway.config"
    "${e2e_as[@]}" env -u DISPLAY -u WAYLAND_DISPLAY HOME="$e2e_work/home" \
        XDG_RUNTIME_DIR="$e2e_work/runtime" WLR_BACKENDS=headless WLR_RENDERER=pixman \
        WLR_LIBINPUT_NO_DEVICES=1 sway -c "$e2e_work/sway.config" >"$e2e_work/sway.out" 2>&1 &
    e2e_helpers+=($!)
    # shellcheck disable=SC2317 # called by wait_for
    sway_answers() {
        e2e_wayland=$(find "$e2e_work/runtime" -maxdepth 1 -type s -name 'wayland-*' -printf '%f\n' | head -n 1)
        e2e_swaysock=$(find "$e2e_work/runtime" -maxdepth 1 -type s -name 'sway-ipc.*' | head -n 1)
        [[ -n $e2e_wayland && -n $e2e_swaysock ]] && as_desktop_user swaymsg -t get_version >/dev/null 2>&1
    }
    wait_for sway_answers || fail "sway did not start: $(tail -n 20 "$e2e_work/sway.out")"

    # Started as a command of its own, not through a function, so that $! is its process.
    # shellcheck disable=SC2046 # the settings are words
    "${e2e_as[@]}" env $(session_env) wtype -s 600000 -k Pause >/dev/null 2>&1 &
    e2e_helpers+=($!)
    # shellcheck disable=SC2317 # called by wait_for
    seat_has_keyboard() {
        (($(as_desktop_user swaymsg -t get_seats -r | jq '.[0].capabilities') & 2))
    }
    wait_for seat_has_keyboard || fail "the virtual keyboard did not come"
}

# Key strokes for stroke(): wtype's words ("19" types 1 then 9, "-k F1", "-M shift p -m shift").
send_keys() {
    as_desktop_user wtype "$@"
}

# The windows of the program in sway's tree, one a line: "<title>|<full screen 0/1>|<w>x<h>@<x>,<y>".
program_windows() {
    as_desktop_user swaymsg -t get_tree -r | jq -r --argjson pid "$e2e_app" '.. | objects |
        select(.pid? == $pid) |
        "\(.name)|\(.fullscreen_mode)|\(.rect.width)x\(.rect.height)@\(.rect.x),\(.rect.y)"'
}

# The operator window's full-screen mode and rectangle: "1|1920x1080@0,0".
form_state() {
    program_windows | sed -n 's/^Form1|//p' | head -n 1
}
is_form_state() { [[ $(form_state) == "$1" ]]; }

# A picture of the screen.
picture() {
    as_desktop_user grim - >"$1" || fail "grim took no picture"
}

# The colour of a pixel of a picture: "#000000".
pixel_at() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1
}
