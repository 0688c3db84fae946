# What `cmake --install` puts where (GNUInstallDirs), and the Debian package CPack makes of it
# (bash scripts/package.sh). With QL730_PACKAGE on, help2man is required for the man pages;
# otherwise they are made only when help2man is there.
set(CMAKE_INSTALL_DOCDIR share/doc/ql730-sim CACHE PATH "The user guides and the examples")
include(GNUInstallDirs)

foreach(program ql730-sim ql730-headless ql730-soak)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# The icons: the faceplate at power-on, drawn by ql730-icon (built, never installed).
if(QL730_PNG AND TARGET ql730-sim)
    add_executable(ql730-icon src/app/icon_main.cpp)
    target_link_libraries(ql730-icon PRIVATE ql730_shell ql730_programs)
    set(icons)
    foreach(size 48 128 256)
        set(icon ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/ql730-sim.png)
        add_custom_command(OUTPUT ${icon}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps
            COMMAND ql730-icon ${size} ${icon}
            DEPENDS ql730-icon COMMENT "Icon ${size}x${size}" VERBATIM)
        list(APPEND icons ${icon})
    endforeach()
    add_custom_target(ql730_icons ALL DEPENDS ${icons})
    install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
    install(FILES resources/install/ql730-sim.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()

# The man pages: each program's --help through help2man, with the hand-written sections of
# resources/install/ql730.h2m, compressed as Debian keeps them.
if(QL730_PACKAGE)
    find_program(QL730_HELP2MAN help2man REQUIRED)
    find_program(QL730_GZIP gzip REQUIRED)
else()
    find_program(QL730_HELP2MAN help2man)
    find_program(QL730_GZIP gzip)
endif()
if(QL730_HELP2MAN AND QL730_GZIP)
    set(manuals)
    set(ql730-sim_NAME "the QL-730 rally and trip computer simulator")
    set(ql730-headless_NAME "play QL-730 simulator scripts without a window")
    set(ql730-soak_NAME "random input over every screen of the QL-730 simulator")
    foreach(program ql730-sim ql730-headless ql730-soak)
        if(TARGET ${program})
            set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
            # The soak takes no scripts: its page is its --help alone.
            set(sections --include=${CMAKE_SOURCE_DIR}/resources/install/ql730.h2m)
            if(program STREQUAL ql730-soak)
                set(sections)
            endif()
            add_custom_command(OUTPUT ${page}.gz
                COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                COMMAND ${QL730_HELP2MAN} --no-info --no-discard-stderr
                        --version-string=${PROJECT_VERSION} --name=${${program}_NAME}
                        ${sections}
                        --output=${page} $<TARGET_FILE:${program}>
                COMMAND ${QL730_GZIP} -9nf ${page}
                DEPENDS ${program} ${CMAKE_SOURCE_DIR}/resources/install/ql730.h2m
                COMMENT "Man page ${program}.1" VERBATIM)
            list(APPEND manuals ${page}.gz)
        endif()
    endforeach()
    add_custom_target(ql730_manuals ALL DEPENDS ${manuals})
    install(FILES ${manuals} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

install(FILES resources/install/ql730.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ql730-sim)
install(FILES resources/install/ql730.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ql730-headless)
# Debian's changelog of this native package, compressed as Debian keeps it.
configure_file(resources/install/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
if(QL730_GZIP)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
        COMMAND ${QL730_GZIP} -9nkf ${CMAKE_BINARY_DIR}/changelog
        DEPENDS ${CMAKE_BINARY_DIR}/changelog VERBATIM)
    add_custom_target(ql730_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
    install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
install(FILES README.md resources/install/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs DESTINATION ${CMAKE_INSTALL_DOCDIR} FILES_MATCHING PATTERN "*.md")
install(DIRECTORY examples DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: ql730-sim_VERSION_ARCH.deb, its dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ql730-sim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "QL-730 simulator developers <ql730-sim@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of the Ostrel QL-730 rally and trip computer")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop simulator of the QL-730: a 128 x 64 dot LCD and four buttons, with
the instrument's user-interface logic for distance, speed, fuel, clock and
stopwatch. ql730-sim opens its window; ql730-headless plays scripts that
press the buttons and check what the device shows, in simulated time and
without a window, for tests and CI.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
