#!/usr/bin/env bash
# Quitting: Escape, a window-close request, SIGTERM and SIGINT each end the program with
# status 0; other keys, pressed first, leave it running.
# Usage: quit.sh TOVREK CLOSE_WINDOW
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
binary=$1
close_window=$2

QUIT_METHODS=(escape close sigterm sigint)
OTHER_KEYS=(q space Return x)

ask_to_quit() {
    case $1 in
    escape) xdotool key Escape ;; # press and release together, drained in one frame
    close) "$close_window" "$TOVREK_WINDOW" || fail "could not send WM_DELETE_WINDOW" ;;
    sigterm) kill -TERM "$TOVREK_PID" ;;
    sigint) kill -INT "$TOVREK_PID" ;;
    esac
}

display_start
for method in "${QUIT_METHODS[@]}"; do
    tovrek_start "$binary"
    xdotool key "${OTHER_KEYS[@]}"
    wait_frames 3
    tovrek_exited && fail "the program ended on one of the keys ${OTHER_KEYS[*]}"
    ask_to_quit "$method"
    wait_for 30 "the program to exit after $method" tovrek_exited
    tovrek_wait_exit 1
    [ "$TOVREK_STATUS" -eq 0 ] || fail "exit status $TOVREK_STATUS after $method, not 0"
done
