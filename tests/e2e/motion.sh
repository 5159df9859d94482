#!/usr/bin/env bash
# The field moves: screenshots a few frames apart differ.
# Usage: motion.sh TOVREK
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
binary=$1

PAIRS=3

picture_moved() {
    screenshot "$E2E_TMP/later.png"
    ! cmp -s "$E2E_TMP/earlier.png" "$E2E_TMP/later.png"
}

display_start
tovrek_start "$binary"
for ((pair = 1; pair <= PAIRS; pair++)); do
    screenshot "$E2E_TMP/earlier.png"
    wait_for 30 "the picture to change (pair $pair)" picture_moved
done
