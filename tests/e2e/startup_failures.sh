#!/usr/bin/env bash
# Start-up failures with the real SDL: each prints its one-line message with SDL's text and
# exits 1, and none hangs. On an 8-bit screen the program must ask for the 8-bit mode; where
# no OpenGL visual exists there, that mode fails like any other.
# Usage: startup_failures.sh TOVREK MODE_PROBE
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
binary=$1
probe=$2

# Screen depth | SDL_VIDEODRIVER | message before SDL's text | the red, green and blue sizes,
# depth buffer, double buffer and mode depth the program must ask for (empty: nothing asked).
CASES=(
    "24|bogus|Couldn't initialize SDL: |"
    "24|dummy|Couldn't set GL mode: |5 5 5 16 1 16"
    "8||Couldn't set GL mode: |2 3 3 16 1 8"
)

# The probe's lines for one set of requests.
mode_requests() {
    [ $# -eq 0 ] && return
    printf 'SDL_GL_SetAttribute(SDL_GL_RED_SIZE, %s)\n' "$1"
    printf 'SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, %s)\n' "$2"
    printf 'SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, %s)\n' "$3"
    printf 'SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, %s)\n' "$4"
    printf 'SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, %s)\n' "$5"
    printf 'SDL_SetVideoMode(800, 600, %s, 0x80000002)\n' "$6"
}

exited_or_shown() {
    tovrek_exited || tovrek_window
}

# run_case DEPTH DRIVER MESSAGE REQUESTS: one row of CASES.
run_case() {
    local depth=$1 driver=$2 message=$3 requests=$4 what="screen depth $1, driver '${2:-x11}'"
    local driver_env=()
    [ -n "$driver" ] && driver_env=(SDL_VIDEODRIVER="$driver")

    display_start "$depth"
    env LD_PRELOAD="$probe" "${driver_env[@]}" "$binary" 2>"$E2E_TMP/stderr" &
    TOVREK_PID=$!
    wait_for 30 "the program to fail or to show a window ($what)" exited_or_shown
    if ! tovrek_exited; then
        # A GL visual exists on this screen after all: then the program must simply run.
        [ "$depth" = 8 ] || fail "the program started ($what)"
        xdotool windowfocus --sync "$TOVREK_WINDOW" key Escape
        tovrek_wait_exit 30
        [ "$TOVREK_STATUS" -eq 0 ] || fail "exit status $TOVREK_STATUS after Escape ($what)"
    else
        tovrek_wait_exit 30
        [ "$TOVREK_STATUS" -eq 1 ] || fail "exit status $TOVREK_STATUS, not 1 ($what)"
        local lines
        lines=$(grep -v '^probe: ' "$E2E_TMP/stderr" || true)
        [[ "$lines" == "$message"?* && "$lines" != *$'\n'* ]] ||
            fail "stderr is not one line \"$message\" and SDL's text ($what): $lines"
    fi
    local seen expected sizes
    read -ra sizes <<<"$requests"
    seen=$(sed -n 's/^probe: //p' "$E2E_TMP/stderr")
    expected=$(mode_requests "${sizes[@]}")
    [ "$seen" = "$expected" ] || fail "mode requests ($what):
$seen
expected:
$expected"
    display_stop
}

for entry in "${CASES[@]}"; do
    IFS='|' read -r depth driver message requests <<<"$entry"
    run_case "$depth" "$driver" "$message" "$requests"
done
