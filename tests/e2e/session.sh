# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Helpers for the end-to-end scripts, sourced by them: a scratch folder, an X server of our own,
# the program started with its call log, and reading that log.
#
# The call log is the program's logging category brevanto.board.calls, switched on, filtered out
# of its messages into calls.log: one JSON array a line for every operation the program makes on
# the board, ["SetVariable","points_a","007"], ["GotoFrame","0"], ["Play"], and ["Shown","movie"]
# once the window is up. Everything the program writes is in program.out.

# CTest's SKIP_RETURN_CODE for a machine without the tools a script needs.
readonly E2E_SKIP=77
e2e_lib="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# How long to wait for the program to react, in tenths of a second: generous, since the suite
# also runs under the sanitizers on a shared machine.
E2E_PATIENCE=${E2E_PATIENCE:-200}

e2e_work=""
e2e_xvfb=""
e2e_app=""
# What else the script started (a window manager, a compositor, a keyboard), ended in reverse.
e2e_helpers=()
# The command that runs the program and the desktop's tools as the desktop's user; empty for
# the script's own user.
e2e_as=()

fail() {
    echo "FAIL: $*" >&2
    if [[ -n "$e2e_work" && -f "$e2e_work/calls.log" ]]; then
        echo "--- last calls:" >&2
        tail -n 20 "$e2e_work/calls.log" >&2
    fi
    if [[ -n "$e2e_work" && -s "$e2e_work/program.out" ]]; then
        echo "--- program output:" >&2
        grep -v "^brevanto\.board\.calls: " "$e2e_work/program.out" | tail -n 60 >&2
    fi
    exit 1
}

pass() {
    echo "ok: $*"
}

# Ends what this script started, by process id.
e2e_cleanup() {
    local pid i pids=("$e2e_app")
    for ((i = ${#e2e_helpers[@]} - 1; i >= 0; i--)); do pids+=("${e2e_helpers[i]}"); done
    pids+=("$e2e_xvfb")
    for pid in "${pids[@]}"; do
        [[ -n $pid ]] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [[ -n "$e2e_work" ]]; then rm -rf "$e2e_work"; fi
}

e2e_begin() {
    e2e_work=$(mktemp -d "${TMPDIR:-/tmp}/brevanto-e2e.XXXXXX")
    trap e2e_cleanup EXIT
}

# Exits with the skip code unless every named command is there.
require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed (scripts/install-deps --test installs it)"
            exit "$E2E_SKIP"
        fi
    done
}

# Starts Xvfb at 1920x1080x24 on a display it finds free itself (-displayfd writes the number once
# the server accepts clients) and exports DISPLAY.
start_xvfb() {
    local number="" i
    # Made before the server starts: the background job opens it only when it gets to run.
    : >"$e2e_work/display"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset \
        3>"$e2e_work/display" >"$e2e_work/xvfb.out" 2>&1 &
    e2e_xvfb=$!
    for ((i = 0; i < E2E_PATIENCE; i++)); do
        number=$(head -n 1 "$e2e_work/display")
        [[ -n "$number" ]] && break
        kill -0 "$e2e_xvfb" 2>/dev/null || fail "Xvfb did not start: $(cat "$e2e_work/xvfb.out")"
        sleep 0.1
    done
    [[ -n "$number" ]] || fail "Xvfb gave no display number"
    export DISPLAY=":$number"
    unset WAYLAND_DISPLAY
}

# Starts the program (a path, plus VAR=value settings for it) with its call log in the scratch
# folder, and waits until its window is shown. Sets e2e_app to its process id.
start_program() {
    launch_program "$@"
    wait_shown
}

# Starts the program as start_program does, without waiting.
launch_program() {
    local program=$1
    shift
    : >"$e2e_work/calls.log"
    "${e2e_as[@]}" env QT_LOGGING_RULES="brevanto.board.calls.debug=true" \
        QT_MESSAGE_PATTERN="%{if-category}%{category}: %{endif}%{message}" \
        LSAN_OPTIONS="suppressions=$e2e_lib/lsan.supp:print_suppressions=0" \
        "$@" "$program" > >(e2e_split_log) 2>&1 &
    e2e_app=$!
}

# Waits until the program has logged that its window is shown.
wait_shown() {
    local i
    for ((i = 0; i < E2E_PATIENCE; i++)); do
        grep -q '^\["Shown",' "$e2e_work/calls.log" && return 0
        kill -0 "$e2e_app" 2>/dev/null || fail "the program ended during start-up"
        sleep 0.1
    done
    fail "the program logged no [\"Shown\",...] within $((E2E_PATIENCE / 10)) s"
}

# The program's output into program.out, its call log also into calls.log, line by line as it
# comes.
e2e_split_log() {
    tee "$e2e_work/program.out" | sed -un 's/^brevanto\.board\.calls: //p' >"$e2e_work/calls.log"
}

# Runs a command every tenth of a second until it succeeds; fails after E2E_PATIENCE tries.
wait_for() {
    local i
    for ((i = 0; i < E2E_PATIENCE; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Number of lines in the call log: a mark to look at what came after it.
log_mark() {
    wc -l <"$e2e_work/calls.log"
}

# The log's lines after a mark.
calls_since() {
    tail -n +"$(($1 + 1))" "$e2e_work/calls.log"
}

# The last seven board values after a mark, as "name=value" words in the order they were sent;
# empty while fewer than seven have come.
board_since() {
    local sets
    sets=$(calls_since "$1" | grep '^\["SetVariable",' | tail -n 7)
    [[ $(grep -c . <<<"$sets") -eq 7 ]] || return 0
    sed -E 's/^\["SetVariable","([^"]*)","(.*)"\]$/\1=\2/' <<<"$sets" | paste -sd ' '
}

# Waits until the last seven board values after a mark are the expected ones:
# period, points_a, points_b, faults_a, faults_b (the team names are left empty by these scripts).
expect_board() {
    local mark=$1 what=$2 got="" i
    local want="period=$3 name_a= name_b= points_a=$4 points_b=$5 faults_a=$6 faults_b=$7"
    for ((i = 0; i < E2E_PATIENCE; i++)); do
        got=$(board_since "$mark")
        [[ "$got" == "$want" ]] && { pass "$what: $want"; return 0; }
        sleep 0.1
    done
    fail "$what: expected board [$want], got [$got]"
}

# Waits until the calls after a mark, joined by spaces, contain the given sequence of lines.
expect_calls() {
    local mark=$1 what=$2 want=$3 i
    for ((i = 0; i < E2E_PATIENCE; i++)); do
        [[ "$(calls_since "$mark" | paste -sd ' ')" == *"$want"* ]] && {
            pass "$what: $want"
            return 0
        }
        sleep 0.1
    done
    fail "$what: expected $want among: $(calls_since "$mark" | paste -sd ' ')"
}

# One stroke and the board it must leave: stroke <keys> <period> <points_a> <points_b>
# <faults_a> <faults_b>. The keys are words for the script's send_keys.
stroke() {
    local keys=$1 mark
    shift
    mark=$(log_mark)
    # shellcheck disable=SC2086 # the keys are words
    send_keys $keys
    expect_board "$mark" "$keys" "$@"
}

# Waits until the program has ended and checks that it ended well.
expect_ended() {
    # Ended: gone, or a zombie waiting for us to collect its status.
    # shellcheck disable=SC2317 # called by wait_for
    ended() { [[ ! -e /proc/$e2e_app/stat ]] || [[ $(awk '{print $3}' "/proc/$e2e_app/stat") == Z ]]; }
    wait_for ended || fail "$1: the program still runs"
    local status=0
    wait "$e2e_app" || status=$?
    e2e_app=""
    [[ $status -eq 0 ]] || fail "$1: the program ended with status $status"
    pass "$1: the program ended (status 0)"
}

# Fails if any line after a mark matches the pattern (grep -E).
expect_no_call() {
    local mark=$1 what=$2 pattern=$3
    if calls_since "$mark" | grep -Eq "$pattern"; then
        fail "$what: unexpected $(calls_since "$mark" | grep -E "$pattern" | head -n 1)"
    fi
    pass "$what: no $pattern"
}
