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
    "${shot:-screenshot}" "$tmp/screen.png" "$@"
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
# stderr in $tmp/stderr. With Escape, after black boxes on white and greys after a click (on
# Wayland: $shot's screenshots, $click, $escape); otherwise by running STOP. It must end with
# status 0 and nothing on stderr.
quits_cleanly() {
    local how=$1 pid=$2 window=$3
    if [ "$how" = Escape ]; then
        sleep 1 # boxes have wrapped by now, so greys shown too early would show
        retry 10 black_on_white || fail "$(kinds)"
        ${click:-xdotool click 1} >/dev/null
        retry 30 greys_shown || fail "no grey boxes, or other colours, 30 s after a click"
        ${escape:-xdotool windowfocus --sync "$window" key Escape}
    else
        "${@:4}" >/dev/null 2>&1 || fail "${*:4} failed"
    fi
    retry 30 program_ended "$pid" || fail "still running 30 s after $how"
    wait "$pid" || fail "status $? after $how"
    [ ! -s "$tmp/stderr" ] || fail "a run ended by $how printed: $(cat "$tmp/stderr")"
}

# wayland_start OWNER [AS_OWNER...]: sway, headless, its output set to 1000x600, run by OWNER
# through the command AS_OWNER (sway refuses root) in a runtime folder of its own in $tmp, with
# its log in $tmp/sway.log; exports what its clients need (wayland-1 is the first name sway
# tries; Mesa's software OpenGL named, as newer Mesa prints its search for a GPU otherwise), and
# ends with the script. sway_says TYPE TEXT: its answer to swaymsg -t TYPE has TEXT.
wayland_start() {
    export XDG_RUNTIME_DIR=$tmp/wayland WAYLAND_DISPLAY=wayland-1 SWAYSOCK LIBGL_ALWAYS_SOFTWARE=1
    mkdir -m 700 "$XDG_RUNTIME_DIR" && chown "$1" "$XDG_RUNTIME_DIR" && shift
    WLR_BACKENDS=headless "$@" sway -c /dev/null &>"$tmp/sway.log" &
    pids="$pids $!" SWAYSOCK=$XDG_RUNTIME_DIR/sway-ipc.$(stat -c %u "$XDG_RUNTIME_DIR").$!.sock
    retry 30 swaymsg output '*' mode 1000x600 &>/dev/null || fail "$(tail -n 3 "$tmp/sway.log")"
}
sway_says() { swaymsg -t "$1" 2>/dev/null | grep -q "$2"; }

# On that output: black boxes on white, unscaled (no greys), between black bars 100 pixels wide.
bar() { pixel_kinds "$tmp/screen.png[100x600+$1+0]"; }
picture_between_bars() { black_on_white && [ "$(bar 0) $(bar 900)" = "0 60000 0 0 0 60000 0 0" ]; }
