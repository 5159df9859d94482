# The browser build: the program on Emscripten's SDL 1.2 and WebGL, with the files of src/web/
# where those fall short of what it calls (GL 1.1's immediate mode and matrices, GLU's two
# transforms, SDL's error text, a mode set without WebGL and a swap paced by the display); the
# page, tovrek.html with tovrek.js, tovrek.wasm and the icon; and its check in a real browser
# (CTest label web).
# The root CMakeLists.txt includes it in place of the native build: cmake -S . -B build/web
# -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
# The page is the project's own (src/web/tovrek.html): Emscripten's -o x.html needs a minifier
# that Debian does not package.
add_compile_options(-sUSE_SDL=1)
add_executable(tovrek ${TOVREK_CORE_SOURCES} src/shell/main.cpp src/web/immediate.cpp
               src/web/sdl.cpp)
target_include_directories(tovrek PRIVATE src)
set_target_properties(tovrek PROPERTIES SUFFIX .js)
# ASYNCIFY lets the frame loop's SDL_Delay hand the browser its turn, so the loop runs as it is;
# EXIT_RUNTIME tells the page when the program has ended and with what status. The swap waits
# for the display in the same way (src/web/sdl.cpp).
target_link_options(tovrek PRIVATE -sUSE_SDL=1 -sASYNCIFY -sASYNCIFY_IMPORTS=waitForDisplay
                    -sEXIT_RUNTIME=1 -sENVIRONMENT=web
                    "LINKER:--wrap=SDL_SetVideoMode,--wrap=SDL_GL_SwapBuffers" -lGL)
configure_file(src/web/tovrek.html tovrek.html COPYONLY)
configure_file(dist/tovrek.svg tovrek.svg COPYONLY)

include(CTest)
if(BUILD_TESTING)
    add_subdirectory(tests)
endif()
