#!/usr/bin/env bash
# The arm64 demo as installed from cross build tree $1, run by emulator $2 (qemu-aarch64) on a
# virtual display with Mesa's softpipe, which draws a frame under emulation where llvmpipe drew
# none within a minute: black boxes on white, then Escape, with status 0 and nothing on stderr.
# Greys are left to the native check: at half a frame to two frames a second, recoloured boxes
# come back only after a minute or more. It waits generously and times nothing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
tmp=$(mktemp -d /tmp/tovrek-arm64.XXXXXX) pid=
trap 'kill -9 $pid 2>/dev/null || true; display_stop; rm -rf "$tmp"' EXIT

cmake --install "$1" --prefix "$tmp" >/dev/null
display_start
GALLIUM_DRIVER=softpipe "$2" "$tmp/bin/tovrek" 2>"$tmp/stderr" &
pid=$!
window=$(retry 120 window_of $pid) || fail "no window within 120 s"
retry 120 black_on_white || fail "$white white, $black black, $grey grey, $other other pixels"
quits_cleanly "the Escape key" $pid "$window" xdotool windowfocus --sync "$window" key Escape
