# A virtual X display for the tests and for running the demo without a desktop, and what it
# takes to watch a program on it. Source it.

# The server and the runtime folder display_stop ends and removes: this file's own, never
# values of those names from the environment.
DISPLAY_PID= DISPLAY_RUNTIME=

# Starts Xvfb on a free display number with one 800x600 screen of depth $1 (24 by default),
# with any further arguments as Xvfb options, and exports DISPLAY; display_stop ends it.
display_start() {
    local depth=${1:-24}
    [ $# -eq 0 ] || shift
    display_serve Xvfb -screen 0 "800x600x$depth" -nolisten tcp -noreset "$@"
}

# display_serve SERVER OPTIONS...: starts X server SERVER on a free display number, which it
# tells on descriptor 3, and exports DISPLAY. DISPLAY_PID is the server's; display_stop ends it.
# It exports XDG_RUNTIME_DIR too, a private folder as a desktop session has, which display_stop
# removes: SDL 3 looks there for Wayland first, and libwayland says on the program's stderr
# that there is none.
display_serve() {
    local numberfile tries=0
    DISPLAY_RUNTIME=$(mktemp -d) && export XDG_RUNTIME_DIR=$DISPLAY_RUNTIME
    numberfile=$(mktemp)
    "$@" -displayfd 3 3>"$numberfile" >/dev/null 2>&1 &
    DISPLAY_PID=$!
    until grep -q '^[0-9]' "$numberfile" 2>/dev/null; do
        if ! kill -0 "$DISPLAY_PID" 2>/dev/null || [ $((tries += 1)) -gt 200 ]; then
            echo "$1 did not start a display within 20 s" >&2
            rm -f "$numberfile"
            return 1
        fi
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$numberfile")"
    rm -f "$numberfile"
}

display_stop() {
    if [ -n "${DISPLAY_PID:-}" ]; then
        kill "$DISPLAY_PID" 2>/dev/null || true
        wait "$DISPLAY_PID" 2>/dev/null || true
        DISPLAY_PID=
    fi
    rm -rf "${DISPLAY_RUNTIME:-}"
}

# retry SECONDS COMMAND...: runs COMMAND until it succeeds; false if it has not within SECONDS.
retry() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}

# program_ended PID: true once process PID has ended, as a zombie not yet waited for too.
program_ended() {
    [ ! -e "/proc/$1" ] || grep -q '^[0-9]* (.*) Z' "/proc/$1/stat" 2>/dev/null
}

# window_of PID: prints the visible window of process PID; false while it has none.
window_of() {
    local window
    window=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1)
    [ -n "$window" ] && echo "$window"
}

# screenshot FILE [GEOMETRY]: saves the whole screen, or its part GEOMETRY (WxH+X+Y), as a PNG.
screenshot() {
    xwd -root -silent | convert xwd:- ${2:+-crop "$2" +repage} "png:$1"
}
