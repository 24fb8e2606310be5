# The Debian package of what `cmake --install` puts in place (make package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvis)
set(CPACK_PACKAGE_VENDOR "The KVIS developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${KVIS_SUMMARY}")
list(JOIN KVIS_DESCRIPTION "\n\n" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The KVIS developers")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KVIS_HOMEPAGE}")
# The libraries the binaries link to, as dpkg-shlibdeps finds them, and what
# Qt loads only at run time: the SVG support that draws every icon.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# The text editor offered when a project cannot be read is started with xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# No maintainer scripts: the desktop, MIME and icon caches are refreshed by the
# triggers of desktop-file-utils, shared-mime-info and hicolor-icon-theme on
# the directories these files go to.
# `package` would build the tests too; the Makefile builds `installables`.
set(CMAKE_SKIP_PACKAGE_ALL_DEPENDENCY ON)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
