# What the end-to-end scripts share: the virtual display and its helpers (scripts/display.sh),
# failing with a message, the screen's pixels by kind, and the checks that every build of the
# demo must pass. Source it; the helpers write into the script's scratch folder $tmp.
e2e=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$e2e/../../scripts/display.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }
# No session bus, the machine's or an autolaunched one: libdbus would start one through
# dbus-launch (dbus-x11) on the test's display, as the demo's SDL calls it.
export DBUS_SESSION_BUS_ADDRESS=disabled:

# Starts Xorg with two monitors side by side (two-monitors.conf) on a free display number in
# place of the display there is, logging to $tmp, and exports DISPLAY; display_stop ends it. It
# needs root: without it, says so in one line and is false, and the display there is stays.
two_monitors_start() {
    [ "$(id -u)" = 0 ] || { echo "Skipped the two-monitor check: Xorg needs root"; return 1; }
    display_stop
    display_serve Xorg -config "$e2e/two-monitors.conf" -logfile "$tmp/xorg.log" -novtswitch \
        -sharevts -nolisten tcp -noreset || fail "Xorg: $(grep -A2 Fatal "$tmp/xorg.log")"
}

# pixel_kinds IMAGE: prints how many of its pixels are white, black, grey and other (white and
# black within a level). read_pixels reads those of the screen, or of its part $1 (WxH+X+Y),
# into white, black, grey and other; kinds says them, for a failure's message.
pixel_kinds() {
    convert "$1" -format %c histogram:info:- |
        awk -F'[(),]' '{ n[$2 != $3 || $3 != $4 ? 4 : $2 > 253 ? 1 : $2 < 2 ? 2 : 3] += $1 }
            END { print n[1] + 0, n[2] + 0, n[3] + 0, n[4] + 0 }'
}
read_pixels() {
    screenshot "$tmp/screen.png" "$@"
    read -r white black grey other < <(pixel_kinds "$tmp/screen.png")
}
kinds() { echo "$white white, $black black, $grey grey, $other other pixels"; }
black_on_white() { read_pixels "$@" && ((white && black)) && [ "$grey$other" = 00 ]; }
greys_shown() { read_pixels && [ "$other" = 0 ] && [ "$grey" -gt 0 ]; }

# bogus_driver_fails COMMAND...: with a video driver that cannot start, the demo that COMMAND
# runs prints SDL's reason in one line on stderr and ends with status 1.
bogus_driver_fails() {
    SDL_VIDEODRIVER=bogus "$@" 2>"$tmp/stderr" && status=0 || status=$?
    [[ $status = 1 && $(wc -l <"$tmp/stderr") = 1 &&
        $(<"$tmp/stderr") = "Couldn't initialize SDL: "?* ]] ||
        fail "status $status with a bogus video driver, and: $(cat "$tmp/stderr")"
}

# quits_cleanly HOW PID WINDOW [STOP...]: ends the demo, process PID showing WINDOW with its
# stderr in $tmp/stderr. With Escape, after black boxes on white and greys after a click;
# otherwise by running STOP. It must end with status 0 and nothing on stderr.
quits_cleanly() {
    local how=$1 pid=$2 window=$3
    shift 3
    if [ "$how" = Escape ]; then
        sleep 1 # boxes have wrapped by now, so greys shown too early would show
        retry 10 black_on_white || fail "$(kinds)"
        xdotool click 1
        retry 30 greys_shown || fail "no grey boxes, or other colours, 30 s after a click"
        xdotool windowfocus --sync "$window" key Escape
    else
        "$@" >/dev/null 2>&1 || fail "$* failed"
    fi
    retry 30 program_ended "$pid" || fail "still running 30 s after $how"
    wait "$pid" || fail "status $? after $how"
    [ ! -s "$tmp/stderr" ] || fail "a run ended by $how printed: $(cat "$tmp/stderr")"
}
