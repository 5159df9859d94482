#!/usr/bin/env bash
# The demo as installed from build tree $1, on a virtual display, the way a person meets it:
# the picture before and after a mouse click, quitting with Escape and with SIGTERM, and a
# video driver that cannot start.
set -euo pipefail
source "$(dirname "$0")/../../scripts/display.sh"
tmp=$(mktemp -d)
pid=
trap 'kill -9 $pid 2>/dev/null || true; display_stop; rm -rf "$tmp"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The screen's pixels by kind: white, black, grey and other (white and black within a level).
read_pixels() {
    screenshot "$tmp/screen.png"
    read -r white black grey other < <(convert "$tmp/screen.png" -format %c histogram:info:- |
        awk -F'[(),]' '{ n[$2 != $3 || $3 != $4 ? 4 : $2 > 253 ? 1 : $2 < 2 ? 2 : 3] += $1 }
            END { print n[1] + 0, n[2] + 0, n[3] + 0, n[4] + 0 }')
    [ "$other" = 0 ] || fail "$other pixels neither white, black nor grey"
}
greys_shown() {
    read_pixels
    [ "$grey" -gt 0 ]
}

cmake --install "$1" --prefix "$tmp" >/dev/null
display_start
status=0
SDL_VIDEODRIVER=bogus "$tmp/bin/tovrek" 2>"$tmp/stderr" || status=$?
[ $status = 1 ] && [ "$(wc -l <"$tmp/stderr")" = 1 ] &&
    grep -q "^Couldn't initialize SDL: ." "$tmp/stderr" ||
    fail "status $status with a bogus video driver, and: $(cat "$tmp/stderr")"

for quit in Escape TERM; do
    "$tmp/bin/tovrek" 2>/dev/null &
    pid=$!
    window=$(retry 30 window_of $pid) || fail "no window within 30 s"
    if [ $quit = Escape ]; then
        sleep 1 # boxes have wrapped by now
        read_pixels
        [ "$white" -gt 0 ] && [ "$black" -gt 0 ] && [ "$grey" = 0 ] ||
            fail "$white white, $black black and $grey grey pixels before a click"
        xdotool click 1
        retry 30 greys_shown || fail "no grey boxes within 30 s of a click"
        xdotool windowfocus --sync "$window" key Escape
    else
        kill -TERM $pid
    fi
    retry 30 program_ended $pid || fail "still running 30 s after $quit"
    status=0
    wait $pid || status=$?
    [ $status = 0 ] || fail "status $status after $quit"
done
