# Shared by the scripts: installs missing Debian packages, configures and builds.
# Source it; it sets ROOT to the checkout.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What is built gets the usual modes (0755 directories and programs, 0644 files), whatever the
# umask of whoever builds it.
umask 022
# The times inside every artefact: the newest changelog entry's, never the clock's, so that one
# commit always gives the same bytes. Its date must be the one Debian's changelogs write:
# date(1) reads an empty or an odd one as today's.
CHANGELOG_DATE='[A-Z][a-z]{2}, [0-9]{2} [A-Z][a-z]{2} [0-9]{4} [0-9:]{8} [+-][0-9]{4}'
changelog_epoch() {
    local date
    date=$(sed -n 's/^ -- .*>  //p' "$ROOT/dist/changelog" | head -n 1)
    [[ $date =~ ^$CHANGELOG_DATE$ ]] && LC_ALL=C date -d "$date" +%s 2>/dev/null
}
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(changelog_epoch) || {
        echo "No date in dist/changelog's newest sign-off (\" -- NAME <EMAIL>  Tue, 08 Dec 2026" \
            "00:00:00 +0000\"): the artefacts' times come from it" >&2
        exit 1
    }
fi
export SOURCE_DATE_EPOCH
# The version that project() in CMakeLists.txt gives.
project_version() {
    sed -n 's/^project(tovrek VERSION \([^ ]*\).*/\1/p' "$ROOT/CMakeLists.txt"
}

# What the program needs to build, and what its tests need besides.
BUILD_PACKAGES=(g++ make cmake pkg-config libgl-dev libglu1-mesa-dev)
TEST_PACKAGES=(googletest libgtest-dev)
# A virtual display with Mesa's software OpenGL, and ways to drive it and look at it: what
# scripts/run needs without a desktop; the end-to-end tests also run the real XScreenSaver, and
# a headless Wayland compositor (sway) with a virtual keyboard (wtype), a virtual pointer
# (wayvnc's) and screenshots (grim).
DISPLAY_PACKAGES=(xvfb libgl1-mesa-dri x11-apps imagemagick xdotool procps)
# A real X server with two monitors, for the checks on two monitors (Xvfb's are both at 0,0).
MONITORS_PACKAGES=(xserver-xorg-core xserver-xorg-video-dummy)
E2E_PACKAGES=("${DISPLAY_PACKAGES[@]}" "${MONITORS_PACKAGES[@]}" xscreensaver x11-utils sway wtype
    wayvnc grim)
# Making the Debian package (scripts/package: cpack computes its dependencies with
# dpkg-shlibdeps, which needs file), and Debian's checks of it, of the desktop entry and of the
# software-centre entry.
PACKAGE_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream)
# The benchmarks; scripts/bench's table is printed by python3.
PERF_PACKAGES=(libbenchmark-dev "${DISPLAY_PACKAGES[@]}" python3)
# The Windows build (scripts/windows): the cross compiler, the installer maker, the icon's
# converters, fakeroot for the zip's owners, and 64-bit Wine with the virtual display to check
# the result; Wine's X11 driver loads OpenGL and the X extensions at run time, which Debian only
# recommends. The screensaver's check paints the root window (xsetroot) of two monitors.
WINDOWS_PACKAGES=(cmake make pkg-config xz-utils g++-mingw-w64-x86-64 nsis librsvg2-bin icoutils
    fakeroot unzip wine wine64 libgl1 libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3
    x11-xserver-utils "${DISPLAY_PACKAGES[@]}" "${MONITORS_PACKAGES[@]}")
# The browser build (scripts/web): Emscripten, and for its check Chromium, which Node drives,
# and ImageMagick; python3 serves the page.
WEB_PACKAGES=(emscripten cmake make nodejs chromium imagemagick python3)
# The release (scripts/release): git for the source tarball, the locales' sources for the second
# build's locale; gpg, and its agent for the secret key, to sign its checksums.
RELEASE_PACKAGES=(git locales)
SIGN_PACKAGES=(gpg gpg-agent)
# The arm64 build (scripts/arm64): Debian's cross compiler and qemu's user-mode emulation, the
# arm64 libraries beside this machine's own (multi-arch: all of them are Multi-Arch: same), and
# arm64 Mesa for its check on the virtual display; its package as scripts/package makes it. SDL
# 1.2 besides, as arm64_sdl chooses.
ARM64_PACKAGES=(g++-aarch64-linux-gnu qemu-user cmake make pkg-config libgl-dev:arm64
    libglu1-mesa-dev:arm64 libgtest-dev:arm64 libgl1-mesa-dri:arm64 "${DISPLAY_PACKAGES[@]}"
    "${PACKAGE_PACKAGES[@]}")

# Installs those of the named Debian packages that are missing, as root or through sudo;
# says nothing when all are there. Another install under way is waited for, not failed on.
need_packages() {
    local missing=()
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || {
            echo "Missing packages (run as root to install them): ${missing[*]}" >&2
            exit 1
        }
        sudo=(sudo)
    fi
    echo "Installing ${missing[*]}" >&2
    local apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -qq
        -o DPkg::Lock::Timeout=600)
    "${apt[@]}" update >/dev/null
    "${apt[@]}" install -y --no-install-recommends "${missing[@]}" >/dev/null
}

# SDL 1.2 from either of Debian's two packages of it; the maintained one when neither is there:
# sdl12-compat's libsdl1.2-compat-dev, which Debian 13 renamed libsdl1.2-dev, keeping the old
# name for a transitional package that later releases only provide.
need_sdl() {
    [ -z "$(missing_packages libsdl1.2-dev)" ] || need_packages libsdl1.2-compat-dev
}

# The arm64 build's SDL 1.2: the same package as this machine's own, which Multi-Arch: same wants
# beside it (the two conflict), or the maintained one where this machine has none.
arm64_sdl() {
    local native
    native=$(dpkg-query -W -f='${db:Status-Abbrev}${Architecture} ${Package}\n' libsdl1.2-dev \
        libsdl1.2-compat-dev 2>/dev/null | sed -n "s/^ii $(dpkg --print-architecture) //p")
    echo "$(head -n 1 <<<"${native:-libsdl1.2-compat-dev}"):arm64"
}

# Prints those of the named packages that no installed package is or provides, as apt may
# install another for a name. A name without an architecture is this machine's own or an
# architecture-independent package: arm64's of the same name, installed beside it, is not it.
missing_packages() {
    dpkg-query -W -f='${db:Status-Abbrev} ${Architecture} ${Package} ${Provides}\n' |
        awk -v names="$*" -v native="$(dpkg --print-architecture)" '
            $1 == "ii" { gsub(/ \([^)]*\)|,/, ""); for (i = 3; i <= NF; i++) has[$i ":" $2] = 1 }
            END {
                n = split(names, wanted, " ")
                for (i = 1; i <= n; i++) {
                    name = wanted[i]
                    if (name ~ /:/ ? !has[name] : !has[name ":" native] && !has[name ":all"])
                        print name
                }
            }'
}

# The arm64 build's packages: adds arm64 to dpkg's architectures first, and says so, where it is
# not one of them. Where they cannot be installed (neither root nor sudo, or no arm64 in the
# archive), says which are missing and ends the script with status 1: there is no arm64 build
# without them.
need_arm64_packages() {
    local sudo=() missing added=
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    if ! dpkg --print-foreign-architectures | grep -qx arm64; then
        echo "Adding arm64 to dpkg's architectures, for the arm64 libraries; it is removed" \
            "again if they cannot be installed" >&2
        if "${sudo[@]}" dpkg --add-architecture arm64 2>/dev/null; then
            added=1
        else
            echo "Could not add arm64 to dpkg's architectures: that needs root or sudo" >&2
        fi
    fi
    local packages=("${ARM64_PACKAGES[@]}" "$(arm64_sdl)")
    (need_packages "${packages[@]}") || true
    missing=$(missing_packages "${packages[@]}")
    [ -z "$missing" ] && return 0
    echo "The arm64 build cannot go on; missing: $(xargs <<<"$missing")" >&2
    # Left there, arm64 would make every later apt-get update read its lists, and fail
    # where the archive has none.
    if [ -n "$added" ] && "${sudo[@]}" dpkg --remove-architecture arm64 2>/dev/null; then
        echo "Removed arm64 from dpkg's architectures again" >&2
        "${sudo[@]}" apt-get -qq update >/dev/null 2>&1 || true
    fi
    exit 1
}

# True unless the package archive has no arm64 packages, as the Architectures of the Release
# files in apt's lists say (as on distributions that keep other architectures in another
# archive); where apt has no lists yet, they are taken to be there.
arm64_in_archive() {
    local lists
    eval "$(apt-config shell lists Dir::State::lists/d)"
    ! compgen -G "$lists/*Release" >/dev/null ||
        grep -qs '^Architectures:.* arm64\b' "$lists"/*Release
}

# check_machine ARCH PROGRAM: fails unless PROGRAM is built for Debian architecture ARCH: of the
# ELF class, byte order and machine of that architecture's C library, so that any architecture
# Debian has is known without a table of them.
check_machine() {
    local multiarch libc
    multiarch=$(dpkg-architecture -a "$1" -qDEB_HOST_MULTIARCH 2>/dev/null) || true
    libc=/lib/$multiarch/libc.so.6
    [ -n "$multiarch" ] && [ -f "$libc" ] || {
        echo "No C library for $1 here (libc6:$1) to compare $2 with" >&2
        return 1
    }
    [ "$(elf_kind "$2")" = "$(elf_kind "$libc")" ] || {
        echo "$2 is not for $1: $(elf_kind "$2" | paste -sd '|' | sed 's/|/, /g')" >&2
        return 1
    }
}
# A program's or library's ELF class, byte order and machine, as readelf names them in English
# (in French, for one, the fields it reads would be missing, and any two ELF files alike).
elf_kind() { LC_ALL=C readelf -h "$1" | sed -n 's/^ *\(Class\|Data\|Machine\): *//p'; }

# reproducible_tar ARCHIVE DIR NAME...: a gzipped tarball of DIR's NAMEs under a folder named
# after ARCHIVE, the same bytes from the same files whatever their owner, dates, modes or order.
reproducible_tar() {
    local archive=$1 dir=$2 top
    shift 2
    top=$(basename "$archive" .tar.gz)
    tar -C "$dir" --sort=name --format=gnu --owner=0 --group=0 --numeric-owner \
        --mtime="@$SOURCE_DATE_EPOCH" --mode=u+rw,go=rX --transform="s,^,$top/," \
        -cf - "$@" | gzip -9n >"$archive"
}

# git in the checkout without the builder's settings, the system's, the global ones or those
# its home holds by default (attributes, excludes), which would change what a release takes
# from it.
OWN_GIT=(env -u XDG_CONFIG_HOME HOME=/dev/null GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=/dev/null
    git -C "$ROOT")

# snapshot: sets SNAPSHOT to the work tree as it is, untracked files too but no ignored ones, as a
# commit of its own dated as HEAD, so that it is the same however often it is made. A failing git
# ends the script, its message shown.
snapshot() {
    local dir date tree status=0
    dir=$(mktemp -d)
    date=$("${OWN_GIT[@]}" log -1 --format=%cI) &&
        tree=$(GIT_INDEX_FILE=$dir/index "${OWN_GIT[@]}" add -A &&
            GIT_INDEX_FILE=$dir/index "${OWN_GIT[@]}" write-tree) &&
        SNAPSHOT=$(GIT_AUTHOR_NAME=tovrek GIT_AUTHOR_EMAIL=tovrek@example.org \
            GIT_COMMITTER_NAME=tovrek GIT_COMMITTER_EMAIL=tovrek@example.org \
            GIT_AUTHOR_DATE=$date GIT_COMMITTER_DATE=$date \
            "${OWN_GIT[@]}" commit-tree --no-gpg-sign -p HEAD -m "work tree" "$tree") || status=$?
    rm -rf "$dir"
    [ "$status" -eq 0 ] || exit "$status"
}

# Where scripts/windows looks for the SDL release tarballs unless it is told: beside the checkout.
WINDOWS_SOURCES=$(dirname "$ROOT")/shared/windows

# The SDL release tarballs the Windows build takes, by name, with their SHA-256 (sha256sum's
# format): the Windows artefacts' bytes depend on them.
SDL_PINS=$ROOT/cmake/windows-sdl.sha256

# sdl_sources DIR: sets SDL2_TARBALL and SDL12_TARBALL to DIR's SDL2 and sdl12-compat release
# tarballs, those SDL_PINS names, with its SHA-256. False, and says why on stderr in one line,
# where one is missing or another, or another version is there too.
sdl_sources() {
    local pinned sum name file
    pinned="$(cut -d' ' -f3 "$SDL_PINS" | paste -sd' ') (SHA-256 in cmake/windows-sdl.sha256)"
    for file in "$1"/SDL2-*.tar.* "$1"/sdl12-compat-*.tar.*; do
        [ ! -e "$file" ] || awk -v name="${file##*/}" '$2 == name { found = 1 }
            END { exit !found }' "$SDL_PINS" || {
            echo "$file is another SDL than the Windows build takes: $pinned" >&2
            return 1
        }
    done
    while read -r sum name; do
        [ -f "$1/$name" ] || {
            echo "No $name in $1; the Windows build takes $pinned" >&2
            return 1
        }
        [ "$(sha256sum <"$1/$name" | cut -d' ' -f1)" = "$sum" ] || {
            echo "$1/$name is not the one the Windows build takes: $pinned" >&2
            return 1
        }
        case $name in
        SDL2-*) SDL2_TARBALL=$1/$name ;;
        sdl12-compat-*) SDL12_TARBALL=$1/$name ;;
        esac
    done <"$SDL_PINS"
}

# quietly LOG COMMAND...: runs COMMAND with its output in LOG, shown only when it fails, which
# ends the script.
quietly() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 || {
        cat "$log" >&2
        echo "Failed: $* (log: $log)" >&2
        exit 1
    }
}

# Configures and builds the tree in build directory $1 with the CMake options after it; prints
# the build's output only when it fails.
build_in() {
    local dir=$1
    shift
    mkdir -p "$dir"
    quietly "$dir/configure.log" cmake -S "$ROOT" -B "$dir" "$@"
    quietly "$dir/build.log" cmake --build "$dir" -j "$(nproc)"
}

HEADLESS_TIMEOUT=30 # seconds to wait for the demo's window, and then for its exit

# headless_start ARGS...: starts the release build's demo on a new virtual display; false if it
# ended before it showed a window. DEMO_PID and DEMO_WINDOW are its; headless_stop ends it.
headless_start() {
    source "$ROOT/scripts/display.sh"
    need_packages "${DISPLAY_PACKAGES[@]}"
    display_start
    trap headless_stop EXIT
    "$ROOT/build/release/tovrek" "$@" &
    DEMO_PID=$!
    retry "$HEADLESS_TIMEOUT" demo_shown_or_ended && ! program_ended "$DEMO_PID"
}

demo_shown_or_ended() {
    DEMO_WINDOW=$(window_of "$DEMO_PID") || program_ended "$DEMO_PID"
}

# Ends the demo with Escape, or kills it if it will not end, stops the display and prints the
# demo's exit status. Xvfb runs no window manager, so the window is given the focus first.
headless_stop() {
    [ -n "${DEMO_PID:-}" ] || return 0
    if ! program_ended "$DEMO_PID" && ! { [ -n "${DEMO_WINDOW:-}" ] &&
        xdotool windowfocus --sync "$DEMO_WINDOW" key Escape &&
        retry "$HEADLESS_TIMEOUT" program_ended "$DEMO_PID"; }; then
        echo "tovrek did not end on Escape; stopping it" >&2
        kill "$DEMO_PID" 2>/dev/null || true
    fi
    display_stop
    local status=0
    wait "$DEMO_PID" || status=$?
    DEMO_PID=
    echo "tovrek exited with status $status"
}
