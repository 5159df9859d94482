#!/usr/bin/env bash
# The Windows build under 64-bit Wine on a virtual display, from the packages $1.zip and $1.exe,
# with $2 the preview's host (preview_host.cpp): the zip's files; the silent installer, its
# Start-menu entry and the screensaver where Windows lists them, the chosen screensaver left as it
# was; both programs' manifest and version; tovrek.exe: a video driver that cannot start, whose
# line reaches stderr (and no stderr.txt), or the console of a shell that starts the program
# without handles; the picture before and after a click; quitting with Escape and by closing the
# window, with nothing on stderr; tovrek.scr: bad arguments, the settings box, the preview, the
# saver's picture, input ending it and a jitter not, and on two monitors the other one black
# (where Xorg can run); then the silent uninstaller, which leaves nothing behind.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
tmp=$(mktemp -d) wine=/usr/lib/wine/wine64 # 64-bit Wine only
export LC_ALL=C WINEPREFIX=$tmp/wine WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' # no prompts, no menu files
trap 'wineserver -w; display_stop; rm -rf "$tmp"' EXIT
# Every run has a time limit: a missing DLL, for one, shows a box that waits for a click.
run() { timeout 60 "$wine" "$@"; }
window() { xdotool search --onlyvisible --class '^tovrek\.exe$' 2>/dev/null | grep -m 1 .; }
dir="$WINEPREFIX/drive_c/Program Files/tovrek" sys=$WINEPREFIX/drive_c/windows/system32
scr='C:\windows\system32\tovrek.scr'
# The user's chosen screensaver, which neither installing nor uninstalling may change.
desktop='HKCU\Control Panel\Desktop' chosen='C:\windows\system32\other.scr'
chosen_kept() { run reg query "$desktop" /v SCRNSAVE.EXE | grep -qF "$chosen" || fail "$1 changed it"; }
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/tovrek"
files="LICENSE-SDL2.txt LICENSE-sdl12-compat.txt LICENSE.txt README.txt SDL.dll SDL2.dll tovrek.exe tovrek.scr"

[ "$(unzip -Z1 "$1.zip" | sed 's|^[^/]*/||' | sort | xargs)" = "$files" ] ||
    fail "the zip holds $(unzip -Z1 "$1.zip" | xargs)"
display_start
run wineboot -i >/dev/null 2>&1 || fail "Wine could not make its prefix"
run reg add "$desktop" /v SCRNSAVE.EXE /d "$chosen" /f >/dev/null
run "$1.exe" /S || fail "status $? from the installer"
[ "$(ls "$dir" | grep -vx Uninstall.exe | xargs)" = "$files" ] && [ -f "$menu/tovrek.lnk" ] &&
    [ -f "$sys/tovrek.scr" ] || fail "installed: $(ls "$dir" "$menu" "$sys/tovrek.scr" | xargs)"
chosen_kept installing
for program in "$dir/tovrek.exe" "$sys/tovrek.scr"; do
    x86_64-w64-mingw32-objdump -p "$program" | grep '^Subsystem.*(Windows GUI)' >/dev/null ||
        fail "$program is not a GUI program"
    [ "$(wrestool -l "$program" | grep -oE -- '--type=(16|24) ' | sort -u | xargs)" = \
        "--type=16 --type=24" ] || fail "no version information or manifest in $program"
done

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

# tovrek.scr from System32, where its SDL is not: a bad argument gives one line on stderr and
# status 2 (one that opened a window would wait for the time limit).
for args in /x /p '/p abc' '/p 0' '/p 12345' '/p 4294967296' /c:zz '/s extra'; do
    run "$scr" $args 2>"$tmp/stderr" && status=0 || status=$?
    [[ $status = 2 && $(wc -l <"$tmp/stderr") = 1 ]] ||
        fail "tovrek.scr $args: status $status, and: $(cat "$tmp/stderr")"
done
run "$scr" /c 2>"$tmp/stderr" &
pid=$!
box=$(retry 30 xdotool search --onlyvisible --name '^tovrek$') || fail "no settings box"
quits_cleanly Enter $pid "$box" xdotool windowfocus --sync "$box" key Return
run "$2" "$scr" >"$tmp/preview" 2>"$tmp/stderr" || fail "$(cat "$tmp/preview")"
[ ! -s "$tmp/stderr" ] || fail "the preview printed: $(cat "$tmp/stderr")"

# saver ARGS...: starts tovrek.scr /s with the pointer at rest, and waits for it to cover the
# screen (the part ARGS, as read_pixels takes it, with black boxes on white).
saver() {
    xdotool mousemove 400 300
    run "$scr" /s 2>"$tmp/stderr" &
    pid=$!
    retry 30 black_on_white "$@" || fail "$white white, $black black, $grey grey, $other other pixels"
}
for input in "key space" "click 1" "click 5" "mousemove_relative 40 0"; do
    saver
    xdotool mousemove_relative 2 1 && sleep 3 # the saver takes about 2 s to end
    ! program_ended $pid || fail "a jitter ended the saver"
    quits_cleanly "$input" $pid "" xdotool $input
done
# On two monitors, the other one covered in black where the root window is red.
wineserver -w # Wine's next programs start on the next display
if two_monitors_start; then
    xsetroot -solid red
    saver 800x600+0+0
    read_pixels 800x600+800+0 && [ "$black" = $((800 * 600)) ] ||
        fail "the other monitor: $white white, $black black, $grey grey, $other other pixels"
    quits_cleanly "key space" $pid "" xdotool key space
fi

run "$dir/Uninstall.exe" /S || fail "status $? from the uninstaller"
wineserver -w # the uninstaller goes on from a copy of itself
[ ! -e "$dir" ] && [ ! -e "$menu" ] && [ ! -e "$sys/tovrek.scr" ] ||
    fail "left after uninstalling: $(ls -R "$dir" "$menu" "$sys/tovrek.scr")"
! run reg query 'HKLM\Software\tovrek' >/dev/null 2>&1 || fail "the installer's registry key is left"
chosen_kept uninstalling
