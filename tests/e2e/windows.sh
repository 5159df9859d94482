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
# wine_program NAME...: the first of Wine's programs NAME on PATH or where Debian's Wine keeps
# them: /usr/lib/wine, or since its 10.0~repack-12 the architecture's folder (NEWS.Debian).
wine_program() {
    PATH=$PATH:/usr/lib/wine:/usr/lib/x86_64-linux-gnu/wine command -v "$@" | head -n 1
}
# 64-bit Wine only, where Wine's 32-bit and 64-bit loaders are apart; the preview's host. No
# prompts, no menu files.
tmp=$(mktemp -d) wine=$(wine_program wine64 wine) server=$(wine_program wineserver64 wineserver)
host=$2 && export WINEPREFIX=$tmp/wine
export LC_ALL=C WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
# Ends what a failure may leave running (Notepad, a saver), then the display, the folder of the
# Wine server's socket (Debian's leaves TMPDIR's wine-XXXXXX/server-DEV-INODE, named after the
# prefix; Wine 10 aborts with TMPDIR in $tmp) and the check's own, past a failing step:
# wineserver -k fails when no server runs.
clean_up() {
    set +e
    "$server" -k
    display_stop
    for socket in $(printf '%s/wine-*/server-%x-%x' "${TMPDIR:-/tmp}" \
        $(stat -c '%d %i' "$WINEPREFIX")); do
        rm -rf "$socket" && rmdir "${socket%/*}"
    done 2>/dev/null
    rm -rf "$tmp"
}
trap clean_up EXIT
# Every run has a time limit: a missing DLL, for one, shows a box that waits for a click.
run() { timeout 60 "$wine" "$@"; }
dir="$WINEPREFIX/drive_c/Program Files/tovrek" sys=$WINEPREFIX/drive_c/windows/system32
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/tovrek"
files=$(echo LICENSE{-SDL2,-sdl12-compat,}.txt README.txt SDL{,2}.dll tovrek.{exe,scr})
# chosen: the user's screensaver, which neither installing nor uninstalling may change.
desktop='HKCU\Control Panel\Desktop' scr='C:\windows\system32\tovrek.scr' chosen=${scr/tovrek/other}

[ "$(unzip -Z1 "$1.zip" | sed 's|^[^/]*/||' | sort | xargs)" = "$files" ] ||
    fail "the zip holds $(unzip -Z1 "$1.zip" | xargs)"
display_start
run wineboot -i >/dev/null 2>&1 || fail "Wine could not make its prefix"
run reg add "$desktop" /v SCRNSAVE.EXE /d "$chosen" /f >/dev/null
# scr_rows SCR ROW...: runs tovrek.scr SCR as each ROW says, "STATUS [OUTPUT]|ARGS|STDERR" (a
# glob for it, at most one line). ARGS /c closes the box it shows with Enter; no ARGS runs it in
# the preview's host, which prints the OUTPUT. No row may leave a crash box of Wine's behind.
scr_rows() {
    for row in "${@:2}"; do
        IFS='|' read -r want args err <<<"$row"
        [ "$args" ] && program=("$1" $args) || program=("$host" "$1")
        run "${program[@]}" >"$tmp/out" 2>"$tmp/stderr" &
        [ "$args" = /c ] && box=$(retry 30 xdotool search --onlyvisible --name '^tovrek$') &&
            xdotool windowfocus --sync "$box" key Return
        wait $! && status=0 || status=$?
        ! xdotool search --name '^Program Error' >/dev/null && (($(wc -l <"$tmp/stderr") < 2)) &&
            [[ $(echo $status $(tr -d '\r' <"$tmp/out")) = "$want" && $(<"$tmp/stderr") = $err ]] ||
            fail "tovrek.scr ${args:-/p} ($1): status $status, $(cat "$tmp/out" "$tmp/stderr")"
    done
}
# tovrek.scr alone in a folder, with no SDL beside it and none installed: a bad argument gives one
# line on stderr and status 2 (one that opened a window would wait for the time limit); /s, the
# preview and the settings box end with status 1 and a line naming the folder looked in.
unzip -jq "$1.zip" '*/tovrek.scr' -d "$WINEPREFIX/drive_c/alone" && lost='* in C:?alone?'
scr_rows 'C:\alone\tovrek.scr' "2|/x|?*" "2|/p abc|?*" "2|/p 0|?*" "2|/p 12345|?*" \
    "2|/p 4294967296|?*" "2|/c:zz|?*" "2|/s extra|?*" "1|/s|$lost" "1|/c|$lost" "0 ended 1||$lost"
run "$1.exe" /S || fail "status $? from the installer"
[ "$(ls "$dir" | grep -vx Uninstall.exe | xargs)" = "$files" ] && [ -f "$menu/tovrek.lnk" ] &&
    [ -f "$sys/tovrek.scr" ] || fail "installed: $(ls "$dir" "$menu" "$sys/tovrek.scr" | xargs)"
run reg query "$desktop" /v SCRNSAVE.EXE | grep -qF "$chosen" || fail "installing changed it"
# Decoys in System32 and the Windows folder that record being loaded, as another program's SDL
# there might be; a copy of the saver in the Windows folder must not take them for its own either.
echo 'BOOL WINAPI DllMain(HINSTANCE, DWORD, PVOID) { return CreateDirectory("C:\\decoy", 0), 1; }' |
    x86_64-w64-mingw32-gcc -shared -include windows.h -xc - -o "$sys/SDL.dll"
cp "$sys"/SDL{,2}.dll && cp "$sys"/{SDL,SDL2}.dll "$sys/tovrek.scr" "$sys/.."
for program in "$dir/tovrek.exe" "$sys/tovrek.scr"; do
    [ "$(x86_64-w64-mingw32-objdump -p "$program" | grep -c '^Subsystem.*(Windows GUI)')$(wrestool \
        -l "$program" | grep -oE 'type=(16|24) ' | sort -u | xargs)" = "1type=16 type=24" ] ||
        fail "$program: not a GUI program, or no version information or manifest"
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
    run "$dir/tovrek.exe" 2>"$tmp/stderr" & pid=$!
    window=$(retry 30 xdotool search --onlyvisible --class '^tovrek\.exe$') || fail "no window"
    quits_cleanly $quit $pid "$window" run taskkill /im tovrek.exe # asks the window to close
done

# From System32, with SDL where the installer put it: the settings box and the preview; the
# preview from the Windows folder too.
scr_rows "$scr" "0|/c|" "0 inside ended 0||"
scr_rows 'C:\windows\tovrek.scr' "0 inside ended 0||"

# saver ARGS...: starts tovrek.scr /s with the pointer at rest, and waits for it to cover the
# screen (the part ARGS, as read_pixels takes it, with black boxes on white).
saver() {
    xdotool mousemove 400 300
    run "$scr" /s 2>"$tmp/stderr" & pid=$!
    retry 30 black_on_white "$@" || fail "$(kinds)"
}
# Input ends it, and so does another window's coming to the front; the first motion only sets
# where the pointer starts, and a jitter from there does not.
for input in "key space" "click 1" "click 5" "mousemove_relative 40 0" "exec $wine notepad"; do
    saver
    xdotool mousemove_relative 1 0 sleep 1 mousemove_relative 2 1 && sleep 3 # ends in 2 s
    ! program_ended $pid || fail "a jitter ended the saver"
    quits_cleanly "$input" $pid "" xdotool $input
done
[ ! -e "$WINEPREFIX/drive_c/decoy" ] || fail "the saver loaded the decoy SDL in System32"
# On two monitors, the other one covered in black where the root window is red.
"$server" -k # Wine's next programs start on the next display; Notepad goes
if two_monitors_start; then
    xsetroot -solid red && saver 800x600+0+0
    read_pixels 800x600+800+0 && [ "$black" = $((800 * 600)) ] || fail "the other monitor: $(kinds)"
    quits_cleanly "key space" $pid "" xdotool key space
fi

run "$dir/Uninstall.exe" /S || fail "status $? from the uninstaller"
"$server" -w # the uninstaller goes on from a copy of itself
[ ! -e "$dir" ] && [ ! -e "$menu" ] && [ ! -e "$sys/tovrek.scr" ] ||
    fail "left after uninstalling: $(ls -R "$dir" "$menu" "$sys/tovrek.scr")"
! run reg query 'HKLM\Software\tovrek' &>/dev/null || fail "the installer's registry key is left"
run reg query "$desktop" /v SCRNSAVE.EXE | grep -qF "$chosen" || fail "uninstalling changed it"
