#!/usr/bin/env bash
# The release and package scripts' refusals and the package's check of its program's machine, as
# a table of runs in a scratch repository of this work tree, among them scripts/release --check:
# the source tarball and the amd64 package built twice to the same bytes, signed with a key made
# for the test; and a change that puts the time zone into the package, which it must catch.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

need_packages git "${SIGN_PACKAGES[@]}"
SCRATCH=$(mktemp -d) kept=
export GNUPGHOME=$SCRATCH/gnupg
# The kept second build is removed only by the name scripts/release gives such folders.
trap 'gpgconf --kill gpg-agent; rm -rf "$SCRATCH"; [[ $kept != */tovrek-release.??????/out ]] ||
    rm -rf "${kept%/out}"' EXIT
mkdir -m 700 "$GNUPGHOME" "$SCRATCH/tovrek"
snapshot
"${OWN_GIT[@]}" archive "$SNAPSHOT" | tar -xf - -C "$SCRATCH/tovrek"
cd "$SCRATCH/tovrek"
git init -q && git config user.name t && git config user.email t@example.org
git add -A && git commit -qm work
VERSION=$(project_version) CROSS=$ROOT/cmake/aarch64-linux-gnu.cmake CHECKED=build/release-check
mkdir -p build/native build/cross build/keep build/sdl && touch build/native/CMakeCache.txt
echo "CMAKE_TOOLCHAIN_FILE:FILEPATH=$CROSS" >build/cross/CMakeCache.txt
ZONE='file(WRITE zone "$ENV{TZ}")\ninstall(FILES zone DESTINATION ${CMAKE_INSTALL_DOCDIR}'
ZONE+=' COMPONENT program)' # the time zone in an installed file
SDL=$(cut -d' ' -f3 "$SDL_PINS" | paste -sd' ')

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
:|check_machine arm64 /bin/true|1|/bin/true is not for arm64: ELF64, 2's complement, little endian,
:|check_machine no-such-arch /bin/true|1|No C library for no-such-arch here (libc6:no-such-arch)
echo >>README.md|scripts/release|1|Uncommitted changes in $PWD: a release is a commit;
sed -i 's/^## [^ ]*/## 0.9/' NEWS.md|scripts/release|1|Versions disagree: CMakeLists.txt $VERSION\
, dist/changelog $VERSION, dist/tovrek.metainfo.xml $VERSION, NEWS.md 0.9
git checkout -q .; mkdir -p build/release-$VERSION; touch build/release-$VERSION/SHA256SUMS\
 build/keep/file|OUT=build/keep WORK=build/keep scripts/release /nowhere|1|No ${SDL%% *} in /nowhere
:|test ! -e build/release-$VERSION/SHA256SUMS -a -e build/keep/file|0|
touch build/sdl/${SDL// / build/sdl/}|sdl_sources build/sdl|1|build/sdl/${SDL%% *} is not the one
touch build/sdl/SDL2-2.0.0.tar.gz|scripts/windows build/sdl|1|build/sdl/SDL2-2.0.0.tar.gz is another
sed -i '0,/^ -- /s/>  .*/>  someday/' dist/changelog|scripts/release --check|1|No date in dist/chan
git checkout -q .; rm HACKING.md; gpg --batch --passphrase '' --quick-gen-key t@example.org\
 ed25519 sign never &>/dev/null|scripts/release --check --sign t@example.org|0|SHA256SUMS.asc: its
:|tar -tzf $CHECKED/tovrek-$VERSION.tar.gz tovrek-$VERSION/HACKING.md|2|
:|gpg --verify $CHECKED/SHA256SUMS.asc|0|
sed -i 's/^./0/' $CHECKED/SHA256SUMS|gpg --verify $CHECKED/SHA256SUMS.asc|1|gpg: BAD signature
git checkout -q .; printf "\$ZONE" >>CMakeLists.txt; git commit -qam zone|scripts/release --check\
|1|Not reproducible: tovrek_${VERSION}_$(dpkg --print-architecture).deb differs from the second
kept=\${said##* in }|[ $(id -u) != 0 -o \$(stat -c %U \$kept/../another-name) = nobody ]|0|
mkdir l; echo "Dir::State::lists \"$PWD/l\";" >apt.conf\
; echo 'Architectures: amd64 i386' >l/a_Release|APT_CONFIG=$PWD/apt.conf arm64_in_archive|1|
echo 'Architectures: all amd64 arm64' >l/b_Release|APT_CONFIG=$PWD/apt.conf arm64_in_archive|0|
ROWS
echo "release: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
