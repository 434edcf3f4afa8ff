# The Debian package: `cpack -G DEB` in a build folder gives kolvex_<version>_<arch>.deb
# with everything `cmake --install` installs, below /usr. dpkg-shlibdeps works the
# dependencies out from the two programs, so the package asks for exactly the libraries
# they load.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kolvex)
set(CPACK_PACKAGE_VERSION ${KOLVEX_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kolvex developers")
set(CPACK_PACKAGE_CONTACT "The Kolvex developers <kolvex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cataloguer of discs and folders")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kolvex.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not needed to start, but for what the program hands to the desktop: opening files and
# folders, file types, the icon theme; printing goes through lp when it is there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, shared-mime-info, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups-client")
# CPack puts the summary first and indents the long text itself; an empty line starts a
# new paragraph.
set(CPACK_PACKAGE_DESCRIPTION
    "Kolvex walks a CD, a USB stick, an external disk or any folder once and
keeps a catalog of every file and folder on it. With the media put away you
can list the catalogs, browse one like a file manager and search many at
once; a file opens as soon as its medium is back, wherever it is mounted.

The package holds the desktop program kolvex and the command-line tool
kolvex-cli.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
