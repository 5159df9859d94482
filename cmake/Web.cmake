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
# for the display in the same way (src/web/sdl.cpp). Both imports that wait are named:
# Emscripten 3.1 counts SDL_Delay among them by itself, 6 only the functions it marks, not
# SDL_Delay, which stands for one, and the loop would run on past its first wait into a trap.
# The page's settings for the program are named too: 3.1 reads them all, 6 only those named,
# and without keyboardListeningElement SDL would take every key on the page.
set(page_settings canvas keyboardListeningElement print printErr onRuntimeInitialized onExit
    onAbort)
list(JOIN page_settings , page_settings)
target_link_options(tovrek PRIVATE -sUSE_SDL=1 -sASYNCIFY
                    -sASYNCIFY_IMPORTS=waitForDisplay,SDL_Delay -sEXIT_RUNTIME=1 -sENVIRONMENT=web
                    -sINCOMING_MODULE_JS_API=${page_settings}
                    "LINKER:--wrap=SDL_SetVideoMode,--wrap=SDL_GL_SwapBuffers" -lGL)
configure_file(src/web/tovrek.html tovrek.html COPYONLY)
configure_file(dist/tovrek.svg tovrek.svg COPYONLY)

include(CTest)
if(BUILD_TESTING)
    add_subdirectory(tests)
endif()
