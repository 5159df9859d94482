#!/usr/bin/env bash
# The release and package scripts' refusals and the package's check of its program's machine, as
# a table of runs in a scratch repository of this work tree; then, in this checkout,
# scripts/release --check: the source tarball and the amd64 package built twice to the same bytes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

need_packages git
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
mkdir "$SCRATCH/tovrek"
git -C "$ROOT" ls-files -co --exclude-standard | tar -C "$ROOT" -cf - -T - |
    tar -xf - -C "$SCRATCH/tovrek"
cd "$SCRATCH/tovrek"
git init -q && git add -A && git -c user.name=t -c user.email=t@example.org commit -qm work
VERSION=$(project_version) CROSS=$ROOT/cmake/aarch64-linux-gnu.cmake
mkdir -p build/native build/cross && touch build/native/CMakeCache.txt
echo "CMAKE_TOOLCHAIN_FILE:FILEPATH=$CROSS" >build/cross/CMakeCache.txt

# Each row: what is done first | the command | its status | how the last line it writes on
# stderr begins.
passed=0 failed=0
while IFS='|' read -r setup command status line; do
    eval "$setup"
    said=$(eval "$command" 2>&1 >/dev/null) && got=0 || got=$?
    [ "$got" = "$status" ] && [[ $(tail -n 1 <<<"$said") = "$line"* ]] &&
        passed=$((passed + 1)) && continue
    failed=$((failed + 1)) && echo "FAIL: $setup; $command: status $got, said: $said" >&2
done <<ROWS
:|scripts/package --arch armhf|2|usage: scripts/package [--arch arm64] [BUILD_DIR]
:|scripts/package --arch arm64 build/native|2|$PWD/build/native is configured for this machine:
:|scripts/package build/cross|2|$PWD/build/cross is configured for $CROSS: name another
:|check_machine $(dpkg --print-architecture) /bin/true|0|
:|check_machine arm64 /bin/true|1|
:|check_machine no-such-arch /bin/true|1|No C library for no-such-arch here (libc6:no-such-arch)
echo >>README.md|scripts/release|1|Uncommitted changes in $PWD: a release is a commit;
sed -i 's/^## [^ ]*/## 0.9/' NEWS.md|scripts/release|1|Versions disagree: CMakeLists.txt $VERSION\
, dist/changelog $VERSION, dist/tovrek.metainfo.xml $VERSION, NEWS.md 0.9
git checkout -q .; mkdir -p build/release-$VERSION; touch build/release-$VERSION/SHA256SUMS\
|scripts/release /nowhere|1|No SDL2-*.tar.* and sdl12-compat-*.tar.* in /nowhere
:|test ! -e build/release-$VERSION/SHA256SUMS|0|
mkdir l; echo "Dir::State::lists \"$PWD/l\";" >apt.conf\
; echo 'Architectures: amd64 i386' >l/a_Release|APT_CONFIG=$PWD/apt.conf arm64_in_archive|1|
echo 'Architectures: all amd64 arm64' >l/b_Release|APT_CONFIG=$PWD/apt.conf arm64_in_archive|0|
ROWS

cd "$ROOT"
scripts/release --check && passed=$((passed + 1)) || failed=$((failed + 1))
echo "release: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
