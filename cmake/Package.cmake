# The Debian package of the program: `cpack -G DEB` in a Release build
# directory. It holds what the install rules put under the prefix: dravin,
# dravin-cli, the desktop entry, the icon and the MIME type of *.drav. The
# translation catalogs are embedded in dravin (dravin-cli has its English
# words compiled in). The simulator has no install rule and stays out.

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "dravin")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Dravin developers")
set(CPACK_PACKAGE_CONTACT "Dravin developers <dravin@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The first line is the summary; CPack indents the rest as Debian wants, an
# empty line becoming " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Software for serial temperature and humidity data loggers
Dravin connects to a temperature/humidity data logger over its USB serial
adapter: it reads and changes the logger's setup, downloads its logs, samples
in realtime, and charts, lists, prints and exports the logs (.drav files).
dravin-cli does the same from a terminal or a script.

To reach the logger the user must be in the dialout group, which owns the
serial ports: sudo adduser $USER dialout, then log out and in again.

Settings and downloaded logs are kept in the user's data folder,
~/.local/share/Dravin.")

# dpkg-shlibdeps (dpkg-dev) names the Qt 6 and C++ runtime packages the
# programs link. The platform plugins are loaded, not linked, so no tool finds
# them: without them the window cannot open.
find_program(DRAVIN_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DRAVIN_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6core6, libqt6gui6, libqt6widgets6, libqt6printsupport6, libqt6svg6, qt6-qpa-plugins")
endif()

include(CPack)
