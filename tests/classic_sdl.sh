#!/usr/bin/env bash
# Builds the program against Debian's classic SDL 1.2 (libsdl1.2-dev), which conflicts with
# the installed maintained one and so cannot be installed beside it: its packages are unpacked
# into a folder and pkg-config is pointed there.
# Usage: classic_sdl.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1
work=$2
root="$work/root"
multiarch=$(g++ -print-multiarch)

mkdir -p "$work"
if [ ! -f "$root/usr/include/SDL/SDL.h" ]; then
    (cd "$work" && apt-get download -q libsdl1.2-dev libsdl1.2debian >download.log 2>&1) || {
        cat "$work/download.log" >&2
        echo "FAIL: could not download the classic SDL 1.2 packages" >&2
        exit 1
    }
    for deb in "$work"/*.deb; do
        dpkg-deb -x "$deb" "$root"
    done
fi

export PKG_CONFIG_LIBDIR="$root/usr/lib/$multiarch/pkgconfig"
export PKG_CONFIG_SYSROOT_DIR="$root"
[ "$(pkg-config --modversion sdl)" = "$(dpkg-deb -f "$work"/libsdl1.2-dev_*.deb Version | sed 's/+.*//')" ] ||
    { echo "FAIL: pkg-config does not see the classic SDL" >&2; exit 1; }

# The classic library's own dependencies (ALSA, PulseAudio, …) need not be here to link.
if ! { cmake -S "$source_dir" -B "$work/build" -DBUILD_TESTING=OFF -DTOVREK_WERROR=ON \
        -DCMAKE_EXE_LINKER_FLAGS=-Wl,--allow-shlib-undefined &&
        cmake --build "$work/build" --target tovrek -j 2; } >"$work/build.log" 2>&1; then
    cat "$work/build.log" >&2
    echo "FAIL: the program does not build against the classic SDL 1.2" >&2
    exit 1
fi
grep -q "$root/usr/include/SDL" "$work/build/CMakeCache.txt" ||
    { echo "FAIL: the build did not use the classic SDL headers" >&2; exit 1; }
echo "built against classic SDL $(pkg-config --modversion sdl)"
