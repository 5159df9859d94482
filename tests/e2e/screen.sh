#!/usr/bin/env bash
# The demo as installed from build tree $1, on a virtual display, the way a person meets it:
# a video driver that cannot start, the picture before and after a mouse click, quitting with
# Escape and with SIGTERM; then as a hack of the real XScreenSaver, on that display and, as root,
# on two monitors of a real X server (Xorg); natively on Wayland, under a headless compositor;
# and the launcher's options.
# With emulator $2 (qemu-aarch64), another architecture's demo as it runs there: with Mesa's
# softpipe, which draws a frame under emulation where llvmpipe drew none within a minute, black
# boxes on white, then Escape, with status 0 and nothing on stderr. At half a frame to two
# frames a second boxes wrap only after a minute or more, so greys are left to the native run.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
tmp=$(mktemp -d /tmp/tovrek-e2e.XXXXXX) pids= # not under TMPDIR: nobody must reach the program
trap 'kill -9 $pids 2>/dev/null || true; display_stop; rm -rf "$tmp"' EXIT

cmake --install "$1" --prefix "$tmp" >/dev/null && chmod 755 "$tmp"
display_start
if [ -n "${2:-}" ]; then
    GALLIUM_DRIVER=softpipe "$2" "$tmp/bin/tovrek" 2>"$tmp/stderr" & pids=$!
    window=$(retry 120 window_of $pids) || fail "no window within 120 s"
    retry 120 black_on_white || fail "$(kinds)"
    quits_cleanly "the Escape key" $pids "$window" xdotool windowfocus --sync "$window" key Escape
    exit
fi
bogus_driver_fails "$tmp/bin/tovrek"
for quit in Escape TERM; do
    "$tmp/bin/tovrek" 2>"$tmp/stderr" & pids=$!
    window=$(retry 30 window_of $pids) || fail "no window within 30 s"
    quits_cleanly $quit $pids "$window" kill -TERM $pids
done

# The saver refuses to run hacks as root: then it runs as nobody. Only this hack is in its list.
launcher=$tmp/libexec/xscreensaver/tovrek
printf 'mode: one\nselected: 0\nlock: False\nfade: False\nsplash: False\n%s\n' \
    "programs: GL: $launcher --root" | install -Dm 644 /dev/stdin "$tmp/home/.xscreensaver"
user=$(id -un) as_user=()
[ "$(id -u)" != 0 ] || user=nobody as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
chown -R "$user" "$tmp/home"

# saver_runs MONITORS: the saver on a display of MONITORS 800x600 monitors side by side runs one
# demo on each, in its window there, and ends them all when deactivated.
saver_runs() {
    "${as_user[@]}" env HOME="$tmp/home" xscreensaver -no-splash >"$tmp/saver.log" 2>&1 &
    pids="$pids $!" lefts=
    retry 30 xscreensaver-command -activate >/dev/null 2>&1 || fail "the saver did not start"
    retry 30 demos_are "$1" || fail "the saver started $(wc -l <"$tmp/demos") demos on $1 monitors"
    for demo in $(<"$tmp/demos"); do
        pids="$pids $demo"
        (($(sed -n 's/^SigCgt:\s*/0x/p' "/proc/$demo/status") >> 14 & 1)) &&
            fail "the demo catches SIGTERM under the saver, which destroys its window at once"
        window=$(tr '\0' '\n' <"/proc/$demo/environ" | sed -n 's/^SDL_WINDOWID=//p')
        left=$(xwininfo -id "$window" | sed -n 's/^ *Absolute upper-left X: *//p') lefts+=" $left"
        retry 30 black_on_white "800x600+$left+0" || fail "at x = $left: $(kinds)"
        # Its windows by their _NET_WM_PID: other clients may have windows on this display.
        ! xdotool search --pid "$demo" | grep -vx "$window" || fail "the demo opened a window"
    done
    [ "$(printf '%s\n' $lefts | sort -n | xargs)" = "$(seq -s ' ' 0 800 $(($1 * 800 - 1)))" ] ||
        fail "the demos' windows are at x =$lefts, not one on each of $1 monitors"
    xscreensaver-command -deactivate >/dev/null
    retry 30 demos_are 0 || fail "a demo outlived the saver"
    ! grep "X Error" "$tmp/saver.log" || fail "a demo met an X error as the saver ended it"
}
# By its whole command line: the launcher is named tovrek too, and so are its subshells.
demos_are() { [ "$(pgrep -u "$user" -xf "$tmp/bin/tovrek" | tee "$tmp/demos" | wc -l)" = $1 ]; }
saver_runs 1
if two_monitors_start; then saver_runs 2; fi

# Natively on Wayland (SDL 2's driver chosen; SDL 3 picks it first) under sway, headless, as the
# saver's user: sway takes virtual keyboards and pointers (wtype, wayvnc) and gives screenshots
# (grim). First a keyboard alone, idle, where SDL 2 left an error text behind, and SIGTERM; then
# wayvnc's pointer and keyboard too, a press of the left button through sway (the demo's click)
# and Escape typed by wtype. wayvnc 0.10 makes its pointer and keyboard only for a client (0.5 at
# its start): a viewer that waits for its socket, says RFB 3.8, takes no security, shares, stays.
wayland_start "$user" "${as_user[@]}"
perl -MIO::Socket::UNIX -e 'sleep 1 until $s = IO::Socket::UNIX->new($ARGV[0]);
    print $s "RFB 003.008\n\1\1"; sleep' "$tmp/vnc" & pids="$pids $!"
shot=grim click="swaymsg seat - cursor press button1" escape="wtype -k Escape"
for row in "TERM 2 wtype -s 600000 -k Escape" "Escape 3 wayvnc -u $tmp/vnc"; do
    read -r quit seat device <<<"$row"
    $device >/dev/null 2>&1 & pids="$pids $!"
    retry 30 sway_says get_seats "\"capabilities\": $seat," || fail "no ${device%% *} on the seat"
    SDL_VIDEODRIVER=wayland "$tmp/bin/tovrek" 2>"$tmp/stderr" & demo=$! pids="$pids $!"
    retry 30 picture_between_bars || fail "on Wayland: $(kinds)"
    quits_cleanly $quit $demo "" kill -TERM $demo
done

# The launcher's options, with a stand-in for the program that shows its process id (the
# launcher's own if the launcher made way for it), the window it was handed and whether SDL
# may catch signals. install makes a new file: the demo's last threads may still be on the old.
printf '#!/bin/sh\necho "$$ ${SDL_WINDOWID:-} ${SDL_NO_SIGNAL_HANDLERS:-}"\nexit 3\n' |
    install /dev/stdin "$tmp/bin/tovrek"
usage="usage: tovrek \[--window-id ID | --root\]  (ID in decimal or 0x hex)"
root=$(xwininfo -root -int | sed -n 's/^xwininfo: Window id: \([0-9]*\).*/\1/p')
top=$(xwininfo -root -children -int | sed -n 's/^ *\([0-9]*\) [("].*/\1/p' | head -n 1)
none="no window" big=99999999999999999999999 bighex=0xFFFFFFFFFFFFFFFFFFFFFFFF
for case in "3||" "3 $top 1||--window-id $(printf 0x%X "$top")" "3 $top 1||-window-id 00$top" \
    "3 $root 1||-root" "3 $top 1||--root --window-id $top" \
    "3 $root 1|$(printf 0x%x "$root")|--window-id $top" "2 usage||-window-id" \
    "2 usage||--window-id 7a" "2 usage||--fps" "2 $none 0x0||--window-id 0x0" \
    "2 $none 123||--window-id 123" "2 $none 123|123|" "2 $none $big||--window-id $big" \
    "2 $none $bighex||-window-id $bighex" "2 cannot open display (no DISPLAY set)|$top||" \
    "2 cannot open display :9999|$top||:9999"; do
    IFS='|' read -r expected saver args display _ <<<"$case|$DISPLAY"
    XSCREENSAVER_WINDOW=$saver DISPLAY=$display "$launcher" $args >"$tmp/out" 2>"$tmp/stderr" &
    wait $! && status=0 || status=$?
    said=$(sed "s/^tovrek: //; s/ on $DISPLAY\$//; s/^$usage\$/usage/" "$tmp/stderr")
    [ "$(echo $status $(sed "s/^$! //" "$tmp/out") $said)" = "$expected" ] &&
        [ "$(wc -l <"$tmp/stderr")" -le 1 ] ||
        fail "launcher $args: status $status, $(cat "$tmp/out" "$tmp/stderr")"
done
