#!/usr/bin/env bash
# The real program under valgrind's memcheck on a virtual display for FRAMES frames, ended by
# Escape: no invalid access, no use of uninitialised values, no definite leak. GL is indirect,
# drawn by the X server: Mesa's own renderer under memcheck manages about a frame a second.
# Usage: memcheck.sh PROGRAM FRAME_COUNTER_LIBRARY
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
program=$1
counter=$2
FRAMES=200
VALGRIND_ERROR=99

# The count may be caught half written: empty reads as none yet.
frames_drawn() {
    local frames
    frames=$(cat "$E2E_TMP/frames" 2>/dev/null) || true
    [ "${frames:-0}" -ge "$FRAMES" ]
}

display_start 24 +iglx
TOVREK_RUNNER=(valgrind --tool=memcheck --error-exitcode="$VALGRIND_ERROR" --leak-check=full
    --show-leak-kinds=definite --errors-for-leak-kinds=definite --num-callers=40
    --suppressions="$(dirname "${BASH_SOURCE[0]}")/memcheck.supp" --log-file="$E2E_TMP/memcheck")
tovrek_start "$program" LIBGL_ALWAYS_INDIRECT=1 LD_PRELOAD="$counter" \
    TOVREK_FRAME_FILE="$E2E_TMP/frames"
wait_for 100 "$FRAMES frames under memcheck" frames_drawn
xdotool key --window "$TOVREK_WINDOW" Escape
tovrek_wait_exit 60
if [ "$TOVREK_STATUS" -ne 0 ]; then
    cat "$E2E_TMP/memcheck" >&2
    fail "exit status $TOVREK_STATUS under memcheck ($VALGRIND_ERROR: memcheck found errors)"
fi
