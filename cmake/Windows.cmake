# The Windows build, from the sources in src/windows/ beside the demo's: a GUI program carrying
# the project's icon that still reports start-up failures on a console, the same demo as a
# screensaver (tovrek.scr), and what `cmake --install` and cpack make of them: one folder with
# both, SDL's two DLLs, the licences and a README, as a zip and as a 64-bit NSIS installer that
# also puts the screensaver where Windows lists them.
# Packaging.cmake includes it in place of the Linux install rules.

# The screensaver: its own entry (saver_win32.cpp) over the demo's library. Windows knows a
# screensaver by its suffix. It imports SDL.dll late, through a delay-import library made from
# the DLL's exports, so that it can load SDL by full path first (saver_win32.cpp says why); it
# finds the library's descriptor of SDL.dll by the name dlltool gives it after the file.
add_executable(tovrek_scr src/windows/saver_win32.cpp)
set_target_properties(tovrek_scr PROPERTIES OUTPUT_NAME tovrek SUFFIX .scr)
set(TOVREK_SDL_DEF ${PROJECT_BINARY_DIR}/SDL.def)
set(TOVREK_SDL_DELAYLIB ${PROJECT_BINARY_DIR}/libSDL-delay.a) # named inside after its path
# objdump's headings are read below in English, which other locales translate.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C
                        ${CMAKE_OBJDUMP} -p ${SDL_PREFIX}/bin/SDL.dll
                OUTPUT_VARIABLE TOVREK_SDL_DUMP RESULT_VARIABLE TOVREK_SDL_DUMPED)
# The names end the lines of the DLL's name table: "[   0] SDL_AddTimer" from binutils 2.40,
# "[   0] +base[   1]  0000 SDL_AddTimer" from 2.44; a blank line ends the table.
string(FIND "${TOVREK_SDL_DUMP}" "[Ordinal/Name Pointer] Table" TOVREK_SDL_TABLE)
if(NOT TOVREK_SDL_DUMPED EQUAL 0 OR TOVREK_SDL_TABLE LESS 0)
    message(FATAL_ERROR "No exports read from ${SDL_PREFIX}/bin/SDL.dll")
endif()
string(SUBSTRING "${TOVREK_SDL_DUMP}" ${TOVREK_SDL_TABLE} -1 TOVREK_SDL_DUMP)
string(REGEX REPLACE "\n\n.*" "\n" TOVREK_SDL_DUMP "${TOVREK_SDL_DUMP}")
string(REGEX MATCHALL "\t\\[[^\n]* [A-Za-z0-9_]+\n" TOVREK_SDL_EXPORTS "${TOVREK_SDL_DUMP}")
list(TRANSFORM TOVREK_SDL_EXPORTS REPLACE "^.* " "")
string(JOIN "" TOVREK_SDL_EXPORTS ${TOVREK_SDL_EXPORTS})
file(WRITE ${TOVREK_SDL_DEF} "LIBRARY SDL.dll\nEXPORTS\n${TOVREK_SDL_EXPORTS}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${SDL_PREFIX}/bin/SDL.dll)
add_custom_command(OUTPUT ${TOVREK_SDL_DELAYLIB}
    COMMAND ${CMAKE_DLLTOOL} --input-def SDL.def --dllname SDL.dll --output-delaylib libSDL-delay.a
    DEPENDS ${TOVREK_SDL_DEF} WORKING_DIRECTORY ${PROJECT_BINARY_DIR} VERBATIM)
add_custom_target(tovrek_sdl_delaylib DEPENDS ${TOVREK_SDL_DELAYLIB})
add_dependencies(tovrek_scr tovrek_sdl_delaylib)
target_compile_definitions(tovrek_scr PRIVATE
                           TOVREK_SDL_DELAY=__DELAY_IMPORT_DESCRIPTOR_libSDL_delay_a)
target_link_libraries(tovrek_scr PRIVATE tovrek_core ${TOVREK_SDL_DELAYLIB} delayimp OpenGL::GL
                      OpenGL::GLU)

# GNU ld lays out a program's import tables in the order of their libraries' paths, so where
# SDL.dll's goes in tovrek.exe would follow the checkout's path: the program links SDL's
# libraries by their paths from its build folder, where it is linked, the same from any checkout.
# Only tovrek's own link changes: a target linked in another folder would miss the paths.
get_target_property(TOVREK_SDL_LIBS PkgConfig::SDL INTERFACE_LINK_LIBRARIES)
set(TOVREK_SDL_RELATIVE_LIBS)
foreach(lib IN LISTS TOVREK_SDL_LIBS)
    string(FIND "${lib}" "${SDL_PREFIX}/" at)
    if(at EQUAL 0)
        file(RELATIVE_PATH lib ${PROJECT_BINARY_DIR} ${lib})
        set(lib -Wl,${lib})
    endif()
    list(APPEND TOVREK_SDL_RELATIVE_LIBS ${lib})
endforeach()
get_target_property(TOVREK_LINKS tovrek LINK_LIBRARIES)
list(FIND TOVREK_LINKS PkgConfig::SDL at)
list(REMOVE_AT TOVREK_LINKS ${at})
list(INSERT TOVREK_LINKS ${at} ${TOVREK_SDL_RELATIVE_LIBS})
set_target_properties(tovrek PROPERTIES LINK_LIBRARIES "${TOVREK_LINKS}")

# The GUI subsystem, so that Explorer and the Start menu open no console window beside the
# demo; console_win32.cpp finds the console of a shell that starts it. GCC's C++ runtime goes
# into both programs: SDL's two DLLs are all they need beside them.
foreach(program tovrek tovrek_scr)
    set_target_properties(${program} PROPERTIES WIN32_EXECUTABLE ON)
    # No link time in the header: the same commit gives the same bytes whenever it is linked.
    target_link_options(${program} PRIVATE -static-libgcc -static-libstdc++
                        LINKER:--no-insert-timestamp)
    target_sources(${program} PRIVATE src/windows/console_win32.cpp)
endforeach()

# The icon, made from dist/tovrek.svg at the sizes Windows shows (list, Explorer, tiles). The
# largest is kept as PNG, as Windows reads it, not as a 256 KB bitmap.
set(TOVREK_ICON_SIZES 16 24 32 48 64 256)
set(TOVREK_ICON_PNG_SIZE 256)
set(TOVREK_ICO ${PROJECT_BINARY_DIR}/dist/tovrek.ico)
set(TOVREK_ICON_PNGS)
set(TOVREK_ICOTOOL_ARGS)
foreach(size ${TOVREK_ICON_SIZES})
    set(png ${PROJECT_BINARY_DIR}/dist/tovrek-${size}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND rsvg-convert -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/dist/tovrek.svg
        DEPENDS ${PROJECT_SOURCE_DIR}/dist/tovrek.svg VERBATIM)
    list(APPEND TOVREK_ICON_PNGS ${png})
    if(size EQUAL TOVREK_ICON_PNG_SIZE)
        list(APPEND TOVREK_ICOTOOL_ARGS -r)
    endif()
    list(APPEND TOVREK_ICOTOOL_ARGS ${png})
endforeach()
add_custom_command(OUTPUT ${TOVREK_ICO} COMMAND icotool -c -o ${TOVREK_ICO} ${TOVREK_ICOTOOL_ARGS}
    DEPENDS ${TOVREK_ICON_PNGS} VERBATIM)
add_custom_target(tovrek_icon DEPENDS ${TOVREK_ICO})

# Each program's resources (dist/tovrek.rc.in): the icon, the manifest, the version from
# project(), the copyright line of LICENSE, and its own file name and description.
file(STRINGS LICENSE TOVREK_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
set(TOVREK_MANIFEST ${PROJECT_SOURCE_DIR}/dist/tovrek.manifest)
# tovrek_resources TARGET FILE DESCRIPTION: gives TARGET, which makes FILE, its resources.
function(tovrek_resources target file description)
    set(TOVREK_RC_FILE ${file})
    set(TOVREK_RC_DESCRIPTION ${description})
    set(rc ${PROJECT_BINARY_DIR}/dist/${file}.rc)
    configure_file(dist/tovrek.rc.in ${rc} @ONLY)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${TOVREK_ICO};${TOVREK_MANIFEST}")
    target_sources(${target} PRIVATE ${rc})
    add_dependencies(${target} tovrek_icon)
endfunction()
tovrek_resources(tovrek tovrek.exe "tovrek")
tovrek_resources(tovrek_scr tovrek.scr "tovrek screensaver")

# Everything in the installation folder's top level, as Windows programs lay it out.
install(TARGETS tovrek tovrek_scr RUNTIME DESTINATION .)
install(FILES ${SDL_PREFIX}/bin/SDL.dll ${SDL_PREFIX}/bin/SDL2.dll DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${SDL_PREFIX}/share/licenses/SDL2.txt DESTINATION . RENAME LICENSE-SDL2.txt)
install(FILES ${SDL_PREFIX}/share/licenses/sdl12-compat.txt DESTINATION .
        RENAME LICENSE-sdl12-compat.txt)
# Notepad before Windows 10 shows only CRLF line ends.
configure_file(dist/README-windows.txt.in ${PROJECT_BINARY_DIR}/dist/README.txt @ONLY
               NEWLINE_STYLE WIN32)
install(FILES ${PROJECT_BINARY_DIR}/dist/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_VENDOR tovrek)
set(TOVREK_PACKAGE_FILE tovrek-${PROJECT_VERSION}-win64) # the zip and the installer, .zip and .exe
set(CPACK_PACKAGE_FILE_NAME ${TOVREK_PACKAGE_FILE})
set(CPACK_PACKAGE_INSTALL_DIRECTORY tovrek)
set(CPACK_PACKAGE_EXECUTABLES tovrek tovrek) # the Start-menu entry
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# A 64-bit installer, into the 64-bit Program Files; CPack's default is a 32-bit one, which
# 64-bit Wine cannot run. The line goes into the script's head, where NSIS takes Target:
# makensis's -XTarget would need an argument with a space, which CPack's pre-arguments split.
# No file times in the installer: CPack writes one of its files as it packs, dated then, so the
# same commit would never give the same installer; installed files are dated as installed.
set(CPACK_NSIS_DEFINES "Target amd64-unicode\nSetDateSave off")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME tovrek)
set(CPACK_NSIS_PACKAGE_NAME tovrek)
set(CPACK_NSIS_INSTALLED_ICON_NAME tovrek.exe)
set(CPACK_NSIS_MUI_ICON ${TOVREK_ICO})
set(CPACK_NSIS_MUI_UNIICON ${TOVREK_ICO})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# Screen Saver Settings lists the screensavers in System32: the 64-bit one, as the installer is a
# 64-bit program. The .scr finds SDL from there through the folder the installer records under
# Software\tovrek\tovrek (saver_win32.cpp). Nothing changes the user's chosen screensaver. The
# uninstaller removes the copy, and the vendor's key, which CPack's own would leave empty.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY tovrek)
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "CopyFiles /SILENT '$INSTDIR\\\\tovrek.scr' '$SYSDIR'")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "Delete '$SYSDIR\\\\tovrek.scr'\nDeleteRegKey SHCTX 'Software\\\\tovrek'")
include(CPack)
