# The Windows build: a GUI program carrying the project's icon that still reports start-up
# failures on a console, and what `cmake --install` and cpack make of it: one folder with the
# program, SDL's two DLLs, the licences and a README, as a zip and as a 64-bit NSIS installer.
# Packaging.cmake includes it in place of the Linux install rules.
# The GUI subsystem, so that Explorer and the Start menu open no console window beside the
# demo; console_win32.cpp finds the console of a shell that starts it.
set_target_properties(tovrek PROPERTIES WIN32_EXECUTABLE ON)
# GCC's C++ runtime goes into the .exe: SDL's two DLLs are all it needs beside it.
target_link_options(tovrek PRIVATE -static-libgcc -static-libstdc++)

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
set(TOVREK_RC ${PROJECT_BINARY_DIR}/dist/tovrek.rc)
file(GENERATE OUTPUT ${TOVREK_RC} CONTENT "1 ICON \"${TOVREK_ICO}\"\n")
set_source_files_properties(${TOVREK_RC} PROPERTIES OBJECT_DEPENDS ${TOVREK_ICO})
target_sources(tovrek PRIVATE src/shell/console_win32.cpp ${TOVREK_RC})

# Everything in the installation folder's top level, as Windows programs lay it out.
install(TARGETS tovrek RUNTIME DESTINATION .)
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
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME tovrek)
set(CPACK_NSIS_PACKAGE_NAME tovrek)
set(CPACK_NSIS_INSTALLED_ICON_NAME tovrek.exe)
set(CPACK_NSIS_MUI_ICON ${TOVREK_ICO})
set(CPACK_NSIS_MUI_UNIICON ${TOVREK_ICO})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)
