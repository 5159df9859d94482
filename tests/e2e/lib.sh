# Shared by the end-to-end tests: a virtual display, the real program on it, and real input.
# Source it at the top of a test script; everything it starts is ended when the script exits.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/display.sh"

E2E_TMP=$(mktemp -d)
TOVREK_PID=
TOVREK_WINDOW=
TOVREK_STATUS=

e2e_cleanup() {
    if [ -n "$TOVREK_PID" ]; then
        kill -9 "$TOVREK_PID" 2>/dev/null || true
        wait "$TOVREK_PID" 2>/dev/null || true
    fi
    display_stop
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_for SECONDS WHAT COMMAND...: runs COMMAND until it succeeds; after SECONDS, fails the
# test saying what it was waiting for.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    local end=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || fail "timed out after ${seconds} s waiting for $what"
        sleep 0.1
    done
}

tovrek_window() {
    TOVREK_WINDOW=$(xdotool search --onlyvisible --pid "$TOVREK_PID" 2>/dev/null | head -n 1)
    [ -n "$TOVREK_WINDOW" ]
}

tovrek_exited() {
    [ ! -e "/proc/$TOVREK_PID" ] || grep -q '^[0-9]* (.*) Z' "/proc/$TOVREK_PID/stat" 2>/dev/null
}

# tovrek_start BINARY [ENV=VALUE...]: starts the program on the display with its stderr in
# $E2E_TMP/stderr, waits for its window and gives it the keyboard focus (Xvfb runs no window
# manager, so nothing else would). Sets TOVREK_PID and TOVREK_WINDOW.
tovrek_start() {
    local binary=$1
    shift
    env "$@" "$binary" 2>"$E2E_TMP/stderr" &
    TOVREK_PID=$!
    wait_for 30 "the program's window" tovrek_window
    xdotool windowfocus --sync "$TOVREK_WINDOW"
}

# tovrek_wait_exit SECONDS: waits for the program to end; sets TOVREK_STATUS to its status.
tovrek_wait_exit() {
    wait_for "$1" "the program to exit" tovrek_exited
    TOVREK_STATUS=0
    wait "$TOVREK_PID" || TOVREK_STATUS=$?
    TOVREK_PID=
}

# screenshot FILE: saves the whole screen as a PNG.
screenshot() {
    xwd -root -silent | convert xwd:- "png:$1"
}
