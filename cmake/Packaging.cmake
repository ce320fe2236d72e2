# The Debian packages: `cpack -G DEB` in a build tree configured with
# -DCMAKE_INSTALL_PREFIX=/usr makes three of them from what the project
# installs, one per install component, as Debian splits a library:
#   quillary_<version>_<arch>.deb         the programs, their data and pages
#   libvelklink1_<version>_<arch>.deb     the link library, libvelklink.so.1
#   libvelklink-dev_<version>_<arch>.deb  its header, libvelklink.so, velklink.pc
# Their Depends come from the programs' shared libraries (dpkg-shlibdeps), so
# they install on a fresh Debian 12 with apt. lintian passes on all three
# without a warning; scripts/run-tests.sh holds them to that.
set(QUILLARY_PACKAGES quillary libvelklink1 libvelklink-dev)

# Every package carries the licence terms and the changelog in its doc folder,
# as Debian asks of each binary package.
set(QUILLARY_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog)
add_custom_command(OUTPUT ${QUILLARY_CHANGELOG}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog
            ${QUILLARY_CHANGELOG}
    COMMAND gzip -9nf ${QUILLARY_CHANGELOG}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
    COMMENT "Debian changelog"
    VERBATIM)
add_custom_target(quillary_changelog ALL DEPENDS ${QUILLARY_CHANGELOG}.gz)
foreach(package ${QUILLARY_PACKAGES})
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${QUILLARY_CHANGELOG}.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${package})
endforeach()

# The script that makes a team's journal on a PostgreSQL server: the
# program names it when the server has no tables and the role may not make them.
install(FILES ${PROJECT_SOURCE_DIR}/docs/journal-postgresql.sql
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillary COMPONENT quillary)

set(CPACK_PACKAGE_NAME quillary)
set(CPACK_PACKAGE_VENDOR "Quillary developers")
set(CPACK_PACKAGE_CONTACT "Quillary developers <maintainers@quillary.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${QUILLARY_PACKAGES})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# All three come from this one source tree, whose changelog they carry.
set(CPACK_DEBIAN_PACKAGE_SOURCE quillary)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillary.invalid/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libvelklink is ours: dpkg-shlibdeps must find it in the build tree rather
# than in an installed package. The dependency on its package is written
# below by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")

# The Description's first line is each package's own summary, so the shared
# CPACK_PACKAGE_DESCRIPTION_SUMMARY stays unset (CPack would put it first on
# all three).
set(CPACK_DEBIAN_QUILLARY_PACKAGE_NAME quillary)
set(CPACK_DEBIAN_QUILLARY_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_QUILLARY_DESCRIPTION
    "configuration tool for VELK-Ardo and VELK-Tisk GSM remote-control units
Quillary creates, edits and saves the configuration of a VELK GSM
remote-control unit, records its voice messages, writes a configuration into
a unit over a serial or USB line, reads a unit back, sets its clock, prints
a configuration and sends it by e-mail. Configuration files (.QRB) open in
it from the desktop.

quillary-cli does the same from scripts and shows a configuration as JSON.
velk-unit-sim is a unit simulator on a pseudo-terminal.")
# Qt loads its platform plugins and the journal's SQLite driver at run time,
# so dpkg-shlibdeps cannot see them; espeak-ng reads its voices from
# espeak-ng-data when it speaks.
set(CPACK_DEBIAN_QUILLARY_PACKAGE_DEPENDS
    "libvelklink1 (= ${PROJECT_VERSION}), qt6-qpa-plugins, libqt6sql6-sqlite, espeak-ng-data")
# Qt's own dialogs (file, print) speak the chosen language only with
# the translations Qt ships separately. A team's journal on a PostgreSQL
# server needs Qt's PostgreSQL driver, loaded at run time as well.
set(CPACK_DEBIAN_QUILLARY_PACKAGE_RECOMMENDS
    "pulseaudio | pipewire-pulse, man-db, qt6-translations-l10n, libqt6sql6-psql")

# Up to 0.1.0 one package, quillary, held the library and its development
# files too: these two may take those files over from it. (Breaks would also
# hit today's quillary 0.1.0, which holds none of them.)
set(QUILLARY_SINGLE_PACKAGE "quillary (<= 0.1.0)")

set(CPACK_DEBIAN_LIBVELKLINK1_PACKAGE_NAME libvelklink1)
set(CPACK_DEBIAN_LIBVELKLINK1_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBVELKLINK1_PACKAGE_REPLACES ${QUILLARY_SINGLE_PACKAGE})
set(CPACK_DEBIAN_LIBVELKLINK1_DESCRIPTION
    "link library for VELK GSM remote-control units
libvelklink talks to a VELK-Ardo or VELK-Tisk unit over a serial or USB line:
it reads and writes the unit's registers, sends its voice messages and sets
its clock. Quillary and quillary-cli use it.")
# dpkg runs ldconfig once at the end through this trigger; CPack would
# otherwise add postinst and postrm scripts that call ldconfig themselves.
# Naming the two scripts here stops that: the files do not exist, so CPack
# packs nothing in their place and the package has no maintainer scripts.
set(CPACK_DEBIAN_LIBVELKLINK1_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/libvelklink1/triggers
    ${PROJECT_SOURCE_DIR}/packaging/libvelklink1/no-such-file/postinst
    ${PROJECT_SOURCE_DIR}/packaging/libvelklink1/no-such-file/postrm)

set(CPACK_DEBIAN_LIBVELKLINK-DEV_PACKAGE_NAME libvelklink-dev)
set(CPACK_DEBIAN_LIBVELKLINK-DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_LIBVELKLINK-DEV_DESCRIPTION
    "link library for VELK GSM remote-control units - development files
libvelklink talks to a VELK-Ardo or VELK-Tisk unit over a serial or USB line.
This package holds what a program is built against: the C header velklink.h,
the library's link-time name libvelklink.so and the pkg-config file
velklink.pc.")
set(CPACK_DEBIAN_LIBVELKLINK-DEV_PACKAGE_DEPENDS "libvelklink1 (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_LIBVELKLINK-DEV_PACKAGE_REPLACES ${QUILLARY_SINGLE_PACKAGE})

include(CPack)
