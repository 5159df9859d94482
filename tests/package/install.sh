#!/usr/bin/env bash
# A plain `cmake --install` of build tree $1 into an empty prefix puts there the program, its
# manual page and its desktop entry, nothing else; the installed program runs on a virtual
# display and quits on Escape with status 0.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

build_dir=$1
prefix=$E2E_TMP/prefix
expected='bin/tovrek
share/applications/tovrek.desktop
share/man/man6/tovrek.6.gz'

if ! cmake --install "$build_dir" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1; then
    cat "$E2E_TMP/install.log" >&2
    fail "cmake --install $build_dir failed"
fi
installed=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort)
[ "$installed" = "$expected" ] || fail "installed, against expected:
$(diff <(echo "$installed") <(echo "$expected") || true)"

display_start
tovrek_start "$prefix/bin/tovrek"
xdotool key Escape
tovrek_wait_exit 30
[ "$TOVREK_STATUS" -eq 0 ] || fail "the installed program exited with $TOVREK_STATUS after Escape, not 0:
$(cat "$E2E_TMP/stderr")"
