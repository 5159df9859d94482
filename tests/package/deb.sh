#!/usr/bin/env bash
# scripts/package, run into build directory $1, makes tovrek_$2_<arch>.deb (version $2) that
# holds the program, its manual page and desktop entry at Debian's paths, plus the copyright
# and changelog, depends on the SDL 1.2, OpenGL and GLU runtimes as computed from the
# program, and has no lintian error.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

build_dir=$1
version=$2
expected='./usr/games/tovrek
./usr/share/applications/tovrek.desktop
./usr/share/doc/tovrek/changelog.gz
./usr/share/doc/tovrek/copyright
./usr/share/man/man6/tovrek.6.gz'

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

deb=$("$ROOT/scripts/package" "$build_dir")
[ "$(basename "$deb")" = "tovrek_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "unexpected package name $deb"

contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
[ "$contents" = "$expected" ] || fail "the package holds, against expected:
$(diff <(echo "$contents") <(echo "$expected") || true)"

depends=$(dpkg-deb -f "$deb" Depends)
for runtime in 'libsdl1\.2' 'lib(opengl0|gl1)\b' 'libglu1'; do
    grep -qE "$runtime" <<<"$depends" || fail "Depends has no match for $runtime: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"

lintian_args=()
[ "$(id -u)" -ne 0 ] || lintian_args+=(--allow-root)
# lintian fails on errors only; its warnings are shown and let through.
lintian "${lintian_args[@]}" "$deb" || fail "lintian reports errors in $deb"
