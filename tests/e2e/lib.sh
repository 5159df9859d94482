# What the end-to-end scripts share: the virtual display and its helpers (scripts/display.sh),
# failing with a message, and the screen's pixels by kind. Source it; read_pixels writes into
# the script's scratch folder $tmp.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/display.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

# The screen's pixels by kind: white, black, grey and other (white and black within a level).
read_pixels() {
    screenshot "$tmp/screen.png"
    read -r white black grey other < <(convert "$tmp/screen.png" -format %c histogram:info:- |
        awk -F'[(),]' '{ n[$2 != $3 || $3 != $4 ? 4 : $2 > 253 ? 1 : $2 < 2 ? 2 : 3] += $1 }
            END { print n[1] + 0, n[2] + 0, n[3] + 0, n[4] + 0 }')
}
black_on_white() { read_pixels && [ "$white" -gt 0 ] && [ "$black" -gt 0 ] && [ "$grey$other" = 00 ]; }
greys_shown() { read_pixels && [ "$other" = 0 ] && [ "$grey" -gt 0 ]; }
