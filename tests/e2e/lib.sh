# Shared by the end-to-end tests: a virtual display, the real program on it, and real input.
# Source it at the top of a test script; everything it starts is ended when the script exits.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/display.sh"

E2E_TMP=$(mktemp -d)
TOVREK_PID=
TOVREK_WINDOW=
TOVREK_STATUS=
TOVREK_RUNNER=() # a command the program runs under, for example (apitrace trace -o FILE)

e2e_cleanup() {
    if [ -n "$TOVREK_PID" ]; then
        pkill -9 -P "$TOVREK_PID" 2>/dev/null || true # the program, when under a runner
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
    retry "$seconds" "$@" || fail "timed out after ${seconds} s waiting for $what"
}

# The window belongs to the program itself, or to the runner's child when there is a runner.
tovrek_window() {
    local pid
    for pid in "$TOVREK_PID" $(pgrep -P "$TOVREK_PID"); do
        TOVREK_WINDOW=$(window_of "$pid") && return 0
    done
    return 1
}

tovrek_exited() {
    program_ended "$TOVREK_PID"
}

# tovrek_start BINARY [ENV=VALUE...]: starts the program on the display with its stderr in
# $E2E_TMP/stderr, waits for its window and gives it the keyboard focus (Xvfb runs no window
# manager, so nothing else would). Sets TOVREK_PID and TOVREK_WINDOW. SIGINT is set back to
# its default: a script's background job starts with it ignored, a person's program does not.
tovrek_start() {
    local binary=$1
    shift
    env --default-signal=INT "$@" "${TOVREK_RUNNER[@]}" "$binary" 2>"$E2E_TMP/stderr" &
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

screen_changed() {
    local now
    now=$(xwd -root -silent | md5sum)
    [ "$now" != "$SCREEN_BEFORE" ] && SCREEN_BEFORE=$now
}

# wait_frames N: waits until the screen has changed N times. The field moves every frame, so
# each change is a new frame, and input sent before the call has been drained by the last.
wait_frames() {
    local i
    SCREEN_BEFORE=$(xwd -root -silent | md5sum)
    for ((i = 0; i < $1; i++)); do
        wait_for 30 "a new frame on the screen" screen_changed
    done
}

# colour_counts FILE.png: prints a screenshot's pixel counts as "WHITE BLACK GREY OTHER".
# White and black allow one 8-bit level; a grey is a level k/100, k = 1 .. 49, taken as
# round(k * 255 / 100) within one level; anything else, tinted colours too, is other.
colour_counts() {
    convert "$1" -format %c histogram:info:- | awk '
        BEGIN { for (k = 1; k <= 49; k++) level[int(k * 255 / 100 + 0.5)] = 1 }
        {
            count = $1 + 0
            split(substr($2, 2, length($2) - 2), c, ",")
            v = c[1] + 0
            if (c[1] != c[2] || c[2] != c[3]) kind = "other"
            else if (v >= 254) kind = "white"
            else if (v <= 1) kind = "black"
            else if (level[v - 1] || level[v] || level[v + 1]) kind = "grey"
            else kind = "other"
            n[kind] += count
        }
        END { printf "%d %d %d %d\n", n["white"], n["black"], n["grey"], n["other"] }'
}
