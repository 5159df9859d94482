# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64):
# cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH=<Windows SDL>
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(TOVREK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOVREK_MINGW}-gcc)
set(CMAKE_CXX_COMPILER ${TOVREK_MINGW}-g++)
set(CMAKE_RC_COMPILER ${TOVREK_MINGW}-windres)

# Headers, libraries and packages come from the Windows sysroot and the prefixes named in
# CMAKE_PREFIX_PATH, never from the build machine; its programs still run the build.
set(CMAKE_FIND_ROOT_PATH /usr/${TOVREK_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config reads the .pc files of CMAKE_PREFIX_PATH (FindPkgConfig adds them) and the
# sysroot's, never the build machine's own SDL.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${TOVREK_MINGW}/lib/pkgconfig)
