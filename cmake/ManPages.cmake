# add_man_page(TARGET NAME_LINE)
# Makes section-1 manual page of a command-line program from its own --help
# and --version with help2man at build time, and installs it. Without help2man
# the page is left out and the build says so.
find_program(HELP2MAN help2man)
find_program(GZIP gzip)
if(NOT HELP2MAN OR NOT GZIP)
    message(STATUS "help2man or gzip not found: the manual pages are left out")
endif()

function(add_man_page target name_line)
    if(NOT HELP2MAN OR NOT GZIP)
        return()
    endif()
    set(page ${CMAKE_BINARY_DIR}/man/${target}.1)
    # A sanitizer build may report leaks at exit, which would fail help2man.
    # The page is English whatever the builder's desktop or profile speaks: an
    # empty config folder hides their Options/Language.
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man/config
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
                LANGUAGE=en LC_ALL=C.UTF-8 XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/man/config
                ${HELP2MAN} --no-info --no-discard-stderr --name=${name_line}
                --output=${page} $<TARGET_FILE:${target}>
        COMMAND ${GZIP} -9nf ${page}
        DEPENDS ${target}
        COMMENT "Manual page of ${target}"
        VERBATIM)
    add_custom_target(${target}_man ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# install_man_page(SOURCE)
# Installs a section-1 manual page written by hand, SOURCE being troff with
# @PROJECT_VERSION@ where the version goes (for a program without --help,
# such as the window). Needs only gzip, so the page is never left out.
function(install_man_page source)
    get_filename_component(name ${source} NAME)
    string(REGEX REPLACE "\\.in$" "" name ${name})
    set(page ${CMAKE_BINARY_DIR}/man/${name})
    configure_file(${source} ${page} @ONLY)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND gzip -9nc ${page} > ${page}.gz
        DEPENDS ${page}
        COMMENT "Manual page ${name}")
    add_custom_target(${name}_man ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
