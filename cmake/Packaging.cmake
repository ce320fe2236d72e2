# The Debian package: `cpack -G DEB` in a build tree configured with
# -DCMAKE_INSTALL_PREFIX=/usr makes quillary_<version>_<arch>.deb from what
# the project installs. Its Depends come from the programs' shared libraries
# (dpkg-shlibdeps), so it installs on a fresh Debian 12 with apt.
set(CPACK_PACKAGE_NAME quillary)
set(CPACK_PACKAGE_VENDOR "Quillary developers")
set(CPACK_PACKAGE_CONTACT "Quillary developers <maintainers@quillary.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration tool for VELK-Ardo and VELK-Tisk GSM remote-control units")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillary creates, edits and saves the configuration of a VELK GSM remote-control
unit, records its voice messages, writes a configuration into a unit over a
serial or USB line, reads a unit back, sets its clock, prints a configuration
and sends it by e-mail. quillary-cli does the same from scripts and shows a
configuration as JSON. The package also holds the unit link library
libvelklink with its header and pkg-config file, and velk-unit-sim, a unit
simulator on a pseudo-terminal.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillary.invalid/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libvelklink is ours and travels in the package: dpkg-shlibdeps must find it
# in the build tree rather than in another package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Qt loads its platform plugins at run time, so dpkg-shlibdeps cannot see
# them; espeak-ng reads its voices from espeak-ng-data when it speaks.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, espeak-ng-data")
# Qt's own dialogs (file, print) speak the chosen language only with
# the translations Qt ships separately.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse, man-db, qt6-translations-l10n")

include(CPack)
