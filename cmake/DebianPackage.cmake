# The Debian package "tolvane", its version from project(): `cpack -G DEB` in a build folder
# (the "deb" presets make a build without tests for it) packs what `cmake --install`
# installs, under /usr, the programs stripped.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VENDOR "The Tolvane developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Install with DESTDIR, so that the install's refresh of the desktop caches leaves the staged
# files alone (the package's users get theirs from Debian's triggers).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the GUI resource libraries of a game engine")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TOLVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TOLVANE_HOMEPAGE_URL}")
# The extended description, below the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Tolvane edits the binary .gui files of a game engine: a table of textures
and a list of push buttons, each with the areas it cuts out of its
textures and places on the screen. The editor shows each button's areas on
its texture, checks a library for invalid identifiers, duplicate ids and
missing textures, and exports a C header that names every resource for the
game code. Its user interface is in German.

The package also contains tolvane-cli, which loads, checks, converts and
exports libraries without a window, for build pipelines.]])

# Libraries the programs link come from dpkg-shlibdeps; the editor loads nothing else at run
# time that it needs (its texture decoder is compiled in).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# German texts of Qt's own dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)

include(CPack)
