#!/usr/bin/env bash
# The OpenGL calls of the real program, recorded with apitrace: every frame is one
# GL_QUADS batch of 1500 colours and 36000 vertices, cleared to white, and the first frame's
# vertices are exactly those the program's scene code computes for frame 1.
# Usage: gl_stream.sh TOVREK FIRST_FRAME
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
binary=$1
first_frame=$2

FRAMES=3 # at least this many frames are recorded and checked

display_start
TOVREK_RUNNER=(apitrace trace --output "$E2E_TMP/run.trace")
tovrek_start "$binary"
wait_frames "$((FRAMES + 1))" # the first change may be SDL's own first swap
xdotool key Escape
tovrek_wait_exit 60
[ "$TOVREK_STATUS" -eq 0 ] || fail "exit status $TOVREK_STATUS under apitrace, not 0"

# Frames are the spans ended by a buffer swap, from the program's first call (glShadeModel)
# on; SDL's own calls around the swap stay in the span they fall in. Prints each frame's
# batch summary, or what is wrong; ends with the call numbers of frame 1's batch.
apitrace dump --color=never "$E2E_TMP/run.trace" >"$E2E_TMP/dump.txt"
awk -v frames="$FRAMES" -v white="glClearColor(red = 1, green = 1, blue = 1, alpha = 0)" '
    function bad(what) { print "frame " frame + 1 ": " what; failed = 1 }
    { name = $2; sub(/\(.*/, "", name) }
    name == "glShadeModel" { started = 1 }
    !started { next }
    name == "glClearColor" { clear = $0; sub(/^[0-9]+ /, "", clear) }
    name == "glClear" && /GL_DEPTH_BUFFER_BIT/ && clear != white { bad("cleared with " clear) }
    name == "glBegin" {
        begins++
        if ($0 !~ /mode = GL_QUADS\)/) bad("batch not GL_QUADS: " $0)
        inside = 1
        if (frame == 0) first = $1
    }
    name == "glEnd" { ends++; inside = 0; if (frame == 0) last = $1 }
    name == "glColor3f" { if (inside) colours++; else bad("glColor3f outside the batch") }
    name == "glVertex3f" { if (inside) vertices++; else bad("glVertex3f outside the batch") }
    name == "glXSwapBuffers" {
        if (begins != 1 || ends != 1 || colours != 1500 || vertices != 36000)
            bad(begins " glBegin, " ends " glEnd, " colours " glColor3f, " vertices " glVertex3f")
        frame++
        begins = ends = colours = vertices = 0
    }
    END {
        if (frame < frames) { print "only " frame " frames recorded, not " frames; failed = 1 }
        if (failed) exit 1
        print first "-" last
    }
' "$E2E_TMP/dump.txt" >"$E2E_TMP/summary.txt" || fail "$(head -n 20 "$E2E_TMP/summary.txt")"

# apitrace's text shows floats to 7 digits only; its pickled calls hold them whole. Both
# sides print every value as %.9g, which tells any two floats apart.
apitrace pickle --calls="$(cat "$E2E_TMP/summary.txt")" "$E2E_TMP/run.trace" | python3 -c '
import pickle, sys
while True:
    try:
        number, name, args, result, flags = pickle.load(sys.stdin.buffer)
    except EOFError:
        break
    if name in ("glColor3f", "glVertex3f"):
        print(name, " ".join("%.9g" % value for _, value in args))
' >"$E2E_TMP/traced.txt"
"$first_frame" >"$E2E_TMP/computed.txt"
[ "$(wc -l <"$E2E_TMP/computed.txt")" -eq 37500 ] || fail "first_frame printed no whole frame"
diff "$E2E_TMP/computed.txt" "$E2E_TMP/traced.txt" >"$E2E_TMP/diff.txt" ||
    fail "frame 1 differs from the scene code's (computed <, traced >):
$(head -n 20 "$E2E_TMP/diff.txt")"
