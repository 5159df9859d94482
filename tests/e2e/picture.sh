#!/usr/bin/env bash
# The picture a person sees: an 800 x 600 screen, mostly white, with flat black boxes and
# no other colour; after a mouse click, boxes that re-enter the field turn grey.
# Usage: picture.sh TOVREK
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
binary=$1

SHOTS=3 # white must win over these together: one box right before the eye may fill a shot

grey_on_screen() {
    local white black grey other
    screenshot "$E2E_TMP/clicked.png"
    read -r white black grey other < <(colour_counts "$E2E_TMP/clicked.png")
    [ "$other" -eq 0 ] || fail "$other pixels neither white, black nor grey after the click"
    [ "$grey" -gt 0 ]
}

display_start
tovrek_start "$binary"
sleep 1 # the picture about a second after start
all_white=0
all_black=0
for ((shot = 1; shot <= SHOTS; shot++)); do
    wait_frames 2
    file="$E2E_TMP/shot$shot.png"
    screenshot "$file"
    size=$(identify -format '%wx%h' "$file")
    [ "$size" = 800x600 ] || fail "screenshot $shot is $size, not 800x600"
    read -r white black grey other < <(colour_counts "$file")
    [ "$black" -gt 0 ] || fail "no black box pixels in screenshot $shot"
    [ "$grey" -eq 0 ] || fail "$grey grey pixels in screenshot $shot, before any click"
    [ "$other" -eq 0 ] || fail "$other pixels neither white nor black in screenshot $shot"
    all_white=$((all_white + white))
    all_black=$((all_black + black))
done
[ "$all_white" -gt "$all_black" ] || fail "white is not the most common colour over $SHOTS" \
    "screenshots ($all_white white, $all_black black pixels)"

xdotool click 1
wait_for 30 "grey boxes after a mouse click" grey_on_screen
