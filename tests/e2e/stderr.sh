#!/usr/bin/env bash
# Standard error during a normal run, with mouse input and the grey mode on: no OpenGL error
# line, and every line the program writes starts with "tovrek: ".
# Usage: stderr.sh TOVREK
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
binary=$1

display_start
tovrek_start "$binary"
xdotool mousemove --window "$TOVREK_WINDOW" 100 500 click 1 \
    mousemove --window "$TOVREK_WINDOW" 700 80
wait_frames 10
xdotool key Escape
tovrek_wait_exit 30
[ "$TOVREK_STATUS" -eq 0 ] || fail "exit status $TOVREK_STATUS after Escape, not 0"

stderr=$E2E_TMP/stderr
if grep -n 'OpenGL error' "$stderr" >&2; then
    fail "OpenGL errors reported on stderr"
fi
if grep -nv '^tovrek: ' "$stderr" >&2; then
    fail "stderr lines not starting with \"tovrek: \""
fi
