# Cross-compiling for 64-bit ARM (Debian arm64) with Debian's cross compiler
# (g++-aarch64-linux-gnu), against the arm64 libraries installed beside the build machine's own
# (multi-arch): cmake -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(TOVREK_TARGET aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${TOVREK_TARGET}-gcc)
set(CMAKE_CXX_COMPILER ${TOVREK_TARGET}-g++)
# The tests' programs, and CTest's discovery of the unit tests, run under qemu's user-mode
# emulation, which finds the arm64 loader and libraries where multi-arch put them.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)

# pkg-config reads the arm64 .pc files, never the build machine's own.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${TOVREK_TARGET}/pkgconfig:/usr/share/pkgconfig)
