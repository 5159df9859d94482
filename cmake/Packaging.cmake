# What `cmake --install` puts on a system, and the Debian package that cpack makes of it.
# Installed: the program, its manual page (section 6, games and demos), its desktop entry and
# icon, its software-centre entry, and its XScreenSaver launcher and settings entry; the
# package adds the copyright and changelog every Debian package carries.

# What every package of it says of itself, the Debian one and the Windows ones alike.
set(CPACK_PACKAGE_NAME tovrek)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
# What cpack has staged gets the usual modes and SOURCE_DATE_EPOCH's time before it is packed.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/Staged.cmake)
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/Windows.cmake)
    return()
endif()
include(GNUInstallDirs)

set(TOVREK_DIST ${PROJECT_SOURCE_DIR}/dist)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/dist)

# gzip -9n, the way Debian wants manual pages and changelogs: no name or time inside, so the
# same text always gives the same bytes.
function(tovrek_gzip source compressed)
    string(REGEX REPLACE "\\.gz$" "" plain ${compressed})
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
        COMMAND gzip -9nf ${plain}
        DEPENDS ${source}
        VERBATIM)
endfunction()

set(TOVREK_MAN_GZ ${PROJECT_BINARY_DIR}/dist/tovrek.6.gz)
set(TOVREK_CHANGELOG_GZ ${PROJECT_BINARY_DIR}/dist/changelog.gz)
tovrek_gzip(${TOVREK_DIST}/tovrek.6 ${TOVREK_MAN_GZ})
tovrek_gzip(${TOVREK_DIST}/changelog ${TOVREK_CHANGELOG_GZ})
add_custom_target(tovrek_dist ALL DEPENDS ${TOVREK_MAN_GZ} ${TOVREK_CHANGELOG_GZ})

install(TARGETS tovrek RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
install(FILES ${TOVREK_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT program)
install(FILES ${TOVREK_DIST}/tovrek.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT program)
install(FILES ${TOVREK_DIST}/tovrek.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT program)
# Software centres find the entry by its id, which the installed file is named after.
install(FILES ${TOVREK_DIST}/tovrek.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.example.tovrek.metainfo.xml COMPONENT program)
# XScreenSaver finds hacks by name in libexec/xscreensaver. The launcher is generated when it
# is installed, not when the tree is configured, so that the path it starts is the program's
# under whatever prefix and staging this install uses (--prefix, DESTDIR, cpack).
set(TOVREK_LAUNCHER ${PROJECT_BINARY_DIR}/dist/xscreensaver-launcher)
install(CODE "get_filename_component(TOVREK_PROGRAM \"${CMAKE_INSTALL_BINDIR}/tovrek\" ABSOLUTE
                                     BASE_DIR \"\${CMAKE_INSTALL_PREFIX}\")
              configure_file(${TOVREK_DIST}/xscreensaver-launcher.in ${TOVREK_LAUNCHER} @ONLY)"
        COMPONENT program)
install(PROGRAMS ${TOVREK_LAUNCHER} DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver
        RENAME tovrek COMPONENT program)
install(FILES ${TOVREK_DIST}/tovrek.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config
        COMPONENT program)
# Only the package asks for this component; a plain install leaves it out.
install(FILES ${TOVREK_DIST}/copyright ${TOVREK_CHANGELOG_GZ}
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)

# The changelog's newest entry names the maintainer, and must be for this version.
file(STRINGS ${TOVREK_DIST}/changelog TOVREK_CHANGELOG_TOP LIMIT_COUNT 1)
file(STRINGS ${TOVREK_DIST}/changelog TOVREK_CHANGELOG_SIGNOFF REGEX "^ -- " LIMIT_COUNT 1)
if(NOT TOVREK_CHANGELOG_TOP MATCHES "^tovrek \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "dist/changelog needs an entry for version ${PROJECT_VERSION} at the top")
endif()
string(REGEX REPLACE "^ -- (.*>)  .*$" "\\1" TOVREK_MAINTAINER "${TOVREK_CHANGELOG_SIGNOFF}")
# So must the software centres' list of releases.
file(STRINGS ${TOVREK_DIST}/tovrek.metainfo.xml TOVREK_METAINFO_TOP REGEX "<release "
     LIMIT_COUNT 1)
if(NOT TOVREK_METAINFO_TOP MATCHES "version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "dist/tovrek.metainfo.xml needs a release ${PROJECT_VERSION} first")
endif()
# And the release notes.
file(STRINGS NEWS.md TOVREK_NEWS_TOP REGEX "^## " LIMIT_COUNT 1)
if(NOT TOVREK_NEWS_TOP MATCHES "^## ${PROJECT_VERSION} ")
    message(FATAL_ERROR "NEWS.md needs a section for version ${PROJECT_VERSION} first")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DESCRIPTION [[
A small full-screen OpenGL demo: 1500 flat-coloured boxes stream past a
viewer standing at the origin, on a white background, while the view
drifts between random targets and follows the mouse. Any mouse button
toggles a grey mode; Escape or closing the window quits. It also runs as
an XScreenSaver hack.]])
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program debian)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TOVREK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package is for the compiler's target, which cpack would take to be the build machine's.
if(CMAKE_CROSSCOMPILING)
    execute_process(COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
                    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE TOVREK_ARCH_FAILED)
    if(TOVREK_ARCH_FAILED)
        message(FATAL_ERROR "No Debian architecture for ${CMAKE_LIBRARY_ARCHITECTURE} "
                            "(dpkg-architecture, in dpkg-dev)")
    endif()
endif()
# The launcher's --root asks xwininfo for the root window; XScreenSaver itself never needs it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS x11-utils)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
include(CPack)
