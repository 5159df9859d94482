#!/usr/bin/env bash
# The Windows build under 64-bit Wine on a virtual display, from the packages $1.zip and $1.exe:
# the zip's files; the silent installer and its Start-menu entry; a video driver that cannot
# start, whose line reaches stderr (and no stderr.txt), or the console of a shell that starts
# the program without handles; the picture before and after a click; quitting with Escape and
# by closing the window, with nothing on stderr; then the silent uninstaller.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
tmp=$(mktemp -d) wine=/usr/lib/wine/wine64 # 64-bit Wine only
export LC_ALL=C WINEPREFIX=$tmp/wine WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' # no prompts, no menu files
trap 'wineserver -w; display_stop; rm -rf "$tmp"' EXIT
# Every run has a time limit: a missing DLL, for one, shows a box that waits for a click.
run() { timeout 60 "$wine" "$@"; }
window() { xdotool search --onlyvisible --class '^tovrek\.exe$' 2>/dev/null | grep -m 1 .; }
dir="$WINEPREFIX/drive_c/Program Files/tovrek"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/tovrek"
files="LICENSE-SDL2.txt LICENSE-sdl12-compat.txt LICENSE.txt README.txt SDL.dll SDL2.dll tovrek.exe"

[ "$(unzip -Z1 "$1.zip" | sed 's|^[^/]*/||' | sort | xargs)" = "$files" ] ||
    fail "the zip holds $(unzip -Z1 "$1.zip" | xargs)"
display_start
run wineboot -i >/dev/null 2>&1 || fail "Wine could not make its prefix"
run "$1.exe" /S || fail "status $? from the installer"
[ "$(ls "$dir" | grep -vx Uninstall.exe | xargs)" = "$files" ] && [ -f "$menu/tovrek.lnk" ] ||
    fail "installed: $(ls "$dir" "$menu" | xargs)"
x86_64-w64-mingw32-objdump -p "$dir/tovrek.exe" | grep '^Subsystem.*(Windows GUI)' >/dev/null ||
    fail "tovrek.exe is not a GUI program"

bogus_driver_fails run "$dir/tovrek.exe"
! compgen -G "$dir/std*.txt" >/dev/null || fail "SDL wrote $(ls "$dir"/std*.txt)"
# start hands the program no standard handles; its console comes through a pseudo-terminal,
# with cursor moves for spaces. cmd expands %errorlevel% as it reads the line, before start
# runs (Wine 10 as Windows; Wine 8 did not): !errorlevel! is read when echo runs.
(cd "$dir" && SDL_VIDEODRIVER=bogus timeout 60 script -qec \
    "$wine cmd /v:on /c 'start /wait tovrek.exe & echo status !errorlevel!'" /dev/null) |
    sed 's/\x1b\[1C/ /g; s/\x1b\[[?0-9;]*[a-zA-Z]//g; s/\r//g' >"$tmp/console" || true
grep -q "^Couldn't initialize SDL: " "$tmp/console" && grep -qx "status 1" "$tmp/console" ||
    fail "started from a console: $(cat "$tmp/console")"

for quit in Escape close; do
    run "$dir/tovrek.exe" 2>"$tmp/stderr" &
    pid=$!
    window=$(retry 30 window) || fail "no window within 30 s"
    quits_cleanly $quit $pid "$window" run taskkill /im tovrek.exe # asks the window to close
done

run "$dir/Uninstall.exe" /S || fail "status $? from the uninstaller"
wineserver -w # the uninstaller goes on from a copy of itself
[ ! -e "$dir" ] && [ ! -e "$menu" ] || fail "left after uninstalling: $(ls -R "$dir" "$menu")"
