# The Debian package: `cpack -G DEB` in the build folder makes pelvanor_<version>_<arch>.deb of
# what `cmake --install` lays out, under /usr.

set(PELVANOR_MAINTAINER "Pelvanor <pelvanor@pelvanor.example>" CACHE STRING
    "Name and mail address of the package's maintainer")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelvanor)
set(CPACK_PACKAGE_VENDOR Pelvanor)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PELVANOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PELVANOR_HOMEPAGE}")
# The libraries from the binaries; then what the program loads or reads while it runs: the
# window system's plugin, Qt's German button texts and the fonts that stand in for Arial and
# Courier New.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "climate diagrams of weather stations after Walter and Lieth")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Pelvanor keeps a database of weather stations and draws a climate diagram for
each of them: monthly mean temperatures and precipitation totals on the scale
10 °C to 20 mm, with humid and arid months marked. Stations are picked on a
map of the world or of Europe, by name or from lists; diagrams are compared,
printed at their true size, copied and saved as metafiles, and stations are
imported and exported as CSV files and tables. The user interface is German.
.
The package also holds pelvanor-tool for batch work on the command line.
Installed for every user, the program keeps each user's stations in the
user's own data folder.")
include(CPack)
