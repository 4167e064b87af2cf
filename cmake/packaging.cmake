# The Debian package: `cpack` in a build folder makes orvexcolors_<version>_<arch>.deb,
# installing under /usr. Its library dependencies come from dpkg-shlibdeps; the Qt
# platform plugins and the font the layout is drawn for are named here, since no
# library link reveals them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvexcolors)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The orvexcolors developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chat colour editor for the Orvex game client")
# The first line of the description is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Edits the 24 chat colours kept in the player options files of an installed\n\
 Orvex game client, found in its Wine, Steam, Lutris or Bottles prefix.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The orvexcolors developers <orvexcolors@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
