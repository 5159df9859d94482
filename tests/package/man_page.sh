#!/usr/bin/env bash
# The manual page $1 renders without a warning from either formatter, and every message the
# program in source tree $2 can print is a line of its own in the rendered page.
#
# The messages are the format strings of the fprintf(stderr, ...) calls in the source. In the
# page each conversion (%s, %d) is shown as one placeholder word (text, code), and the trailing
# newline is the end of the line; everything else appears exactly as the program prints it.
set -euo pipefail

page=$1
src=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Prints the formatter's complaints; a clean page prints nothing.
lint() {
    mandoc -Tlint "$page" 2>&1 || true
    groff -man -ww -z "$page" 2>&1 || true
}

# One format string a line, as written between the quotes, from every source file.
messages() {
    find "$src" -name '*.cpp' -exec perl -0777 -ne \
        'print "$1\n" while /fprintf\s*\(\s*stderr\s*,\s*"((?:[^"\\]|\\.)*)"/g' {} +
}

# An extended regular expression for the whole rendered line of format string $1.
line_pattern() {
    local format=${1%\\n} escaped
    escaped=$(printf '%s' "$format" | sed -e 's/[][\.*^$+?(){}|/]/\\&/g')
    escaped=$(printf '%s' "$escaped" | sed -E 's/%[-+ #0-9.]*[a-z]/[[:alpha:]]+/g')
    printf '^ *%s *$' "$escaped"
}

complaints=$(lint)
[ -z "$complaints" ] || fail "the manual page does not render cleanly:
$complaints"

calls=$(grep -rho 'fprintf(stderr' "$src" | wc -l)
formats=$(messages)
[ "$calls" -gt 0 ] || fail "found no fprintf(stderr, ...) in $src"
[ "$(printf '%s\n' "$formats" | wc -l)" -eq "$calls" ] ||
    fail "not every fprintf(stderr, ...) in $src has a literal format string"
! grep -rnE '\b(printf|puts|perror|fputs|cerr|cout)\b' "$src" ||
    fail "the program prints by another way than fprintf(stderr, ...)"

rendered=$(mandoc -Tascii "$page" | sed 's/.\x08//g')
missing=0
while IFS= read -r format; do
    if ! grep -qE "$(line_pattern "$format")" <<<"$rendered"; then
        echo "not in the manual page: \"$format\"" >&2
        missing=1
    fi
done <<<"$formats"
[ "$missing" -eq 0 ] || fail "the manual page lacks messages the program prints"
